// Bitmap, toolbar, icon and cursor resources. The system icons and
// cursors are small drawings of our own, made on first use.
#include "platform/ui/ImageResources.h"

#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/Drawing.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/internal/Dib.h"
#include "platform/ui/internal/GdiAccess.h"
#include "platform/ui/internal/DrawingLibraries.h"

namespace ui {

using namespace internal;

namespace {

struct ImageStore {
  std::mutex mutex;
  std::map<UINT, std::vector<BYTE>> bitmaps;
  std::map<UINT, ToolbarResource> toolbars;
  std::map<UINT, HICON> icons;
  std::map<UINT, HCURSOR> cursors;
};

ImageStore& Store() {
  static ImageStore* store = new ImageStore;  // pointers handed out stay valid to the end
  return *store;
}

// An icon from rows of text: 'X' black, 'o' white, '#' the dark grey,
// ' ' transparent.
template <typename Rows>
HICON DrawnRows(const Rows& rows, POINT hotspot, bool is_icon);

HICON Drawn(std::initializer_list<std::string_view> rows, POINT hotspot, bool is_icon) {
  return DrawnRows(rows, hotspot, is_icon);
}

template <typename Rows>
HICON DrawnRows(const Rows& rows, POINT hotspot, bool is_icon) {
  const int height = static_cast<int>(rows.size());
  int width = 0;
  for (std::string_view row : rows) width = std::max(width, static_cast<int>(row.size()));
  auto mask = std::make_shared<BitmapObject>(width, height, true);
  auto color = std::make_shared<BitmapObject>(width, height, false);
  for (BitmapObject* b : {mask.get(), color.get()}) cairo_surface_flush(b->pixels.surface);
  int y = 0;
  for (std::string_view row : rows) {
    auto* m = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(mask->pixels.surface) +
                                               y * cairo_image_surface_get_stride(mask->pixels.surface));
    auto* c = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(color->pixels.surface) +
                                               y * cairo_image_surface_get_stride(color->pixels.surface));
    for (int x = 0; x < width; ++x) {
      const char ch = x < static_cast<int>(row.size()) ? row[x] : ' ';
      m[x] = ch == ' ' ? kWhitePixel : kBlackPixel;
      c[x] = ch == 'o' ? kWhitePixel
             : ch == '#' ? 0xFF808080u
             : ch == 'b' ? 0xFF000080u
             : ch == 'r' ? 0xFFFF0000u
             : ch == 'y' ? 0xFFFFFF00u
                         : kBlackPixel;
    }
    ++y;
  }
  for (BitmapObject* b : {mask.get(), color.get()}) cairo_surface_mark_dirty(b->pixels.surface);
  auto icon = std::make_shared<IconObject>();
  icon->mask = mask;
  icon->color = color;
  icon->hotspot = hotspot;
  icon->is_icon = is_icon;
  icon->stock = true;
  return static_cast<HICON>(GdiTable::Get().Add(icon));
}

