// Every raster operation the framework names, against the truth table of
// destination x source x pattern on 2x2 pixels, and the rules between
// monochrome and colour pixels.
#include <gtest/gtest.h>

#include <functional>

#include "tests/platform/ui/DrawFixture.h"

namespace ui::test {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct RopCase {
  const char* name;
  DWORD rop;
  std::function<bool(bool p, bool s, bool d)> expected;
};

// Each operation written as the boolean function its documentation gives.
const RopCase kRops[] = {
    {"SRCCOPY", SRCCOPY, [](bool, bool s, bool) { return s; }},
    {"SRCPAINT", SRCPAINT, [](bool, bool s, bool d) { return s || d; }},
    {"SRCAND", SRCAND, [](bool, bool s, bool d) { return s && d; }},
    {"SRCINVERT", SRCINVERT, [](bool, bool s, bool d) { return s != d; }},
    {"PATCOPY", PATCOPY, [](bool p, bool, bool) { return p; }},
    {"PATINVERT", PATINVERT, [](bool p, bool, bool d) { return p != d; }},
    {"DSTINVERT", DSTINVERT, [](bool, bool, bool d) { return !d; }},
    {"0xB8074A", 0xB8074A, [](bool p, bool s, bool d) { return s ? d : p; }},
    {"0xE20746", 0xE20746, [](bool p, bool s, bool d) { return s ? p : d; }},
    {"0x220326", 0x220326, [](bool, bool s, bool d) { return d && !s; }},
    {"BLACKNESS", BLACKNESS, [](bool, bool, bool) { return false; }},
    {"WHITENESS", WHITENESS, [](bool, bool, bool) { return true; }},
    {"NOTSRCCOPY", NOTSRCCOPY, [](bool, bool s, bool) { return !s; }},
    {"MERGECOPY", MERGECOPY, [](bool p, bool s, bool) { return p && s; }},
};

COLORREF Bw(bool white) { return white ? kWhite : kBlack; }

TEST(RasterOpTest, EveryNamedOperationFollowsItsTruthTable) {
  // The four pixels carry every source x destination pair; the pattern is
  // a solid black or white brush.
  const bool sources[4] = {false, false, true, true};
  const bool destinations[4] = {false, true, false, true};
  for (const RopCase& c : kRops) {
    for (bool pattern : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.name << " pattern " << pattern);
      MemoryCanvas source(2, 2), dest(2, 2);
      source.Fill({Bw(sources[0]), Bw(sources[1]), Bw(sources[2]), Bw(sources[3])});
      dest.Fill({Bw(destinations[0]), Bw(destinations[1]), Bw(destinations[2]), Bw(destinations[3])});
      const HBRUSH brush = CreateSolidBrush(Bw(pattern));
      const HGDIOBJ old = SelectObject(dest.dc(), brush);
      ASSERT_TRUE(BitBlt(dest.dc(), 0, 0, 2, 2, source.dc(), 0, 0, c.rop));
      SelectObject(dest.dc(), old);
      DeleteObject(brush);
      const std::vector<COLORREF> got = dest.Pixels();
      for (int i = 0; i < 4; ++i)
        EXPECT_EQ(got[i], Bw(c.expected(pattern, sources[i], destinations[i])))
            << "s=" << sources[i] << " d=" << destinations[i];
    }
  }
}

TEST(RasterOpTest, OperationsWorkOnEachColourBitAlone) {
  // XOR of two colours, bit by bit: nothing assumes black and white.
  MemoryCanvas source(1, 1), dest(1, 1);
  source.Fill({RGB(0x12, 0x34, 0x56)});
  dest.Fill({RGB(0xF0, 0x0F, 0xFF)});
  BitBlt(dest.dc(), 0, 0, 1, 1, source.dc(), 0, 0, SRCINVERT);
  EXPECT_EQ(dest.Pixels()[0], RGB(0x12 ^ 0xF0, 0x34 ^ 0x0F, 0x56 ^ 0xFF));
}

TEST(RasterOpTest, PatBltUsesTheSelectedBrushAndTheClip) {
  MemoryCanvas dest(2, 2);
  dest.Fill({kWhite, kWhite, kWhite, kWhite});
  const HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
  SelectObject(dest.dc(), brush);
  ExcludeClipRect(dest.dc(), 1, 0, 2, 2);
  PatBlt(dest.dc(), 0, 0, 2, 2, PATCOPY);
  EXPECT_EQ(dest.Pixels(), (std::vector<COLORREF>{RGB(10, 20, 30), kWhite, RGB(10, 20, 30), kWhite}));
  SelectObject(dest.dc(), GetStockObject(WHITE_BRUSH));
  DeleteObject(brush);
}

