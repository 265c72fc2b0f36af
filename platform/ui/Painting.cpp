// Painting contexts over the back buffer of the window's top-level window:
// BeginPaint and EndPaint, window and client contexts, and what
// DefWindowProc paints itself (the frame and the class background).
#include <cairo.h>

#include <algorithm>

#include "platform/ui/DeviceContext.h"
#include "platform/ui/Drawing.h"
#include "platform/ui/Host.h"
#include "platform/ui/Menu.h"
#include "platform/ui/ScrollBars.h"
#include "platform/ui/Messages.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/BackBuffer.h"
#include "platform/ui/internal/Frame.h"
#include "platform/ui/internal/MenuLoop.h"
#include "platform/ui/internal/ScrollBarWindows.h"
#include "platform/ui/internal/Painting.h"
#include "platform/ui/internal/WindowAccess.h"
#include "platform/ui/internal/DrawingLibraries.h"

namespace ui {

using internal::LockedWindow;
using internal::TableLock;
using internal::WindowRecord;
using internal::WindowTable;

namespace {

using RegionPtr = std::shared_ptr<cairo_region_t>;

RegionPtr RegionOf(const RECT& r) {
  const cairo_rectangle_int_t box{r.left, r.top, std::max<int>(r.right - r.left, 0), std::max<int>(r.bottom - r.top, 0)};
  return RegionPtr(cairo_region_create_rectangle(&box), cairo_region_destroy);
}

void Subtract(cairo_region_t* region, const RECT& r) {
  const RegionPtr part = RegionOf(r);
  cairo_region_subtract(region, part.get());
}

// What a context of `record` may touch, in screen coordinates: its client
// area or whole window, inside every ancestor's client area, less the
// children (WS_CLIPCHILDREN) and the siblings above (WS_CLIPSIBLINGS, for
// the window and each ancestor). Caller holds the table lock.
RegionPtr VisibleRegion(const WindowRecord& record, bool whole_window) {
  WindowTable& table = WindowTable::Get();
  RegionPtr visible = RegionOf(whole_window ? record.rect : record.client);
  if (record.style & WS_CLIPCHILDREN)
    for (HWND child : record.children)
      if (const WindowRecord* c = table.Find(child); c && (c->style & WS_VISIBLE)) Subtract(visible.get(), c->rect);
  for (const WindowRecord* at = &record; at && at->parent; at = table.Find(at->parent)) {
    const WindowRecord* parent = table.Find(at->parent);
    if (!parent) break;
    const RegionPtr inside = RegionOf(parent->client);
    cairo_region_intersect(visible.get(), inside.get());
    if (at->style & WS_CLIPSIBLINGS) {
      for (HWND sibling : parent->children) {
        if (sibling == at->handle) break;  // the rest are below
        if (const WindowRecord* s = table.Find(sibling); s && (s->style & WS_VISIBLE)) Subtract(visible.get(), s->rect);
      }
    }
  }
  return visible;
}

// A scratch surface for contexts of windows that have no back buffer (never
// shown): drawing on them goes nowhere.
cairo_surface_t* Scratch() {
  static cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  return surface;
}

// A context of `hwnd` (client or whole window); `limit` narrows its clip
// (client coordinates), as the update region does for BeginPaint.
HDC MakeWindowDC(HWND hwnd, bool whole_window, const cairo_region_t* limit) {
  SurfaceTarget target;
  RegionPtr clip;
  std::shared_ptr<cairo_surface_t> keep;
  {
    TableLock lock(WindowTable::Get().mutex());
    WindowRecord* record = WindowTable::Get().Find(hwnd);
    if (!record) return internal::RefuseHandle(), nullptr;
    const HWND top = internal::TopLevelOf(hwnd);
    WindowRecord* top_record = WindowTable::Get().Find(top);
    const POINT origin_on_screen = whole_window ? POINT{record->rect.left, record->rect.top}
                                                : POINT{record->client.left, record->client.top};
    clip = VisibleRegion(*record, whole_window);
    if (limit) {
      RegionPtr narrowed(cairo_region_copy(limit), cairo_region_destroy);
      cairo_region_translate(narrowed.get(), record->client.left, record->client.top);
      cairo_region_intersect(clip.get(), narrowed.get());
    }
    if (top_record && top_record->back_buffer && !internal::IsUpdateLocked(hwnd)) {
      keep = top_record->back_buffer;
      target.surface = keep.get();
      cairo_region_translate(clip.get(), -top_record->rect.left, -top_record->rect.top);
      target.origin = POINT{origin_on_screen.x - top_record->rect.left, origin_on_screen.y - top_record->rect.top};
    } else {
      target.surface = Scratch();
      clip = RegionOf(RECT{});
    }
    target.screen_origin = origin_on_screen;
    target.hwnd = hwnd;
  }
  target.clip = clip.get();
  return CreateSurfaceDC(target);
}

void TellHostPainted(HWND hwnd) {
  const HWND top = internal::TopLevelOf(hwnd);
  RECT area;
  {
    LockedWindow record(hwnd);
    LockedWindow top_record(top);
    if (!record || !top_record || !top_record->back_buffer) return;
    area = RECT{record->rect.left - top_record->rect.left, record->rect.top - top_record->rect.top,
                record->rect.right - top_record->rect.left, record->rect.bottom - top_record->rect.top};
  }
  GetHost().WindowPainted(top, area);
}

RECT Extents(const cairo_region_t* region) {
  if (!region) return RECT{};
  cairo_rectangle_int_t box;
  cairo_region_get_extents(region, &box);
  return RECT{box.x, box.y, box.x + box.width, box.y + box.height};
}

}  // namespace

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
  if (!paint || !IsWindow(hwnd)) return internal::RefuseHandle(), nullptr;
  bool erase = false, frame = false;
  RegionPtr region = internal::TakeUpdate(hwnd, erase, frame);
  if (frame) internal::CallProc(hwnd, WM_NCPAINT, 1, 0);
  if (!region) region = RegionOf(RECT{});
  const HDC hdc = MakeWindowDC(hwnd, false, region.get());
  paint->hdc = hdc;
  paint->rcPaint = Extents(region.get());
  paint->fErase = FALSE;
  if (erase && hdc) paint->fErase = internal::CallProc(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) ? FALSE : TRUE;
  return hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
  if (!paint) return FALSE;
  if (paint->hdc) ReleaseSurfaceDC(paint->hdc);
  if (IsWindow(hwnd)) TellHostPainted(hwnd);
  return TRUE;
}

