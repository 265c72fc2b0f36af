// The program's own cursor: 20691, shown while a toolbar button is
// dragged as a copy: the arrow with a box holding a plus sign beside it.
#include <cstdint>
#include <cstring>
#include <mutex>
#include <string_view>
#include <vector>

#include "app/AppResources.h"
#include "app/ResourceRegistration.h"
#include "platform/ui/Drawing.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/ImageResources.h"

namespace app {
namespace {

constexpr int kCursorSize = 32;

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

ui::HCURSOR CopyCursor() {
  // The colour image as 32-bit rows; the mask one bit a pixel, set where
  // the cursor is transparent.
  std::vector<ui::BYTE> color(kCursorSize * kCursorSize * 4, 0);
  std::vector<ui::BYTE> mask(kCursorSize * kCursorSize / 8, 0xFF);
  int y = 0;
  for (const std::string_view row : kCopyCursorRows) {
    for (int x = 0; x < static_cast<int>(row.size()); ++x) {
      if (row[x] != 'X' && row[x] != 'o') continue;
      const std::uint32_t pixel = row[x] == 'o' ? 0xFFFFFFFFu : 0xFF000000u;
      std::memcpy(&color[(y * kCursorSize + x) * 4], &pixel, 4);
      mask[(y * kCursorSize + x) / 8] &= static_cast<ui::BYTE>(~(0x80 >> (x % 8)));
    }
    ++y;
  }
  ui::ICONINFO info;
  info.fIcon = ui::FALSE;
  info.hbmColor = ui::CreateBitmap(kCursorSize, kCursorSize, 1, 32, color.data());
  info.hbmMask = ui::CreateBitmap(kCursorSize, kCursorSize, 1, 1, mask.data());
  const ui::HCURSOR cursor = ui::CreateIconIndirect(&info);
  ui::DeleteObject(info.hbmColor);
  ui::DeleteObject(info.hbmMask);
  return cursor;
}

}  // namespace

void RegisterCursorResources() {
  static std::once_flag once;
  std::call_once(once, [] { ui::RegisterCursorResource(kCopyButtonCursor, CopyCursor()); });
}

}  // namespace app