HCURSOR SystemCursor(UINT id) {
  switch (id) {
    case IDC_ARROW:
      return Drawn({"X", "XX", "XoX", "XooX", "XoooX", "XooooX", "XoooooX", "XooooooX", "XoooooooX", "XooooooooX",
                    "XoooooXXXXX", "XooXooX", "XoX XooX", "XX  XooX", "X    XooX", "     XooX", "      XooX", "      XooX",
                    "       XX"},
                   POINT{0, 0}, false);
    case IDC_WAIT:
      return Drawn({"XXXXXXXXXXX", "XoooooooooX", " XoooooooX", " XooXoXooX", "  XooXooX", "   XoooX", "    XoX",
                    "   XoXoX", "  XooooooX", " XooooXooX", " XooXoXooX", "XoXoXoXoXoX", "XXXXXXXXXXX"},
                   POINT{5, 6}, false);
    case IDC_IBEAM:
      return Drawn({"XXX XXX", "   X", "   X", "   X", "   X", "   X", "   X", "   X", "   X", "   X", "   X", "   X",
                    "   X", "   X", "XXX XXX"},
                   POINT{3, 7}, false);
    case IDC_CROSS:
      return Drawn({"     X", "     X", "     X", "     X", "     X", "XXXXXXXXXXX", "     X", "     X", "     X",
                    "     X", "     X"},
                   POINT{5, 5}, false);
    case IDC_SIZEWE:
      return Drawn({"   X       X", "  XX       XX", " XoXXXXXXXXXoX", "XoooooooooooooX", " XoXXXXXXXXXoX", "  XX       XX",
                    "   X       X"},
                   POINT{7, 3}, false);
    case IDC_SIZENS:
      return Drawn({"   X", "  XoX", " XoooX", "XXXoXXX", "  XoX", "  XoX", "  XoX", "  XoX", "  XoX", "  XoX", "  XoX",
                    "XXXoXXX", " XoooX", "  XoX", "   X"},
                   POINT{3, 7}, false);
    case IDC_SIZENWSE:
      return Drawn({"XXXXX", "XooX", "XoX", "XX X", "X   X", "     X", "      X   X", "       X XX", "        XoX",
                    "       XooX", "      XXXXX"},
                   POINT{5, 5}, false);
    case IDC_SIZENESW:
      return Drawn({"      XXXXX", "       XooX", "        XoX", "       X XX", "      X   X", "     X", "X   X", "XX X",
                    "XoX", "XooX", "XXXXX"},
                   POINT{5, 5}, false);
    case IDC_SIZEALL:
      return Drawn({"     X", "    XoX", "   XoooX", "    XoX", " X  XoX  X", "XoXXXoXXXoX", "XoooooooooX",
                    "XoXXXoXXXoX", " X  XoX  X", "    XoX", "   XoooX", "    XoX", "     X"},
                   POINT{5, 6}, false);
    case IDC_NO:
      return Drawn({"   XXXXX", "  XoooooX", " XooXXXooX", "XooX  XXooX", "XoX  XXXoX", "XoX XXX XoX", "XoXXX  XoX",
                    "XooXX XooX", " XooXXXooX", "  XoooooX", "   XXXXX"},
                   POINT{5, 5}, false);
    default:
      return nullptr;
  }
}

// The message-box pictures on a 32-pixel square: a red disc with a white
// cross (stop), a yellow triangle with "!" (exclamation), a white disc
// with a navy "?" or "i".
using Picture = std::vector<std::string>;

Picture Disc(char fill) {
  Picture rows(32, std::string(32, ' '));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const int dx = 2 * x - 31, dy = 2 * y - 31, d = dx * dx + dy * dy;
      if (d <= 30 * 30) rows[y][x] = d >= 27 * 27 ? 'X' : fill;
    }
  return rows;
}

void Stamp(Picture& picture, int left, int top, std::initializer_list<std::string_view> glyph, char ink) {
  int y = top;
  for (std::string_view row : glyph) {
    for (int x = 0; x < static_cast<int>(row.size()); ++x)
      if (row[x] == '*') picture[y][left + x] = ink;
    ++y;
  }
}

Picture StopPicture() {
  Picture rows = Disc('r');
  for (int i = 9; i <= 22; ++i)
    for (int w = -1; w <= 1; ++w) {
      rows[i][i + w] = 'o';
      rows[i][31 - i + w] = 'o';
    }
  return rows;
}

Picture ExclamationPicture() {
  Picture rows(32, std::string(32, ' '));
  for (int y = 2; y < 30; ++y) {
    const int half = (y - 2) / 2 + 1;
    for (int x = 16 - half; x < 16 + half; ++x)
      rows[y][x] = (y == 29 || x == 16 - half || x == 15 + half) ? 'X' : 'y';
  }
  Stamp(rows, 14, 10, {"****", "****", "****", "****", " ** ", " ** ", " ** ", "    ", " ** ", " ** "}, 'X');
  return rows;
}

Picture QuestionPicture() {
  Picture rows = Disc('o');
  Stamp(rows, 11, 7,
        {" ******** ", "**********", "***    ***", "       ***", "      *** ", "    ****  ", "    ***   ", "    ***   ",
         "          ", "    ***   ", "    ***   "},
        'b');
  return rows;
}

Picture InformationPicture() {
  Picture rows = Disc('o');
  Stamp(rows, 13, 7,
        {"  ***", "  ***", "     ", "*****", "  ***", "  ***", "  ***", "  ***", "  ***", "  ***", "*******"}, 'b');
  return rows;
}