HDC GetDC(HWND hwnd) {
  if (!hwnd) return CreateDesktopDC();
  return MakeWindowDC(hwnd, false, nullptr);
}

HDC GetWindowDC(HWND hwnd) {
  if (!hwnd) return CreateDesktopDC();
  return MakeWindowDC(hwnd, true, nullptr);
}

int ReleaseDC(HWND hwnd, HDC hdc) {
  if (!hdc || !ReleaseSurfaceDC(hdc)) return 0;
  if (hwnd && IsWindow(hwnd)) TellHostPainted(hwnd);
  return 1;
}

namespace internal {

LRESULT DispatchPaint(HWND hwnd) {
  std::uint64_t before;
  {
    LockedWindow record(hwnd);
    before = record ? record->update_serial : 0;
  }
  const LRESULT result = CallProc(hwnd, WM_PAINT, 0, 0);
  bool again = false;
  {
    LockedWindow record(hwnd);
    again = record && record->PaintDue() && record->update_serial == before;
  }
  if (again) {
    bool erase, frame;
    TakeUpdate(hwnd, erase, frame);
  }
  return result;
}

void PaintFrameAndBackground(HWND hwnd) {
  bool erase = false, frame = false;
  if (!TakeFrameAndErase(hwnd, erase, frame)) return;
  if (frame) CallProc(hwnd, WM_NCPAINT, 1, 0);
  if (!erase) return;
  RegionPtr region;
  {
    LockedWindow record(hwnd);
    if (!record || !record->update_region) return;
    region = RegionPtr(cairo_region_copy(record->update_region.get()), cairo_region_destroy);
  }
  const HDC hdc = MakeWindowDC(hwnd, false, region.get());
  if (!hdc) return;
  CallProc(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
  ReleaseSurfaceDC(hdc);
  TellHostPainted(hwnd);
}

bool EraseBackground(HWND hwnd, HDC hdc) {
  HBRUSH brush;
  RECT client;
  {
    LockedWindow record(hwnd);
    if (!record || !record->background) return false;
    brush = record->background;
    client = RECT{0, 0, record->client.right - record->client.left, record->client.bottom - record->client.top};
  }
  FillRect(hdc, &client, brush);
  return true;
}

namespace {

void FillBand(HDC hdc, const RECT& outer, int thickness, HBRUSH brush) {
  const RECT bands[] = {
      {outer.left, outer.top, outer.right, outer.top + thickness},
      {outer.left, outer.bottom - thickness, outer.right, outer.bottom},
      {outer.left, outer.top + thickness, outer.left + thickness, outer.bottom - thickness},
      {outer.right - thickness, outer.top + thickness, outer.right, outer.bottom - thickness},
  };
  for (const RECT& band : bands) FillRect(hdc, &band, brush);
}

}  // namespace

void PaintNonClient(HWND hwnd) {
  DWORD style, ex_style;
  RECT window, client;
  bool active;
  std::string title;
  {
    LockedWindow record(hwnd);
    if (!record) return;
    style = record->style;
    ex_style = record->ex_style;
    window = RECT{0, 0, record->rect.right - record->rect.left, record->rect.bottom - record->rect.top};
    client = RECT{record->client.left - record->rect.left, record->client.top - record->rect.top,
                  record->client.right - record->rect.left, record->client.bottom - record->rect.top};
    active = record->nc_active;
    title = record->text;
  }
  if (window == client) return;
  const Frame frame(style, ex_style, !(style & WS_CHILD) && GetMenu(hwnd));
  const HDC hdc = GetWindowDC(hwnd);
  if (!hdc) return;
  const HBRUSH face = GetSysColorBrush(COLOR_3DFACE);
  if (frame.border() == 1) {
    FillBand(hdc, window, 1, GetSysColorBrush(COLOR_WINDOWFRAME));
  } else if (frame.border() > 1) {
    FillBand(hdc, window, frame.border(), face);
    StylePainter::PaintFrame(hdc, window, StylePainter::Frame::kWindow);
  }
  const int width = window.right;
  if (frame.caption()) {
    const RECT band = frame.CaptionRect(width);
    const RECT separator{band.left, band.bottom, band.right, band.bottom + 1};
    FillRect(hdc, &separator, face);
    StylePainter::PaintCaptionBand(hdc, band, title, active, (ex_style & WS_EX_TOOLWINDOW) != 0);
    using Button = StylePainter::CaptionButton;
    const auto paint_button = [&](const RECT& r, Button kind) {
      if (r.right > r.left) StylePainter::PaintCaptionButton(hdc, r, kind, false, true);
    };
    paint_button(frame.CloseButton(width), Button::kClose);
    paint_button(frame.MaximizeButton(width), (style & WS_MAXIMIZE) ? Button::kRestore : Button::kMaximize);
    paint_button(frame.MinimizeButton(width), Button::kMinimize);
    paint_button(frame.HelpButton(width), Button::kHelp);
  }
  if (frame.menu_bar()) {
    int selected = -1;
    auto state = MenuPainter::BarState::kNone;
    if (const MenuLoop* loop = MenuLoop::Active()) loop->BarSelection(hwnd, &selected, &state);
    MenuPainter::PaintBar(hdc, MenuBarLayout(GetMenu(hwnd), frame.MenuBarRect(width)), selected, state);
  }
  const RECT inside{client.left - frame.edge(), client.top - frame.edge(),
                    client.right + frame.edge() + frame.vertical_scroll(),
                    client.bottom + frame.edge() + frame.horizontal_scroll()};
  if (frame.edge() == 2) StylePainter::PaintFrame(hdc, inside, StylePainter::Frame::kSunken);
  else if (frame.edge() == 1) StylePainter::PaintFrame(hdc, inside, StylePainter::Frame::kSunkenThin);
  const bool enabled = (style & WS_DISABLED) == 0;
  for (const int bar : {SB_VERT, SB_HORZ}) {
    const RECT rect = ScrollBarRect(hwnd, bar);
    if (rect.right > rect.left && rect.bottom > rect.top)
      PaintScrollBar(hdc, rect, bar == SB_VERT, ScrollBarStateOf(hwnd, bar), enabled);
  }
  if (frame.vertical_scroll() && frame.horizontal_scroll()) {
    const RECT corner{client.right, client.bottom, client.right + frame.vertical_scroll(),
                      client.bottom + frame.horizontal_scroll()};
    FillRect(hdc, &corner, face);
  }
  ReleaseDC(hwnd, hdc);
}

}  // namespace internal

}  // namespace ui
