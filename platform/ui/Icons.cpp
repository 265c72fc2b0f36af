// Icons and cursors: a monochrome mask and a colour image. Drawing ANDs
// the mask onto the target and XORs the image over it, so white mask
// pixels keep what is there and black ones show the image.
#include <algorithm>

#include "platform/ui/DeviceContext.h"
#include "platform/ui/Drawing.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/internal/GdiAccess.h"
#include "platform/ui/internal/DrawingLibraries.h"

namespace ui {

using namespace internal;

namespace {

std::shared_ptr<BitmapObject> CopyBitmap(const BitmapObject& source) {
  auto copy = std::make_shared<BitmapObject>(source.pixels.width, source.pixels.height, source.monochrome);
  cairo_t* cr = cairo_create(copy->pixels.surface);
  cairo_set_source_surface(cr, source.pixels.surface, 0, 0);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
  return copy;
}

std::shared_ptr<IconObject> FindIcon(HICON icon) { return GdiTable::Get().FindAs<IconObject>(icon, 0); }

HBITMAP HandleFor(const std::shared_ptr<BitmapObject>& bitmap) {
  return bitmap ? static_cast<HBITMAP>(GdiTable::Get().Add(CopyBitmap(*bitmap))) : nullptr;
}

}  // namespace

HICON CreateIconIndirect(const ICONINFO* info) {
  if (!info) return nullptr;
  auto mask = FindBitmap(info->hbmMask);
  auto color = info->hbmColor ? FindBitmap(info->hbmColor) : nullptr;
  if (!mask || (info->hbmColor && !color)) return nullptr;
  auto icon = std::make_shared<IconObject>();
  icon->mask = CopyBitmap(*mask);
  if (color) icon->color = CopyBitmap(*color);
  icon->hotspot = POINT{static_cast<LONG>(info->xHotspot), static_cast<LONG>(info->yHotspot)};
  icon->is_icon = info->fIcon != FALSE;
  return static_cast<HICON>(GdiTable::Get().Add(icon));
}

BOOL DestroyIcon(HICON icon) {
  if (!FindIcon(icon)) return FALSE;
  return GdiTable::Get().Remove(icon) ? TRUE : FALSE;
}

BOOL GetIconInfo(HICON handle, ICONINFO* info) {
  auto icon = FindIcon(handle);
  if (!icon || !info) return FALSE;
  info->fIcon = icon->is_icon ? TRUE : FALSE;
  info->xHotspot = static_cast<DWORD>(icon->hotspot.x);
  info->yHotspot = static_cast<DWORD>(icon->hotspot.y);
  info->hbmMask = HandleFor(icon->mask);
  info->hbmColor = HandleFor(icon->color);
  return TRUE;
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON handle, int width, int height, UINT, HBRUSH flicker_free, UINT flags) {
  auto icon = FindIcon(handle);
  if (!icon || !FindDc(hdc)) return FALSE;
  const int w0 = icon->mask->pixels.width, h0 = icon->mask->pixels.height;
  if (width == 0) width = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CXICON) : w0;
  if (height == 0) height = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CYICON) : h0;
  if (flicker_free) {
    const RECT r{x, y, x + width, y + height};
    FillRect(hdc, &r, flicker_free);
  }
  // The parts go through memory contexts, so the monochrome mask takes the
  // destination's colours as any monochrome blit does: black text on white.
  const HDC memory = CreateCompatibleDC(hdc);
  const COLORREF text = SetTextColor(hdc, RGB(0, 0, 0));
  const COLORREF bk = SetBkColor(hdc, RGB(255, 255, 255));
  const auto blit = [&](const std::shared_ptr<BitmapObject>& bitmap, DWORD rop) {
    if (!bitmap) return;
    const HBITMAP temporary = HandleFor(bitmap);
    const HGDIOBJ previous = SelectObject(memory, temporary);
    StretchBlt(hdc, x, y, width, height, memory, 0, 0, bitmap->pixels.width, bitmap->pixels.height, rop);
    SelectObject(memory, previous);
    DeleteObject(temporary);
  };
  if (flags & DI_MASK) blit(icon->mask, icon->color ? SRCAND : SRCCOPY);
  if (flags & DI_IMAGE) blit(icon->color, (flags & DI_MASK) ? SRCINVERT : SRCCOPY);
  SetTextColor(hdc, text);
  SetBkColor(hdc, bk);
  DeleteDC(memory);
  return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) { return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE); }

}  // namespace ui
