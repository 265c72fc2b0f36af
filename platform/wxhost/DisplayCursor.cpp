#include "platform/wxhost/DisplayCursor.h"

#include "platform/ui/Drawing.h"
#include "platform/ui/GdiObjects.h"

// GTK's headers define TRUE and FALSE as macros: they come after ours.
#include <wx/cursor.h>
#include <wx/image.h>

namespace wxhost {

namespace {

constexpr ui::COLORREF kWhite = 0xFFFFFF;

struct IconBitmaps {
  ui::ICONINFO info;
  ~IconBitmaps() {
    if (info.hbmMask) ui::DeleteObject(info.hbmMask);
    if (info.hbmColor) ui::DeleteObject(info.hbmColor);
  }
};

}  // namespace

DisplayCursor::DisplayCursor() = default;
DisplayCursor::~DisplayCursor() = default;

wxImage DisplayCursor::Picture(ui::HCURSOR cursor) {
  IconBitmaps bitmaps;
  if (!cursor || !ui::GetIconInfo(cursor, &bitmaps.info) || !bitmaps.info.hbmMask) return wxImage();
  ui::BITMAP size{};
  if (!ui::GetObject(bitmaps.info.hbmMask, sizeof size, &size) || size.bmWidth <= 0 || size.bmHeight <= 0)
    return wxImage();
  wxImage picture(size.bmWidth, size.bmHeight);
  picture.InitAlpha();
  for (int y = 0; y < size.bmHeight; ++y)
    for (int x = 0; x < size.bmWidth; ++x) {
      // Where the mask keeps the screen the image is XORed over it: black
      // leaves the screen as it is, anything else inverts it, which a
      // display cursor can only show as black.
      const bool keeps_screen = ui::GetBitmapPixel(bitmaps.info.hbmMask, x, y) == kWhite;
      const ui::COLORREF color =
          bitmaps.info.hbmColor ? ui::GetBitmapPixel(bitmaps.info.hbmColor, x, y) : ui::COLORREF{0};
      const bool transparent = keeps_screen && color == 0;
      const ui::COLORREF shown = keeps_screen ? 0 : color;
      picture.SetRGB(x, y, ui::GetRValue(shown), ui::GetGValue(shown), ui::GetBValue(shown));
      picture.SetAlpha(x, y, transparent ? 0 : 255);
    }
  picture.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, static_cast<int>(bitmaps.info.xHotspot));
  picture.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, static_cast<int>(bitmaps.info.yHotspot));
  return picture;
}

void DisplayCursor::Show(ui::HCURSOR cursor) {
  const wxImage picture = Picture(cursor);
  auto shown = picture.IsOk() ? std::make_unique<wxCursor>(picture) : std::make_unique<wxCursor>();
  wxSetCursor(*shown);
  shown_ = std::move(shown);
}

}  // namespace wxhost
