// The program's icon and the headings of the main window's lists, drawn
// here in code: the icon (128) is a page whose upper half shows a signal
// and whose lower half shows the columns it becomes; the headings (140 to
// 145) are navy bands with the list's name in white, so they read the same
// on every colour scheme. The copy cursor (20691), shown while a toolbar
// button is dragged as a copy, is the arrow with a boxed plus beside it.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "app/AppResources.h"
#include "app/DialogPictures.h"
#include "app/ResourceRegistration.h"
#include "platform/ui/Drawing.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/ImageResources.h"
#include "platform/ui/Text.h"

namespace app {
namespace {

constexpr int kIconSize = 32;
constexpr std::uint32_t kTransparent = 0;
constexpr std::uint32_t kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu, kGrey = 0xFFC0C0C0u, kDarkGrey = 0xFF808080u;
constexpr std::uint32_t kBlue = 0xFF2060E0u, kGreen = 0xFF008000u;

// The icon's page: its corner folded over.
constexpr int kPageLeft = 5, kPageRight = 26, kPageTop = 1, kPageBottom = 30, kFold = 7;

std::uint32_t IconPixel(int x, int y) {
  if (x < kPageLeft || x > kPageRight || y < kPageTop || y > kPageBottom) return kTransparent;
  const int into_fold = (x - (kPageRight - kFold)) - (y - kPageTop);
  if (into_fold > 0) return kTransparent;
  if (into_fold == 0) return kBlack;
  if (x == kPageLeft || x == kPageRight || y == kPageTop || y == kPageBottom) return kBlack;
  if (x > kPageRight - kFold && y < kPageTop + kFold) return kGrey;  // the folded-over corner
  // The signal: two periods of a wave over the upper half.
  if (y >= 5 && y <= 15 && x >= kPageLeft + 2 && x <= kPageRight - 2) {
    const double phase = (x - kPageLeft - 2) * 2.0 * 3.14159265358979 / 9.0;
    const int wave = 10 - static_cast<int>(std::lround(4.0 * std::sin(phase)));
    if (y == wave || y == wave + 1) return kBlue;
    if (y == 10) return kDarkGrey;  // its zero line
  }
  // The columns: three per row, rows two pixels apart.
  if (y >= 18 && y <= 28 && y % 2 == 0) {
    const int column = x - (kPageLeft + 3);
    if (column >= 0 && column < 16 && column % 6 < 4) return y == 18 ? kGreen : kBlack;
  }
  return kWhite;
}

// An icon or cursor of 32 by 32 from its pixels: the colour image as
// 32-bit rows, the mask one bit a pixel, set where it is transparent.
template <typename PixelAt>
ui::HICON IconFromPixels(PixelAt pixel_at, bool is_icon, ui::POINT hotspot) {
  std::vector<ui::BYTE> color(kIconSize * kIconSize * 4, 0);
  std::vector<ui::BYTE> mask(kIconSize * kIconSize / 8, 0);
  for (int y = 0; y < kIconSize; ++y)
    for (int x = 0; x < kIconSize; ++x) {
      const std::uint32_t pixel = pixel_at(x, y);
      if (pixel == kTransparent) {
        mask[(y * kIconSize + x) / 8] |= static_cast<ui::BYTE>(0x80 >> (x % 8));
        continue;
      }
      std::memcpy(&color[(y * kIconSize + x) * 4], &pixel, 4);
    }
  ui::ICONINFO info;
  info.fIcon = is_icon ? ui::TRUE : ui::FALSE;
  info.xHotspot = static_cast<ui::DWORD>(hotspot.x);
  info.yHotspot = static_cast<ui::DWORD>(hotspot.y);
  info.hbmColor = ui::CreateBitmap(kIconSize, kIconSize, 1, 32, color.data());
  info.hbmMask = ui::CreateBitmap(kIconSize, kIconSize, 1, 1, mask.data());
  const ui::HICON icon = ui::CreateIconIndirect(&info);
  ui::DeleteObject(info.hbmColor);
  ui::DeleteObject(info.hbmMask);
  return icon;
}

ui::HICON ProgramIcon() { return IconFromPixels(IconPixel, true, ui::POINT{0, 0}); }

// 'X' black, 'o' white, anything else transparent.
constexpr std::string_view kCopyCursorRows[] = {
    "X",
    "XX",
    "XoX",
    "XooX",
    "XoooX",
    "XooooX",
    "XoooooX",
    "XooooooX",
    "XoooooooX",
    "XooooooooX",
    "XoooooXXXXX",
    "XooXooX",
    "XoX XooX",
    "XX  XooX",
    "X    XooX",
    "     XooX",
    "      XooX",
    "      XooX",
    "       XX",
    "         XXXXXXXXXXX",
    "         XoooooooooX",
    "         XooooXooooX",
    "         XooooXooooX",
    "         XoXXXXXXXoX",
    "         XooooXooooX",
    "         XooooXooooX",
    "         XoooooooooX",
    "         XXXXXXXXXXX",
};

// A pixel of a cursor drawn as rows of 'X' (black) and 'o' (white).
template <std::size_t kRows>
std::uint32_t CursorPixel(const std::string_view (&rows)[kRows], int x, int y) {
  if (y >= static_cast<int>(kRows)) return kTransparent;
  const std::string_view row = rows[y];
  if (x >= static_cast<int>(row.size())) return kTransparent;
  return row[x] == 'X' ? kBlack : row[x] == 'o' ? kWhite : kTransparent;
}

// The arrow with a question mark beside it.
constexpr std::string_view kHelpCursorRows[] = {
    "X",
    "XX",
    "XoX",
    "XooX",
    "XoooX          XXXXX",
    "XooooX        XoooooX",
    "XoooooX      XooXXXooX",
    "XooooooX     XooX XooX",
    "XoooooooX     XX  XooX",
    "XooooooooX       XooX",
    "XoooooXXXXX     XooX",
    "XooXooX         XooX",
    "XoX XooX        XXXX",
    "XX  XooX        XooX",
    "X    XooX       XooX",
    "     XooX       XXXX",
    "      XooX",
    "      XooX",
    "       XX",
};

// A heading as a bottom-up 32-bit DIB: a band from navy to blue, the
// text in white, drawn through the window system and read back.
std::vector<ui::BYTE> Heading(const std::string& text, int width, int height) {
  const ui::HDC dc = ui::CreateCompatibleDC(nullptr);
  const ui::HBITMAP bitmap = ui::CreateBitmap(width, height, 1, 32, nullptr);
  const ui::HGDIOBJ old_bitmap = ui::SelectObject(dc, bitmap);
  constexpr int kBands = 30;
  for (int band = 0; band < kBands; ++band) {
    const ui::RECT strip{band * width / kBands, 0, (band + 1) * width / kBands, height};
    const auto mix = [&](int from, int to) { return static_cast<ui::BYTE>(from + (to - from) * band / (kBands - 1)); };
    const ui::HBRUSH brush = ui::CreateSolidBrush(ui::RGB(mix(0, 25), mix(0, 90), mix(128, 190)));
    ui::FillRect(dc, &strip, brush);
    ui::DeleteObject(brush);
  }
  ui::LOGFONT font{};
  font.lfHeight = -(height * 2 / 3);
  font.lfWeight = 700;
  std::strncpy(font.lfFaceName, "DejaVu Sans", sizeof font.lfFaceName - 1);
  const ui::HFONT hfont = ui::CreateFontIndirect(&font);
  const ui::HGDIOBJ old_font = ui::SelectObject(dc, hfont);
  ui::SetBkMode(dc, ui::TRANSPARENT);
  ui::SetTextColor(dc, ui::RGB(255, 255, 255));
  ui::RECT area{5, 0, width, height};
  ui::DrawText(dc, text.c_str(), -1, &area, ui::DT_SINGLELINE | ui::DT_VCENTER | ui::DT_NOPREFIX);

  ui::BITMAPINFOHEADER header;
  header.biWidth = width;
  header.biHeight = height;
  header.biBitCount = 32;
  header.biSizeImage = static_cast<ui::DWORD>(width * height * 4);
  std::vector<ui::BYTE> dib(sizeof header + header.biSizeImage, 0);
  std::memcpy(dib.data(), &header, sizeof header);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const ui::COLORREF pixel = ui::GetPixel(dc, x, y);
      ui::BYTE* out = dib.data() + sizeof header + (static_cast<std::size_t>(height - 1 - y) * width + x) * 4;
      out[0] = ui::GetBValue(pixel);
      out[1] = ui::GetGValue(pixel);
      out[2] = ui::GetRValue(pixel);
    }
  ui::SelectObject(dc, old_font);
  ui::DeleteObject(hfont);
  ui::SelectObject(dc, old_bitmap);
  ui::DeleteObject(bitmap);
  ui::DeleteDC(dc);
  return dib;
}

}  // namespace

void RegisterIconResources() {
  static std::once_flag once;
  std::call_once(once, [] {
    ui::RegisterIconResource(kMainResource, ProgramIcon());
    constexpr int kWidth = 150, kHeight = 18;
    ui::RegisterBitmapResource(kLogHeading, Heading("Log Files", kWidth, kHeight));
    ui::RegisterBitmapResource(kInstrumentHeading, Heading("Instrument Files", kWidth, kHeight));
    ui::RegisterBitmapResource(kOutputHeading, Heading("Output Files", kWidth, kHeight));
    ui::RegisterBitmapResource(kNextOutputHeading, Heading("Next Output File", kWidth, kHeight));
  });
}

void RegisterCursorResources() {
  static std::once_flag once;
  std::call_once(once, [] {
    const auto copy = [](int x, int y) { return CursorPixel(kCopyCursorRows, x, y); };
    ui::RegisterCursorResource(kCopyButtonCursor, IconFromPixels(copy, false, ui::POINT{0, 0}));
    const auto help = [](int x, int y) { return CursorPixel(kHelpCursorRows, x, y); };
    ui::RegisterCursorResource(kContextHelpCursor, IconFromPixels(help, false, ui::POINT{0, 0}));
  });
}

}  // namespace app