TEST(RasterOpTest, MonochromeSourceTakesTheDestinationTextAndBackgroundColours) {
  MemoryCanvas mono(2, 1, true), dest(2, 1);
  mono.Fill({kBlack, kWhite});
  SetTextColor(dest.dc(), RGB(200, 0, 0));
  SetBkColor(dest.dc(), RGB(0, 200, 0));
  BitBlt(dest.dc(), 0, 0, 2, 1, mono.dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(dest.Pixels(), (std::vector<COLORREF>{RGB(200, 0, 0), RGB(0, 200, 0)}));
}

TEST(RasterOpTest, ColourToMonochromeIsWhiteWhereTheSourceMatchesItsBackgroundColour) {
  MemoryCanvas source(3, 1), mono(3, 1, true);
  source.Fill({RGB(0, 0, 255), RGB(255, 255, 255), RGB(1, 2, 3)});
  SetBkColor(source.dc(), RGB(0, 0, 255));
  BitBlt(mono.dc(), 0, 0, 3, 1, source.dc(), 0, 0, SRCCOPY);
  // White is not the background colour here, so it becomes black.
  EXPECT_EQ(mono.Pixels(), (std::vector<COLORREF>{kWhite, kBlack, kBlack}));
}

TEST(RasterOpTest, PatternShowsThroughTheBlackOfAMask) {
  // 0xB8074A, as disabled images are drawn: the mask's white keeps the
  // destination, its black takes the brush.
  MemoryCanvas mask(2, 1, true), dest(2, 1);
  mask.Fill({kBlack, kWhite});
  dest.Fill({RGB(50, 60, 70), RGB(50, 60, 70)});
  SetTextColor(dest.dc(), kBlack);
  SetBkColor(dest.dc(), kWhite);
  const HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
  SelectObject(dest.dc(), brush);
  BitBlt(dest.dc(), 0, 0, 2, 1, mask.dc(), 0, 0, 0xB8074A);
  EXPECT_EQ(dest.Pixels(), (std::vector<COLORREF>{RGB(255, 0, 0), RGB(50, 60, 70)}));
  SelectObject(dest.dc(), GetStockObject(WHITE_BRUSH));
  DeleteObject(brush);
}

TEST(RasterOpTest, MonochromePatternBrushTakesTheTextAndBackgroundColours) {
  const BYTE rows[16] = {0x55, 0, 0x55, 0, 0x55, 0, 0x55, 0, 0x55, 0, 0x55, 0, 0x55, 0, 0x55, 0};
  const HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
  const HBRUSH brush = CreatePatternBrush(pattern);
  MemoryCanvas dest(2, 1);
  SetTextColor(dest.dc(), RGB(1, 2, 3));
  SetBkColor(dest.dc(), RGB(4, 5, 6));
  const RECT r{0, 0, 2, 1};
  FillRect(dest.dc(), &r, brush);
  // 0x55: bit 7 (x = 0) is 0, black: text colour; x = 1 is white: background.
  EXPECT_EQ(dest.Pixels(), (std::vector<COLORREF>{RGB(1, 2, 3), RGB(4, 5, 6)}));
  DeleteObject(brush);
  DeleteObject(pattern);
}

TEST(RasterOpTest, StretchBltSamplesNearestPixels) {
  MemoryCanvas source(2, 1), dest(4, 1);
  source.Fill({RGB(1, 1, 1), RGB(2, 2, 2)});
  StretchBlt(dest.dc(), 0, 0, 4, 1, source.dc(), 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(dest.Pixels(), (std::vector<COLORREF>{RGB(1, 1, 1), RGB(1, 1, 1), RGB(2, 2, 2), RGB(2, 2, 2)}));
}

TEST(RasterOpTest, OverlappingBlitWithinOneBitmapReadsTheOriginal) {
  MemoryCanvas canvas(4, 1);
  canvas.Fill({RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3), RGB(4, 4, 4)});
  BitBlt(canvas.dc(), 1, 0, 3, 1, canvas.dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(canvas.Pixels(), (std::vector<COLORREF>{RGB(1, 1, 1), RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3)}));
}

TEST(RasterOpTest, HalftoneBrushIsAlignedToTheScreenNotTheWindow) {
  // Two windows one pixel apart on the screen: at the same screen point
  // they show the same halftone pixel, at the same window point opposite ones.
  SurfaceCanvas left(8, 8, POINT{100, 50}), right(8, 8, POINT{101, 50});
  for (const SurfaceCanvas* canvas : {&left, &right}) {
    const RECT all{0, 0, 8, 8};
    FillRect(canvas->dc(), &all, GetHalftoneBrush());
  }
  EXPECT_NE(left.At(0, 0), right.At(0, 0));
  EXPECT_EQ(left.At(1, 0), right.At(0, 0));  // both at screen (101, 50)
  EXPECT_EQ(left.At(3, 2), right.At(2, 2));
  // And a context whose origin lies inside its surface (a child window in
  // its top-level's back buffer) agrees with the screen too.
  SurfaceCanvas child(16, 8, POINT{101, 50}, POINT{5, 0});
  const RECT all{-5, 0, 11, 8};
  FillRect(child.dc(), &all, GetHalftoneBrush());
  EXPECT_EQ(child.At(5, 0), right.At(0, 0));
  EXPECT_EQ(child.At(6, 3), right.At(1, 3));
}

TEST(RasterOpTest, DragOutlineInvertedTwiceLeavesTheScreenAsItWas) {
  SurfaceCanvas canvas(40, 30, POINT{3, 7});
  const RECT box{5, 5, 35, 25};
  StylePainter::PaintDragOutline(canvas.dc(), box, 4);
  EXPECT_NE(canvas.InkBox(RGB(255, 255, 255)).right, 0);
  EXPECT_EQ(canvas.InkBox(RGB(255, 255, 255)), box);
  StylePainter::PaintDragOutline(canvas.dc(), box, 4);
  EXPECT_EQ(canvas.InkBox(RGB(255, 255, 255)), RECT{});
}

}  // namespace
}  // namespace ui::test