HICON SystemIcon(UINT id) {
  switch (id) {
    case IDI_APPLICATION:
    case IDI_WINLOGO:
      // A small window: a navy caption over a white client, black outline.
      return Drawn({"XXXXXXXXXXXXXXXX", "XbbbbbbbbbbbbbbX", "XbbbbbbbbbbbbbbX", "XXXXXXXXXXXXXXXX", "XooooooooooooooX",
                    "XooooooooooooooX", "XooooooooooooooX", "XooooooooooooooX", "XooooooooooooooX", "XooooooooooooooX",
                    "XooooooooooooooX", "XooooooooooooooX", "XooooooooooooooX", "XooooooooooooooX", "XooooooooooooooX",
                    "XXXXXXXXXXXXXXXX"},
                   POINT{8, 8}, true);
    case IDI_HAND: return DrawnRows(StopPicture(), POINT{16, 16}, true);
    case IDI_EXCLAMATION: return DrawnRows(ExclamationPicture(), POINT{16, 16}, true);
    case IDI_QUESTION: return DrawnRows(QuestionPicture(), POINT{16, 16}, true);
    case IDI_ASTERISK: return DrawnRows(InformationPicture(), POINT{16, 16}, true);
    default:
      return nullptr;
  }
}

}  // namespace

void RegisterBitmapResource(UINT id, std::vector<BYTE> dib) {
  ImageStore& store = Store();
  std::lock_guard lock(store.mutex);
  store.bitmaps[id] = std::move(dib);
}

const std::vector<BYTE>* FindBitmapResource(UINT id) {
  ImageStore& store = Store();
  std::lock_guard lock(store.mutex);
  auto found = store.bitmaps.find(id);
  return found == store.bitmaps.end() ? nullptr : &found->second;
}

bool ReadColorTable(const BYTE* dib, std::size_t size, std::vector<RGBQUAD>& table) {
  DibLayout layout;
  if (!ReadDibHeader(dib, size, layout)) return false;
  table = std::move(layout.colors);
  return true;
}

HBITMAP LoadBitmap(UINT id) { return CreateMappedBitmap(id, nullptr, 0); }

HBITMAP CreateMappedBitmap(UINT id, const COLORMAP* maps, int count) {
  const std::vector<BYTE>* dib = FindBitmapResource(id);
  if (!dib || count < 0 || (count > 0 && !maps)) return nullptr;
  DibLayout layout;
  if (!ReadDibHeader(dib->data(), dib->size(), layout)) return nullptr;
  for (RGBQUAD& entry : layout.colors) {
    const COLORREF stored = RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
    for (int i = 0; i < count; ++i) {
      if ((maps[i].from & 0xFFFFFF) != stored) continue;
      entry.rgbRed = GetRValue(maps[i].to);
      entry.rgbGreen = GetGValue(maps[i].to);
      entry.rgbBlue = GetBValue(maps[i].to);
      break;
    }
  }
  const std::size_t pixels = layout.table_offset + layout.table_bytes;
  if (dib->size() - pixels < DibPixelBytes(layout)) return nullptr;  // rows run past the resource
  auto bitmap = std::make_shared<BitmapObject>(layout.width, layout.height, false);
  cairo_surface_t* s = bitmap->pixels.surface;
  cairo_surface_flush(s);
  for (int y = 0; y < layout.height; ++y)
    DecodeDibRow(layout, dib->data() + pixels, y,
                 reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s)));
  cairo_surface_mark_dirty(s);
  return static_cast<HBITMAP>(GdiTable::Get().Add(bitmap));
}

void RegisterToolbarResource(UINT id, ToolbarResource toolbar) {
  ImageStore& store = Store();
  std::lock_guard lock(store.mutex);
  store.toolbars[id] = std::move(toolbar);
}

const ToolbarResource* FindToolbarResource(UINT id) {
  ImageStore& store = Store();
  std::lock_guard lock(store.mutex);
  auto found = store.toolbars.find(id);
  return found == store.toolbars.end() ? nullptr : &found->second;
}

void RegisterIconResource(UINT id, HICON icon) {
  ImageStore& store = Store();
  std::lock_guard lock(store.mutex);
  store.icons[id] = icon;
}

HICON LoadIcon(UINT id) {
  ImageStore& store = Store();
  std::lock_guard lock(store.mutex);
  auto found = store.icons.find(id);
  if (found != store.icons.end()) return found->second;
  HICON icon = SystemIcon(id);
  if (icon) store.icons[id] = icon;
  return icon;
}

void RegisterCursorResource(UINT id, HCURSOR cursor) {
  ImageStore& store = Store();
  std::lock_guard lock(store.mutex);
  store.cursors[id] = cursor;
}

HCURSOR LoadCursor(UINT id) {
  ImageStore& store = Store();
  std::lock_guard lock(store.mutex);
  auto found = store.cursors.find(id);
  if (found != store.cursors.end()) return found->second;
  HCURSOR cursor = SystemCursor(id);
  if (cursor) store.cursors[id] = cursor;
  return cursor;
}

}  // namespace ui
