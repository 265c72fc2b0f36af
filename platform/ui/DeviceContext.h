// Device contexts. Every context draws on a Cairo image surface: the
// window side makes paint, window and client contexts over a top-level
// window's back buffer with an origin and a clip region; memory contexts
// draw on the bitmap selected into them; the desktop context draws on the
// overlay above the virtual screen that drag outlines use.
#pragma once

#include <cairo.h>

#include "platform/ui/GdiTypes.h"

namespace ui {

// Where a surface context draws.
struct SurfaceTarget {
  cairo_surface_t* surface = nullptr;  // referenced for the context's life
  POINT origin;         // the surface pixel of logical (0, 0)
  POINT screen_origin;  // the screen point of logical (0, 0): pattern brushes align to the screen
  // Surface coordinates; copied. Null: the whole surface.
  const cairo_region_t* clip = nullptr;
  HWND hwnd = nullptr;  // the window drawn on, answered by WindowFromDC; may be null
};

// A context over a surface; null when the surface is not an image surface.
HDC CreateSurfaceDC(const SurfaceTarget& target);
// Ends a surface context (DeleteDC does the same); the surface is flushed.
BOOL ReleaseSurfaceDC(HDC hdc);
// Points an existing surface context at a new clip (surface coordinates,
// null: whole surface), dropping any clip the drawer selected.
BOOL SetSurfaceClip(HDC hdc, const cairo_region_t* clip);

// The overlay above the virtual screen (screen coordinates), made on first
// use. Drag outlines are inverted onto the screen, so the overlay holds
// what is XORed over what the windows show: all zero shows the screen as
// it is, and inverting twice erases.
cairo_surface_t* GetDesktopOverlay();
void ClearDesktopOverlay();
// XORs the overlay into `screen`, an image of the virtual screen of the
// same size, for dumps of what a person would see.
void ComposeDesktopOverlay(cairo_surface_t* screen);
// A context over the whole overlay; release it with ReleaseSurfaceDC.
HDC CreateDesktopDC();

// Memory contexts: a 1x1 monochrome bitmap is selected until another is.
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
HWND WindowFromDC(HDC hdc);

int SaveDC(HDC hdc);
BOOL RestoreDC(HDC hdc, int saved);  // negative: relative to the last save

// Selecting returns the object it replaces (null on failure). A region is
// copied as the new clip and the region result is returned instead.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);

COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
int SetStretchBltMode(HDC hdc, int mode);
int SetPolyFillMode(HDC hdc, int mode);

// Origins: the viewport origin moves logical (0, 0) on the surface; the
// brush origin shifts pattern brushes against the screen.
BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* previous);
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, POINT* previous);
BOOL GetViewportOrgEx(HDC hdc, POINT* origin);
BOOL SetBrushOrgEx(HDC hdc, int x, int y, POINT* previous);
// The screen point of logical (0, 0) less the viewport origin: the
// context's place on the screen.
BOOL GetDCOrgEx(HDC hdc, POINT* origin);

// Clipping, in logical coordinates.
int SelectClipRgn(HDC hdc, HRGN region);  // null: no clip beyond the target's
int ExtSelectClipRgn(HDC hdc, HRGN region, int mode);
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC hdc, int dx, int dy);
int GetClipBox(HDC hdc, RECT* rect);
// 1 and a copy in `region` when a clip was selected, 0 when none, -1 on error.
int GetClipRgn(HDC hdc, HRGN region);
BOOL PtVisible(HDC hdc, int x, int y);
BOOL RectVisible(HDC hdc, const RECT* rect);

// Device capabilities the framework asks for.
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
int GetDeviceCaps(HDC hdc, int index);

// Writes what the context's target holds to a PNG file; FALSE on failure.
BOOL WriteSurfacePng(cairo_surface_t* surface, const char* path);
BOOL WriteDCPng(HDC hdc, const char* path);

}  // namespace ui
