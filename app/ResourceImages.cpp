// The program's images as C++ data: toolbar resource 128 and its bitmap
// 128, sixteen by fifteen pixels an image, our own drawings. The bitmap is
// kept as a resource file keeps it (a 4-bit DIB with the sixteen classic
// colours), so the toolbar's colour mapping finds its greys in the table.
#include <array>
#include <cstring>
#include <string_view>
#include <vector>

#include "app/AppResources.h"
#include "app/ResourceRegistration.h"
#include "platform/ui/ImageResources.h"

namespace app {

namespace {

constexpr int kImageWidth = 16;
constexpr int kImageHeight = 15;

// The sixteen classic colours, in table order (blue, green, red, 0).
constexpr std::array<ui::RGBQUAD, 16> kPalette = {{
    {0, 0, 0, 0},       {0, 0, 128, 0},     {0, 128, 0, 0},     {0, 128, 128, 0},
    {128, 0, 0, 0},     {128, 0, 128, 0},   {128, 128, 0, 0},   {192, 192, 192, 0},
    {128, 128, 128, 0}, {0, 0, 255, 0},     {0, 255, 0, 0},     {0, 255, 255, 0},
    {255, 0, 0, 0},     {255, 0, 255, 0},   {255, 255, 0, 0},   {255, 255, 255, 0},
}};

// Drawing characters and their table entries: '.' the face grey, 'k'
// black, 'g' dark grey, 'w' white, 'b' navy, 'B' blue, 'r' red, 'y'
// yellow, 'G' green, 'c' teal.
int PaletteIndex(char c) {
  switch (c) {
    case 'k': return 0;
    case 'G': return 2;
    case 'b': return 4;
    case 'c': return 6;
    case 'g': return 8;
    case 'r': return 9;
    case 'y': return 11;
    case 'B': return 12;
    case 'w': return 15;
    default: return 7;
  }
}

using Image = std::array<std::string_view, kImageHeight>;

// In the order of the toolbar's commands, separators left out.
constexpr Image kImages[] = {
    // Conversion parameters: a sheet with two sliders.
    {"................", ".kkkkkkkkkkkkk..", ".kwwwwwwwwwwwk..", ".kwgggggggggwk..", ".kwwwkkwwwwwwk..",
     ".kwwwkkwwwwwwk..", ".kwgggggggggwk..", ".kwwwwwwwkkwwk..", ".kwwwwwwwkkwwk..", ".kwgggggggggwk..",
     ".kwwkkwwwwwwwk..", ".kwwkkwwwwwwwk..", ".kwwwwwwwwwwwk..", ".kkkkkkkkkkkkk..", "................"},
    // Output file naming: a page with a pen.
    {"................", "..kkkkkkkk......", "..kwwwwwwkk.....", "..kwwwwwwkwk....", "..kwkkkwwkkkk...",
     "..kwwwwwwwwwk...", "..kwkkkkkwwwk.rr", "..kwwwwwwwwwkrr.", "..kwkkkkwwwrrk..", "..kwwwwwwwrrwk..",
     "..kwkkkwwyywwk..", "..kwwwwwwkwwwk..", "..kwwwwwwwwwwk..", "..kkkkkkkkkkkk..", "................"},
    // Header conversion: a page whose top rows are set apart.
    {"................", "..kkkkkkkkkkkk..", "..kbbbbbbbbbbk..", "..kbwwbwwbwwbk..", "..kbbbbbbbbbbk..",
     "..kwwwwwwwwwwk..", "..kwkkkkkkkwwk..", "..kwwwwwwwwwwk..", "..kwkkkkkkwwwk..", "..kwwwwwwwwwwk..",
     "..kwkkkkkkkkwk..", "..kwwwwwwwwwwk..", "..kwkkkkkwwwwk..", "..kkkkkkkkkkkk..", "................"},
    // Begin conversion: a green arrow pointing right.
    {"................", "........k.......", "........kk......", "........kGk.....", "........kGGk....",
     ".kkkkkkkkGGGk...", ".kGGGGGGGGGGGk..", ".kGGGGGGGGGGGGk.", ".kGGGGGGGGGGGk..", ".kkkkkkkkGGGk...",
     "........kGGk....", "........kGk.....", "........kk......", "........k.......", "................"},
    // File list properties: a list with bullets.
    {"................", ".kkkkkkkkkkkkkk.", ".kwwwwwwwwwwwwk.", ".kwbbwkkkkkkwwk.", ".kwbbwwwwwwwwwk.",
     ".kwwwwwwwwwwwwk.", ".kwbbwkkkkkkkwk.", ".kwbbwwwwwwwwwk.", ".kwwwwwwwwwwwwk.", ".kwbbwkkkkkwwwk.",
     ".kwbbwwwwwwwwwk.", ".kwwwwwwwwwwwwk.", ".kkkkkkkkkkkkkk.", "................", "................"},
    // Refresh file lists: two turning arrows.
    {"................", ".....GGGGG......", "...GG.....GG.G..", "..G.........GG..", "..G........GGG..",
     ".G........GGGG..", ".G..............", ".G..............", "..............G.", "..GGGG........G.",
     "..GGG........G..", "..GG.........G..", "..G.GG.....GG...", "......GGGGG.....", "................"},
    // Conversion log output window: a window with text lines.
    {"................", "kkkkkkkkkkkkkkkk", "kbbbbbbbbbbbbbbk", "kkkkkkkkkkkkkkkk", "kwwwwwwwwwwwwwwk",
     "kwkkkkkkkwwwwwwk", "kwwwwwwwwwwwwwwk", "kwkkkkkkkkkkwwwk", "kwwwwwwwwwwwwwwk", "kwkkkkkwwwwwwwwk",
     "kwwwwwwwwwwwwwwk", "kwkkkkkkkkkwwwwk", "kwwwwwwwwwwwwwwk", "kkkkkkkkkkkkkkkk", "................"},
    // About: a question mark in a balloon.
    {"................", "....kkkkkkk.....", "..kkwwwwwwwkk...", ".kwwwwbbbwwwwk..", ".kwwwbbwbbwwwk..",
     ".kwwwwwwbbwwwk..", ".kwwwwwbbwwwwk..", ".kwwwwwbbwwwwk..", ".kwwwwwwwwwwwk..", ".kwwwwwbbwwwwk..",
     "..kkwwwwwwwkk...", "....kkkwwkk.....", "......kwk.......", ".......kk.......", "................"},
    // Context help: the arrow and a question mark.
    {"k...............", "kk..............", "kwk.......bbb...", "kwwk.....bb.bb..", "kwwwk.......bb..",
     "kwwwwk.....bb...", "kwwwwwk....bb...", "kwwwwwwk........", "kwwwkkkkk..bb...", "kwwk............",
     "kwk.kwwk........", "kk..kwwk........", "k....kwwk.......", ".....kwwk.......", "......kk........"},
};

constexpr std::uint16_t kToolbarItems[] = {kCmdParameters, kCmdFileNaming, kCmdHeader, kCmdConvert, 0,
                                           kCmdViewProperties, kCmdRefresh, kCmdConversionLog, 0,
                                           kCmdAppAbout, kCmdContextHelp};

// The images side by side as a bottom-up 4-bit DIB with its full table.
std::vector<ui::BYTE> ToolbarBitmap() {
  constexpr int count = static_cast<int>(std::size(kImages));
  constexpr int width = kImageWidth * count;
  constexpr int stride = ((width * 4 + 31) / 32) * 4;
  ui::BITMAPINFOHEADER header;
  header.biWidth = width;
  header.biHeight = kImageHeight;
  header.biBitCount = 4;
  header.biClrUsed = static_cast<ui::DWORD>(kPalette.size());
  header.biSizeImage = stride * kImageHeight;
  std::vector<ui::BYTE> dib(sizeof header + sizeof kPalette + header.biSizeImage, 0);
  std::memcpy(dib.data(), &header, sizeof header);
  std::memcpy(dib.data() + sizeof header, kPalette.data(), sizeof kPalette);
  ui::BYTE* pixels = dib.data() + sizeof header + sizeof kPalette;
  for (int y = 0; y < kImageHeight; ++y) {
    ui::BYTE* row = pixels + (kImageHeight - 1 - y) * stride;
    for (int x = 0; x < width; ++x) {
      const std::string_view line = kImages[x / kImageWidth][y];
      const int column = x % kImageWidth;
      const int index = PaletteIndex(column < static_cast<int>(line.size()) ? line[column] : '.');
      row[x / 2] |= static_cast<ui::BYTE>(x % 2 ? index : index << 4);
    }
  }
  return dib;
}

}  // namespace

void RegisterImageResources() {
  ui::RegisterBitmapResource(kMainResource, ToolbarBitmap());
  ui::ToolbarResource toolbar;
  toolbar.width = kImageWidth;
  toolbar.height = kImageHeight;
  toolbar.items.assign(std::begin(kToolbarItems), std::end(kToolbarItems));
  ui::RegisterToolbarResource(kMainResource, std::move(toolbar));
}

}  // namespace app
