// Button faces in every state, drawn side by side into one strip, written
// as a PNG and probed there: the frames, the pushed-in image, the dither
// of a checked face, the embossed disabled image.
#include "docking/QVTButtonPainter.h"

#include <cairo.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "docking/QVTToolBarDrawingData.h"

namespace docking {
namespace {

constexpr int kPitch = 27;  // a button and a gap

// A 16 x 15 image on the face colour with a black 4 x 4 square at (6, 5).
HBITMAP TestImage() {
  HBITMAP bitmap = CreateBitmap(16, 15, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ before = SelectObject(dc, bitmap);
  HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
  const RECT all{0, 0, 16, 15};
  FillRect(dc, &all, face);
  DeleteObject(face);
  HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
  const RECT square{6, 5, 10, 9};
  FillRect(dc, &square, black);
  DeleteObject(black);
  SelectObject(dc, before);
  DeleteDC(dc);
  return bitmap;
}

struct Probe {
  int x, y;
  int colour;  // a system colour index, or -1 for black
};

struct FaceCase {
  const char* name;
  DWORD style;
  bool coolLook;
  bool customise;
  std::vector<Probe> probes;
  bool dithered;  // (2, 2) and (3, 2) are the two dither colours
};

COLORREF Expected(int colour) { return colour < 0 ? RGB(0, 0, 0) : GetSysColor(colour); }

class PngPixels {
 public:
  explicit PngPixels(const std::string& path) : surface_(cairo_image_surface_create_from_png(path.c_str())) {}
  ~PngPixels() { cairo_surface_destroy(surface_); }
  bool Ok() const { return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS; }
  COLORREF At(int x, int y) const {
    const unsigned char* row = cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
    const std::uint32_t pixel = reinterpret_cast<const std::uint32_t*>(row)[x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }

 private:
  cairo_surface_t* surface_;
};

TEST(QVTButtonPainterTest, FacesInEveryStateAsAPng) {
  const int F = COLOR_BTNFACE, S = COLOR_BTNSHADOW, H = COLOR_BTNHIGHLIGHT, W = COLOR_WINDOWFRAME, K = -1;
  // The image sits at (3, 3), its square at (9..12, 8..11); pushed in, one
  // pixel further right and down.
  const std::vector<FaceCase> cases = {
      {"plain", 0, false, false, {{0, 0, H}, {22, 21, W}, {21, 20, S}, {1, 1, F}, {9, 8, K}, {13, 12, F}}, false},
      {"pressed", kTBPressed, false, false, {{0, 0, W}, {1, 1, S}, {22, 21, H}, {9, 8, F}, {13, 12, K}}, false},
      {"cool, not hot", 0, true, false, {{0, 0, F}, {22, 21, F}, {9, 8, K}}, false},
      {"cool, hot", kTBHot, true, false, {{0, 0, H}, {22, 21, S}, {1, 1, F}, {9, 8, K}}, false},
      {"cool, pressed", kTBPressed | kTBHot, true, false, {{0, 0, S}, {22, 21, H}, {1, 1, F}, {13, 12, K}}, false},
      {"checked", kTBChecked, false, false, {{0, 0, W}, {13, 12, K}}, true},
      {"indeterminate", kTBIndeterminate, false, false, {{0, 0, H}, {9, 8, S}, {12, 11, S}}, true},
      {"disabled", kTBDisabled, false, false, {{0, 0, H}, {9, 8, S}, {12, 11, S}, {13, 12, H}, {5, 5, F}}, false},
      {"disabled and checked", kTBDisabled | kTBChecked, false, false, {{0, 0, W}, {10, 9, S}, {13, 12, S}}, true},
      {"customised: flat", kTBChecked, false, true, {{0, 0, H}, {9, 8, K}, {2, 2, F}, {3, 2, F}}, false},
  };

  HBITMAP image = TestImage();
  QVTButtonDrawContext context;
  ASSERT_TRUE(context.IsReady());
  ASSERT_TRUE(context.Prepare({23, 22}));
  context.SelectImage(image);

  const int width = kPitch * static_cast<int>(cases.size());
  HBITMAP strip = CreateBitmap(width, 22, 1, 32, nullptr);
  HDC target = CreateCompatibleDC(nullptr);
  HGDIOBJ before = SelectObject(target, strip);
  HBRUSH gap = CreateSolidBrush(RGB(255, 0, 255));
  const RECT all{0, 0, width, 22};
  FillRect(target, &all, gap);
  DeleteObject(gap);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    QVTButtonLook look;
    look.style = cases[i].style;
    look.image = image;
    look.coolLook = cases[i].coolLook;
    look.customise = cases[i].customise;
    QVTButtonPainter::DrawButton(context, look);
    QVTButtonPainter::BlitToScreen(target, context, static_cast<int>(i) * kPitch, 0, look.width, look.height);
  }
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/toolbar_button_faces.png";
  ASSERT_TRUE(WriteDCPng(target, path.c_str()));
  SelectObject(target, before);
  DeleteDC(target);
  DeleteObject(strip);
  context.SelectImage(nullptr);
  DeleteObject(image);

  const PngPixels png(path);
  ASSERT_TRUE(png.Ok());
  const std::set<COLORREF> dither = {GetSysColor(F), GetSysColor(H)};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    const int left = static_cast<int>(i) * kPitch;
    for (const Probe& probe : cases[i].probes)
      EXPECT_EQ(png.At(left + probe.x, probe.y), Expected(probe.colour)) << probe.x << "," << probe.y;
    if (cases[i].dithered) {
      EXPECT_NE(png.At(left + 2, 2), png.At(left + 3, 2));
      EXPECT_TRUE(dither.count(png.At(left + 2, 2)) && dither.count(png.At(left + 3, 2)));
    }
  }
}

TEST(QVTButtonPainterTest, SeparatorIsAnEtchedLine) {
  struct Case {
    const char* name;
    DWORD exStyle;
    bool filled;
  } cases[] = {{"cool look", 0x100, true}, {"cool look, transparent", 0x1100, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HBITMAP bitmap = CreateBitmap(8, 22, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ before = SelectObject(dc, bitmap);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const RECT rect{0, 0, 8, 22};
    FillRect(dc, &rect, red);
    DeleteObject(red);
    QVTButtonPainter::DrawSeparator(dc, rect, 8, c.exStyle);
    EXPECT_EQ(GetPixel(dc, 3, 10), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(dc, 4, 21), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GetPixel(dc, 0, 0), c.filled ? GetSysColor(COLOR_BTNFACE) : RGB(255, 0, 0));
    SelectObject(dc, before);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
}

TEST(QVTButtonPainterTest, DitherFollowsAColourChange) {
  QVTButtonDrawContext context;
  ASSERT_TRUE(context.Prepare({23, 22}));
  const int index = COLOR_BTNFACE;
  const COLORREF before = GetSysColor(index);
  const COLORREF changed = RGB(20, 120, 220);
  SetSysColors(1, &index, &changed);
  ToolkitDrawingData::Get().UpdateSysColors();
  context.RebuildDitherBrush();
  HDC dc = context.ButtonDC();
  HGDIOBJ old = SelectObject(dc, context.DitherBrush());
  PatBlt(dc, 0, 0, 8, 8, PATCOPY);
  SelectObject(dc, old);
  const std::set<COLORREF> seen = {GetPixel(dc, 0, 0), GetPixel(dc, 1, 0)};
  EXPECT_EQ(seen, (std::set<COLORREF>{changed, GetSysColor(COLOR_BTNHIGHLIGHT)}));
  SetSysColors(1, &index, &before);
  ToolkitDrawingData::Get().UpdateSysColors();
}

}  // namespace
}  // namespace docking
