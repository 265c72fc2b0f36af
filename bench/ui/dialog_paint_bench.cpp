// A full repaint of a 400x300 dialog with ten controls (static texts,
// push buttons, edits, a list box and a group box), drawn the way the
// controls draw: device context calls and the style painter. The fonts are
// loaded before timing starts; each iteration paints every pixel again.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/ui/Gdi.h"

namespace {

using namespace ui;

void PaintDialog(HDC dc, HFONT font) {
  using SP = StylePainter;
  const HGDIOBJ previous = SelectObject(dc, font);
  const RECT dialog{0, 0, 400, 300};
  const RECT client = SP::PaintFrame(dc, dialog, SP::Frame::kWindow);
  SP::FillSolid(dc, client, GetSysColor(COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);

  // Group box: an etched frame with its label over a face-coloured gap.
  const RECT group{12, 16, 388, 132};
  SP::PaintFrame(dc, group, SP::Frame::kEtched);
  RECT label{20, 10, 120, 23};
  DrawText(dc, "Input files", -1, &label, DT_SINGLELINE | DT_CALCRECT);
  InflateRect(&label, 2, 0);
  SP::FillSolid(dc, label, GetSysColor(COLOR_BTNFACE));
  SP::PaintLabel(dc, label, "Input files", DT_SINGLELINE | DT_CENTER, true);

  // Static texts and edits.
  const char* captions[] = {"&Log file:", "&Definition:", "Output folder:"};
  const char* values[] = {"/data/flight-0423/telemetry.log", "instrument.tdf"};
  for (int i = 0; i < 3; ++i) {
    RECT text{24, 36 + i * 30, 110, 50 + i * 30};
    SP::PaintLabel(dc, text, captions[i], DT_SINGLELINE | DT_VCENTER, true);
    if (i < 2) {
      const RECT edit{114, 32 + i * 30, 376, 54 + i * 30};
      const RECT inside = SP::PaintFrame(dc, edit, SP::Frame::kSunken);
      SP::FillSolid(dc, inside, GetSysColor(COLOR_WINDOW));
      RECT value = inside;
      InflateRect(&value, -2, 0);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      DrawText(dc, values[i], -1, &value, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
  }

  // List box with a selected row.
  const RECT list{12, 144, 300, 288};
  const RECT rows = SP::PaintFrame(dc, list, SP::Frame::kSunken);
  SP::FillSolid(dc, rows, GetSysColor(COLOR_WINDOW));
  for (int i = 0; i < 10; ++i) {
    RECT row{rows.left, rows.top + i * 14, rows.right, rows.top + (i + 1) * 14};
    if (row.bottom > rows.bottom) break;
    const bool selected = i == 2;
    if (selected) SP::FillSolid(dc, row, GetSysColor(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::string text = "frame block " + std::to_string(i * 4096);
    RECT cell = row;
    cell.left += 2;
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &cell, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (selected) DrawFocusRect(dc, &row);
  }

  // Push buttons, the first one the default.
  const char* buttons[] = {"OK", "Cancel", "&Help"};
  for (int i = 0; i < 3; ++i) {
    StylePainter::ButtonState state;
    state.is_default = i == 0;
    const RECT button{312, 144 + i * 30, 388, 167 + i * 30};
    const RECT face = SP::PaintButtonFace(dc, button, state);
    SP::PaintLabel(dc, face, buttons[i], DT_SINGLELINE | DT_CENTER | DT_VCENTER, true);
  }
  SelectObject(dc, previous);
}

void BM_DialogFullRepaint(benchmark::State& state) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 400, 300);
  SurfaceTarget target;
  target.surface = surface;
  target.screen_origin = POINT{200, 150};
  const HDC dc = CreateSurfaceDC(target);
  const LOGFONT dialog_font = DialogLogFont();
  const HFONT font = CreateFontIndirect(&dialog_font);
  PaintDialog(dc, font);  // loads the font before timing
  for (auto _ : state) {
    PaintDialog(dc, font);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 10);  // controls
  DeleteObject(font);
  ReleaseSurfaceDC(dc);
  cairo_surface_destroy(surface);
}
BENCHMARK(BM_DialogFullRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
