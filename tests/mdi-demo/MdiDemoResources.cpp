#include "tests/mdi-demo/MdiDemoResources.h"

#include <array>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "platform/ui/GdiTypes.h"
#include "platform/ui/ImageResources.h"
#include "platform/ui/Resources.h"

namespace mdidemo {

namespace {

using ui::MenuItemTemplate;

MenuItemTemplate Item(ui::UINT id, const char* text) { return MenuItemTemplate{id, text, ui::MF_STRING, {}}; }
MenuItemTemplate Separator() { return MenuItemTemplate{0, "", ui::MF_SEPARATOR, {}}; }
MenuItemTemplate Popup(const char* text, std::vector<MenuItemTemplate> items) {
  return MenuItemTemplate{0, text, ui::MF_POPUP, std::move(items)};
}

MenuItemTemplate FilePopup() {
  return Popup("&File", {Item(kCmdNewText, "New &Text"), Item(kCmdNewPlot, "New &Plot"), Separator(),
                         Item(kCmdExit, "E&xit")});
}
MenuItemTemplate WindowPopup() {
  return Popup("&Window", {Item(kCmdWindowCascade, "&Cascade"), Item(kCmdWindowTile, "&Tile")});
}

constexpr int kImageSize = 16;
// Each button: a framed square of its own colour.
constexpr std::array<ui::BYTE, 4> kImageColours = {9, 10, 11, 12};
constexpr ui::UINT kToolBarItems[] = {kCmdNewText, kCmdNewPlot, 0, kCmdWindowCascade, kCmdWindowTile};

std::vector<ui::BYTE> ToolBarBitmap() {
  const std::array<ui::RGBQUAD, 16> palette = {{{0, 0, 0, 0},       {0, 0, 128, 0},     {0, 128, 0, 0},
                                                 {0, 128, 128, 0},   {128, 0, 0, 0},     {128, 0, 128, 0},
                                                 {128, 128, 0, 0},   {192, 192, 192, 0}, {128, 128, 128, 0},
                                                 {255, 80, 80, 0},   {80, 200, 80, 0},   {0, 200, 255, 0},
                                                 {200, 80, 220, 0},  {255, 0, 255, 0},   {0, 255, 255, 0},
                                                 {255, 255, 255, 0}}};
  const int width = kImageSize * static_cast<int>(kImageColours.size());
  const int stride = ((width * 4 + 31) / 32) * 4;
  ui::BITMAPINFOHEADER header;
  header.biWidth = width;
  header.biHeight = kImageSize;
  header.biBitCount = 4;
  header.biClrUsed = static_cast<ui::DWORD>(palette.size());
  header.biSizeImage = static_cast<ui::DWORD>(stride * kImageSize);
  std::vector<ui::BYTE> dib(sizeof header + sizeof palette + header.biSizeImage, 0);
  std::memcpy(dib.data(), &header, sizeof header);
  std::memcpy(dib.data() + sizeof header, palette.data(), sizeof palette);
  ui::BYTE* pixels = dib.data() + sizeof header + sizeof palette;
  for (int y = 0; y < kImageSize; ++y) {
    for (int x = 0; x < width; ++x) {
      const int column = x % kImageSize;
      const bool edge = column == 1 || column == kImageSize - 2 || y == 1 || y == kImageSize - 2;
      const bool inside = column > 1 && column < kImageSize - 2 && y > 1 && y < kImageSize - 2;
      // Grey is the button face, left transparent.
      const ui::BYTE index = edge ? 0 : inside ? kImageColours[static_cast<std::size_t>(x / kImageSize)] : 7;
      ui::BYTE& pair = pixels[y * stride + x / 2];
      pair = static_cast<ui::BYTE>(x % 2 ? (pair | index) : (pair | index << 4));
    }
  }
  return dib;
}

}  // namespace

void RegisterMdiDemoResources() {
  ui::RegisterStringResource(kFrameResource, "Briven MDI demo");
  ui::RegisterStringResource(kTextResource, "\nText\nText");
  ui::RegisterStringResource(kPlotResource, "\nPlot\nPlot");
  ui::RegisterMenuResource(kFrameResource, {FilePopup(), WindowPopup(), Popup("&Help", {Item(0xE140, "&About")})});
  ui::RegisterMenuResource(kTextResource,
                           {FilePopup(), Popup("&Edit", {Item(kCmdUndo, "&Undo")}), WindowPopup(),
                            Popup("&Help", {Item(0xE140, "&About")})});
  ui::RegisterMenuResource(kPlotResource,
                           {FilePopup(), Popup("&Plot", {Item(kCmdAxes, "&Axes"), Item(kCmdGrid, "&Grid")}),
                            Popup("&View", {Item(kCmdGrid, "&Zoom")}), WindowPopup(),
                            Popup("&Help", {Item(0xE140, "&About")})});
  ui::RegisterBitmapResource(kFrameResource, ToolBarBitmap());
  ui::ToolbarResource toolbar;
  toolbar.width = kImageSize;
  toolbar.height = kImageSize;
  for (ui::UINT id : kToolBarItems) toolbar.items.push_back(static_cast<ui::WORD>(id));
  ui::RegisterToolbarResource(kFrameResource, std::move(toolbar));
}

}  // namespace mdidemo
