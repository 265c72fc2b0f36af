// DrawText geometry: where each flag set puts the text, checked as
// rectangles, never as glyph pixels (those vary with FreeType versions).
#include <gtest/gtest.h>

#include <string>

#include "platform/ui/internal/FontSystem.h"
#include "platform/ui/internal/TextLayout.h"
#include "tests/platform/ui/DrawFixture.h"

namespace ui::test {
namespace {

using internal::LayOutText;
using internal::TextLayout;

// A font of 6-pixel characters and 13-pixel lines keeps the expectations
// readable; the real font is checked against its own measurements below.
int SixPixels(std::string_view s) { return static_cast<int>(s.size()) * 6; }

struct LayoutCase {
  const char* name;
  const char* text;
  UINT format;
  RECT first_line;  // the first line's cell
  int lines;
  int result;
};

const RECT kBox{10, 20, 110, 70};  // 100 x 50

const LayoutCase kCases[] = {
    {"left top", "Hello", DT_SINGLELINE, {10, 20, 40, 33}, 1, 13},
    {"centre", "Hello", DT_SINGLELINE | DT_CENTER, {45, 20, 75, 33}, 1, 13},
    {"right", "Hello", DT_SINGLELINE | DT_RIGHT, {80, 20, 110, 33}, 1, 13},
    {"vcentre", "Hello", DT_SINGLELINE | DT_VCENTER, {10, 38, 40, 51}, 1, 31},
    {"centre vcentre", "Hello", DT_SINGLELINE | DT_CENTER | DT_VCENTER, {45, 38, 75, 51}, 1, 31},
    {"bottom", "Hello", DT_SINGLELINE | DT_BOTTOM, {10, 57, 40, 70}, 1, 50},
    {"prefix removed", "&Open", DT_SINGLELINE, {10, 20, 34, 33}, 1, 13},
    {"double ampersand", "A&&B", DT_SINGLELINE, {10, 20, 28, 33}, 1, 13},
    {"no prefix", "&Open", DT_SINGLELINE | DT_NOPREFIX, {10, 20, 40, 33}, 1, 13},
    {"ellipsis", "A long caption that does not fit", DT_SINGLELINE | DT_END_ELLIPSIS, {10, 20, 106, 33}, 1, 13},
    {"ellipsis centred", "A long caption that does not fit", DT_SINGLELINE | DT_END_ELLIPSIS | DT_CENTER, {12, 20, 108, 33}, 1, 13},
    {"ellipsis not needed", "Short", DT_SINGLELINE | DT_END_ELLIPSIS, {10, 20, 40, 33}, 1, 13},
    {"two lines", "One\nTwo lines", 0, {10, 20, 28, 33}, 2, 26},
    {"vcentre ignored on lines", "One\nTwo", DT_VCENTER, {10, 20, 28, 33}, 2, 26},
    {"word break", "alpha beta gamma delta", DT_WORDBREAK, {10, 20, 106, 33}, 2, 26},
};

TEST(DrawTextTest, EachFlagSetPlacesTheLineInTheRectangle) {
  for (const LayoutCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const TextLayout layout = LayOutText(c.text, kBox, c.format, 13, SixPixels);
    ASSERT_EQ(static_cast<int>(layout.lines.size()), c.lines);
    EXPECT_EQ(layout.lines[0].box, c.first_line);
    EXPECT_EQ(layout.result, c.result);
  }
}

TEST(DrawTextTest, EllipsisKeepsAsMuchTextAsFits) {
  const TextLayout layout =
      LayOutText("A long caption that does not fit", kBox, DT_SINGLELINE | DT_END_ELLIPSIS, 13, SixPixels);
  // "A long caption..." is 17 characters, 102 px: one fewer fits in 100.
  EXPECT_EQ(layout.lines[0].text, "A long captio...");
}

TEST(DrawTextTest, PrefixUnderlinesTheMarkedCharacter) {
  const TextLayout marked = LayOutText("Save &As", kBox, DT_SINGLELINE, 13, SixPixels);
  EXPECT_EQ(marked.lines[0].text, "Save As");
  EXPECT_EQ(marked.lines[0].underline_left, 30);
  EXPECT_EQ(marked.lines[0].underline_right, 36);
  const TextLayout hidden = LayOutText("Save &As", kBox, DT_SINGLELINE | DT_HIDEPREFIX, 13, SixPixels);
  EXPECT_EQ(hidden.lines[0].underline_right, 0);
}

TEST(DrawTextTest, CalcRectGivesTheExtentOfTheRealFont) {
  SurfaceCanvas canvas(200, 60);
  SIZE extent;
  ASSERT_TRUE(GetTextExtentPoint32(canvas.dc(), "Toolbar", 7, &extent));
  RECT r{5, 6, 5, 6};
  const int height = DrawText(canvas.dc(), "Tool&bar", -1, &r, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(r, (RECT{5, 6, 5 + extent.cx, 6 + extent.cy}));
  EXPECT_EQ(height, extent.cy);
  // Nothing is drawn while calculating.
  EXPECT_EQ(canvas.InkBox(RGB(255, 255, 255)), RECT{});
}

TEST(DrawTextTest, DrawnInkStaysInsideTheLaidOutLine) {
  struct Case {
    UINT format;
    const char* name;
  };
  for (const Case& c : {Case{DT_SINGLELINE, "left"}, Case{DT_SINGLELINE | DT_CENTER | DT_VCENTER, "centred"},
                        Case{DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, "right bottom"}}) {
    SCOPED_TRACE(c.name);
    SurfaceCanvas canvas(200, 60);
    SetBkMode(canvas.dc(), TRANSPARENT);
    RECT r{10, 5, 190, 55};
    DrawText(canvas.dc(), "Status", -1, &r, c.format);
    SIZE extent;
    GetTextExtentPoint32(canvas.dc(), "Status", 6, &extent);
    const internal::TextLayout layout = LayOutText("Status", r, c.format, extent.cy, [&](std::string_view s) {
      SIZE e;
      GetTextExtentPoint32(canvas.dc(), s.data(), static_cast<int>(s.size()), &e);
      return static_cast<int>(e.cx);
    });
    const RECT ink = canvas.InkBox(RGB(255, 255, 255));
    const RECT cell = layout.lines[0].box;
    EXPECT_GT(ink.right, ink.left);
    EXPECT_GE(ink.left, cell.left - 1);
    EXPECT_LE(ink.right, cell.right + 1);
    EXPECT_GE(ink.top, cell.top);
    EXPECT_LE(ink.bottom, cell.bottom);
  }
}

TEST(DrawTextTest, TextIsClippedToTheRectangleUnlessNoClip) {
  SurfaceCanvas canvas(200, 40);
  SetBkMode(canvas.dc(), TRANSPARENT);
  RECT r{10, 5, 30, 30};
  DrawText(canvas.dc(), "Wide text", -1, &r, DT_SINGLELINE);
  EXPECT_LE(canvas.InkBox(RGB(255, 255, 255)).right, 30);
  SurfaceCanvas unclipped(200, 40);
  SetBkMode(unclipped.dc(), TRANSPARENT);
  DrawText(unclipped.dc(), "Wide text", -1, &r, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(unclipped.InkBox(RGB(255, 255, 255)).right, 30);
}

TEST(DrawTextTest, DialogFontGivesTheClassicBaseUnits) {
  const LONG units = GetDialogBaseUnits();
  EXPECT_EQ(LOWORD(units), 6);
  EXPECT_EQ(HIWORD(units), 13);
  SurfaceCanvas canvas(10, 10);
  const HFONT font = CreateFontIndirect(&static_cast<const LOGFONT&>(DialogLogFont()));
  SelectObject(canvas.dc(), font);
  TEXTMETRIC tm;
  ASSERT_TRUE(GetTextMetrics(canvas.dc(), &tm));
  EXPECT_EQ(tm.tmHeight, 13);
  EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
  EXPECT_GT(tm.tmAveCharWidth, 3);
  SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
}

TEST(DrawTextTest, BoldFontIsWiderThanNormal) {
  SurfaceCanvas canvas(10, 10);
  LOGFONT bold = DialogLogFont();
  bold.lfWeight = FW_BOLD;
  SIZE normal_size, bold_size;
  GetTextExtentPoint32(canvas.dc(), "Caption text", -1, &normal_size);
  const HFONT font = CreateFontIndirect(&bold);
  SelectObject(canvas.dc(), font);
  GetTextExtentPoint32(canvas.dc(), "Caption text", -1, &bold_size);
  EXPECT_GT(bold_size.cx, normal_size.cx);
  SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
}

TEST(DrawTextTest, DrawingWithoutTextLoadsNoFont) {
  // Start-up of an unattended run must stay free of font loading: shapes,
  // fills and blits never touch the font map. (Each test runs in its own
  // process under ctest, so nothing before this one loaded fonts.)
  if (internal::FontSystem::Loaded()) GTEST_SKIP() << "fonts were loaded by an earlier test in this process";
  SurfaceCanvas canvas(50, 50);
  const RECT r{0, 0, 50, 50};
  FillRect(canvas.dc(), &r, GetSysColorBrush(COLOR_BTNFACE));
  RECT edge = r;
  DrawEdge(canvas.dc(), &edge, EDGE_SUNKEN, BF_RECT);
  PatBlt(canvas.dc(), 0, 0, 10, 10, DSTINVERT);
  EXPECT_FALSE(internal::FontSystem::Loaded());
}

}  // namespace
}  // namespace ui::test
