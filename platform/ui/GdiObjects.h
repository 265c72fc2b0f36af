// Drawing objects: pens, brushes, fonts, bitmaps and regions. Each lives
// in the handle table until DeleteObject; stock objects are never deleted.
// An object still selected into a context is deleted when it is deselected.
#pragma once

#include "platform/ui/GdiTypes.h"

namespace ui {

BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ GetStockObject(int index);
DWORD GetObjectType(HGDIOBJ object);
// Copies the object's record (LOGPEN, LOGBRUSH, LOGFONT or BITMAP) into
// `out` when `size` is large enough; returns the bytes copied, or the size
// needed when `out` is null; 0 on failure.
int GetObject(HGDIOBJ object, int size, void* out);

HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* pen);

HBRUSH CreateSolidBrush(COLORREF color);
// An 8x8 pattern (a larger bitmap is cut to its top-left 8x8). A
// monochrome pattern takes the context's text colour for black and its
// background colour for white when it is drawn.
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);
// The 50 % checker used for drag outlines and disabled faces; one shared
// object. Like every pattern brush it is aligned to the screen.
HBRUSH GetHalftoneBrush();

HFONT CreateFontIndirect(const LOGFONT* font);
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strike_out, DWORD charset, DWORD out_precision, DWORD clip_precision,
                 DWORD quality, DWORD pitch_and_family, const char* face);

// Bitmaps: 1 bit per pixel is monochrome, anything else is colour
// (kept as 32-bit). Rows of `bits` are WORD-aligned, top row first.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, const void* bits);
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
BOOL GetBitmapDimensionEx(HBITMAP bitmap, SIZE* size);
// A colour of one pixel of a bitmap (for tests and hit tests on images).
COLORREF GetBitmapPixel(HBITMAP bitmap, int x, int y);

// Regions: unions of rectangles (cairo_region_t).
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
// A polygon region is the polygon's pixel rows, filled by the even-odd or
// winding rule.
HRGN CreatePolygonRgn(const POINT* points, int count, int fill_mode);
BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom);
int CombineRgn(HRGN destination, HRGN a, HRGN b, int mode);
int OffsetRgn(HRGN region, int dx, int dy);
int GetRgnBox(HRGN region, RECT* box);
BOOL PtInRegion(HRGN region, int x, int y);
BOOL RectInRegion(HRGN region, const RECT* rect);
BOOL EqualRgn(HRGN a, HRGN b);

}  // namespace ui
