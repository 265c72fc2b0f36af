// Drawing calls on a device context, in logical coordinates. Shapes are
// drawn without antialiasing, so edges fall on whole pixels as the
// classic look needs.
#pragma once

#include <cstddef>

#include "platform/ui/GdiTypes.h"

namespace ui {

// Rectangles.
BOOL SetRect(RECT* rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(RECT* rect);
BOOL IsRectEmpty(const RECT* rect);
BOOL InflateRect(RECT* rect, int dx, int dy);
BOOL OffsetRect(RECT* rect, int dx, int dy);
BOOL IntersectRect(RECT* out, const RECT* a, const RECT* b);
BOOL UnionRect(RECT* out, const RECT* a, const RECT* b);
BOOL SubtractRect(RECT* out, const RECT* a, const RECT* b);
BOOL PtInRect(const RECT* rect, POINT point);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL CopyRect(RECT* out, const RECT* in);

// Fills and frames with a brush (which may be a system-colour brush).
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush);
BOOL InvertRect(HDC hdc, const RECT* rect);
BOOL FillRgn(HDC hdc, HRGN region, HBRUSH brush);
BOOL PaintRgn(HDC hdc, HRGN region);  // with the selected brush
BOOL FrameRgn(HDC hdc, HRGN region, HBRUSH brush, int width, int height);
BOOL InvertRgn(HDC hdc, HRGN region);

// Shapes with the selected pen and brush.
BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous);
BOOL LineTo(HDC hdc, int x, int y);  // the end point is not drawn
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
BOOL Polygon(HDC hdc, const POINT* points, int count);
BOOL Polyline(HDC hdc, const POINT* points, int count);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC hdc, int x, int y);  // CLR_INVALID outside the target

// Block transfers with a raster operation (any of the 256 ternary ones).
// Between colour and monochrome: a monochrome source becomes the
// destination's text colour (black bits) and background colour (white
// bits); a colour source blitted to monochrome gives white where it
// equals the source context's background colour, else black.
BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop);
BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int source_x, int source_y,
            DWORD rop);
BOOL StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int source_x, int source_y,
                int source_width, int source_height, DWORD rop);
// Device-independent pixels (1, 4, 8 bits with a colour table; 24 and 32
// bits without). `bits_size` bounds the pixel data; the colour table
// follows the header inside `info`, whose size `info_size` bounds it.
// Returns the rows drawn, 0 on failure.
int StretchDIBits(HDC hdc, int x, int y, int width, int height, int source_x, int source_y, int source_width,
                  int source_height, const void* bits, std::size_t bits_size, const BITMAPINFO* info,
                  std::size_t info_size, UINT usage, DWORD rop);

// Gradients: a horizontal or vertical blend between two colours.
constexpr UINT GRADIENT_FILL_RECT_H = 0;
constexpr UINT GRADIENT_FILL_RECT_V = 1;
BOOL FillGradientRect(HDC hdc, const RECT* rect, COLORREF from, COLORREF to, UINT mode);

// Icons and cursors: a colour image and a monochrome mask, drawn with the
// mask (AND) and image (XOR) as Windows does.
struct ICONINFO {
  BOOL fIcon = TRUE;
  DWORD xHotspot = 0;
  DWORD yHotspot = 0;
  HBITMAP hbmMask = nullptr;
  HBITMAP hbmColor = nullptr;
};
constexpr UINT DI_MASK = 0x0001;
constexpr UINT DI_IMAGE = 0x0002;
constexpr UINT DI_NORMAL = 0x0003;
constexpr UINT DI_DEFAULTSIZE = 0x0008;
// Copies both bitmaps; the caller keeps its own.
HICON CreateIconIndirect(const ICONINFO* info);
BOOL DestroyIcon(HICON icon);
BOOL GetIconInfo(HICON icon, ICONINFO* info);  // the bitmaps returned are the caller's to delete
BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH flicker_free,
                UINT flags);
BOOL DrawIcon(HDC hdc, int x, int y, HICON icon);

}  // namespace ui
