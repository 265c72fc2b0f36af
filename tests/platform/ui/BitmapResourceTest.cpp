// Bitmap resources and DIBs: the colour table is as long as biClrUsed
// says, and a table or rows that run past the bytes are refused.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/platform/ui/DrawFixture.h"

namespace ui::test {
namespace {

// A packed DIB: header, `colors` table entries, then rows of 8-bit indexes.
std::vector<BYTE> Dib(int width, int height, WORD bits, DWORD clr_used, const std::vector<RGBQUAD>& colors,
                      const std::vector<BYTE>& pixels) {
  BITMAPINFOHEADER h;
  h.biWidth = width;
  h.biHeight = height;
  h.biBitCount = bits;
  h.biClrUsed = clr_used;
  std::vector<BYTE> out(sizeof h);
  std::memcpy(out.data(), &h, sizeof h);
  for (const RGBQUAD& q : colors) out.insert(out.end(), {q.rgbBlue, q.rgbGreen, q.rgbRed, q.rgbReserved});
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

const RGBQUAD kRed{0, 0, 255, 0};
const RGBQUAD kGrey{192, 192, 192, 0};

TEST(BitmapResourceTest, ColourTableHoldsBiClrUsedEntries) {
  // Two colours, then one row of four 8-bit pixels: 1, 0, 1, 0. Reading
  // 256 entries would take the pixel row as colours and run past the end.
  const std::vector<BYTE> dib = Dib(4, 1, 8, 2, {kRed, kGrey}, {1, 0, 1, 0});
  std::vector<RGBQUAD> table;
  ASSERT_TRUE(ReadColorTable(dib.data(), dib.size(), table));
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table[1].rgbRed, 192);

  RegisterBitmapResource(9001, dib);
  const HBITMAP bitmap = LoadBitmap(9001);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(GetBitmapPixel(bitmap, 0, 0), RGB(192, 192, 192));
  EXPECT_EQ(GetBitmapPixel(bitmap, 1, 0), RGB(255, 0, 0));
  DeleteObject(bitmap);
}

TEST(BitmapResourceTest, TableOrRowsRunningPastTheResourceAreRefused) {
  struct Case {
    const char* name;
    std::vector<BYTE> dib;
  };
  const Case cases[] = {
      // 16 colours promised by a 4-bit header with biClrUsed 0, two present.
      {"table past the end", Dib(8, 1, 4, 0, {kRed, kGrey}, {})},
      {"biClrUsed past the end", Dib(4, 1, 8, 200, {kRed, kGrey}, {1, 0, 1, 0})},
      {"rows past the end", Dib(4, 2, 8, 2, {kRed, kGrey}, {1, 0, 1, 0})},
      {"header cut short", std::vector<BYTE>(20, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RegisterBitmapResource(9002, c.dib);
    EXPECT_EQ(LoadBitmap(9002), nullptr);
  }
  std::vector<RGBQUAD> table;
  EXPECT_FALSE(ReadColorTable(cases[0].dib.data(), cases[0].dib.size(), table));
}

TEST(BitmapResourceTest, ClrUsedAboveTheBitCountIsCappedAndIndexesPastTheTableAreBlack) {
  // A 1-bit DIB claiming 5 colours reads two; an 8-bit index past a
  // two-entry table draws black instead of reading past it.
  const std::vector<BYTE> mono = Dib(1, 1, 1, 5, {kRed, kGrey, kRed, kRed, kRed}, {0x80, 0, 0, 0});
  std::vector<RGBQUAD> table;
  ASSERT_TRUE(ReadColorTable(mono.data(), mono.size(), table));
  EXPECT_EQ(table.size(), 2u);
  RegisterBitmapResource(9003, Dib(4, 1, 8, 2, {kRed, kGrey}, {7, 0, 1, 0}));
  const HBITMAP bitmap = LoadBitmap(9003);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(GetBitmapPixel(bitmap, 0, 0), RGB(0, 0, 0));
  DeleteObject(bitmap);
}

TEST(BitmapResourceTest, StretchDIBitsChecksTheInfoAndPixelSizes) {
  const std::vector<BYTE> dib = Dib(4, 1, 8, 2, {kRed, kGrey}, {1, 0, 1, 0});
  const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
  const std::size_t info_size = sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD);
  const BYTE* bits = dib.data() + info_size;
  MemoryCanvas canvas(4, 1);
  EXPECT_EQ(StretchDIBits(canvas.dc(), 0, 0, 4, 1, 0, 0, 4, 1, bits, 4, info, info_size, DIB_RGB_COLORS, SRCCOPY), 1);
  EXPECT_EQ(canvas.Pixels(), (std::vector<COLORREF>{RGB(192, 192, 192), RGB(255, 0, 0), RGB(192, 192, 192), RGB(255, 0, 0)}));
  // The table runs past `info_size`; the rows past `bits_size`.
  EXPECT_EQ(StretchDIBits(canvas.dc(), 0, 0, 4, 1, 0, 0, 4, 1, bits, 4, info, info_size - 1, DIB_RGB_COLORS, SRCCOPY), 0);
  EXPECT_EQ(StretchDIBits(canvas.dc(), 0, 0, 4, 1, 0, 0, 4, 1, bits, 3, info, info_size, DIB_RGB_COLORS, SRCCOPY), 0);
}

TEST(BitmapResourceTest, BottomUpRowsAreDrawnTopRowFirst) {
  // Rows are padded to four bytes; the first stored row is the bottom one.
  const std::vector<BYTE> dib = Dib(1, 2, 8, 2, {kRed, kGrey}, {0, 0, 0, 0, 1, 0, 0, 0});
  RegisterBitmapResource(9004, dib);
  const HBITMAP bitmap = LoadBitmap(9004);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(GetBitmapPixel(bitmap, 0, 0), RGB(192, 192, 192));
  EXPECT_EQ(GetBitmapPixel(bitmap, 0, 1), RGB(255, 0, 0));
  DeleteObject(bitmap);
}

TEST(BitmapResourceTest, IconDrawsImageWhereTheMaskIsBlackAndKeepsTheRest) {
  SurfaceCanvas canvas(40, 40);
  const HICON icon = LoadIcon(IDI_APPLICATION);
  ASSERT_NE(icon, nullptr);
  ASSERT_TRUE(DrawIconEx(canvas.dc(), 4, 4, icon, 16, 16, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(canvas.At(4, 4), RGB(0, 0, 0));       // the outline
  EXPECT_EQ(canvas.At(6, 5), RGB(0, 0, 128));     // the caption
  EXPECT_EQ(canvas.At(30, 30), RGB(255, 255, 255));
  EXPECT_EQ(canvas.InkBox(RGB(255, 255, 255)), (RECT{4, 4, 20, 20}));
  // The arrow cursor's transparent corner keeps the background.
  const HCURSOR arrow = LoadCursor(IDC_ARROW);
  ASSERT_NE(arrow, nullptr);
  SurfaceCanvas under(20, 20);
  DrawIconEx(under.dc(), 0, 0, arrow, 0, 0, 0, nullptr, DI_NORMAL);
  EXPECT_EQ(under.At(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(under.At(8, 1), RGB(255, 255, 255));
  EXPECT_EQ(under.At(1, 2), RGB(255, 255, 255));  // the arrow's white inside
}

}  // namespace
}  // namespace ui::test

namespace ui::test {
namespace {

TEST(MappedBitmapTest, ToolbarGreysTakeTheSystemColoursFromAShortTable) {
  // Four colours declared by biClrUsed, then the pixels: read as 256
  // entries, the pixel row would be taken as colours and the read would
  // run past the resource.
  BITMAPINFOHEADER h;
  h.biWidth = 4;
  h.biHeight = 1;
  h.biBitCount = 8;
  h.biClrUsed = 4;
  std::vector<BYTE> dib(sizeof h);
  std::memcpy(dib.data(), &h, sizeof h);
  for (COLORREF c : {RGB(0, 0, 0), RGB(128, 128, 128), RGB(192, 192, 192), RGB(255, 255, 255)})
    dib.insert(dib.end(), {GetBValue(c), GetGValue(c), GetRValue(c), 0});
  dib.insert(dib.end(), {0, 1, 2, 3});
  RegisterBitmapResource(9010, dib);
  const COLORMAP maps[] = {{RGB(0, 0, 0), RGB(1, 1, 1)},
                           {RGB(128, 128, 128), RGB(2, 2, 2)},
                           {RGB(192, 192, 192), RGB(3, 3, 3)},
                           {RGB(192, 192, 192), RGB(9, 9, 9)},  // the first match wins
                           {RGB(255, 255, 255), RGB(4, 4, 4)}};
  const HBITMAP bitmap = CreateMappedBitmap(9010, maps, 5);
  ASSERT_NE(bitmap, nullptr);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(GetBitmapPixel(bitmap, x, 0), RGB(x + 1, x + 1, x + 1));
  DeleteObject(bitmap);
  // The same bytes cut inside the colour table are refused.
  dib.resize(sizeof h + 10);
  RegisterBitmapResource(9011, dib);
  EXPECT_EQ(CreateMappedBitmap(9011, maps, 5), nullptr);
}

}  // namespace
}  // namespace ui::test
