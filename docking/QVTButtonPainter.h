// How a standard toolbar button and a separator look: the face plain,
// pressed, hot (cool look), checked, indeterminate or disabled (embossed),
// drawn into the button context of a QVTButtonDrawContext with the raster
// operations the classic toolbar uses, then copied to the bar in one
// transfer.
#pragma once

#include "docking/QVTButtonDrawContext.h"
#include "docking/QVTToolBarLayout.h"

namespace docking {

// What one button's drawing needs to know.
struct QVTButtonLook {
  DWORD style = 0;  // the button's style word
  int width = 23;
  int height = 22;
  HBITMAP image = nullptr;  // the toolbar bitmap holding its image; may be null
  int imageIndex = 0;
  SIZE imageSize{16, 15};
  bool coolLook = false;   // flat buttons, a frame only when hot
  bool customise = false;  // the bar is being customised: drawn flat, nothing else
};

class QVTButtonPainter {
 public:
  // Pattern where the source is white, the destination where it is black.
  static constexpr DWORD kRopPatternWhereWhite = 0x00E20746;
  // Pattern where the source is black, the destination where it is white.
  static constexpr DWORD kRopPatternWhereBlack = 0x00B8074A;

  // The whole button into the context's button DC at (0, 0).
  static void DrawButton(QVTButtonDrawContext& context, const QVTButtonLook& look);
  // The face and image; the rectangle becomes the area inside the frame.
  static void DrawFace(QVTButtonDrawContext& context, const QVTButtonLook& look, bool flat, int& x, int& y, int& cx,
                       int& cy);
  static void DrawDisabled(QVTButtonDrawContext& context, const QVTButtonLook& look, int x, int y, int cx, int cy);
  static void DrawChecked(QVTButtonDrawContext& context, const QVTButtonLook& look, int x, int y, int cx, int cy);
  static void DrawIndeterminate(QVTButtonDrawContext& context, const QVTButtonLook& look, int x, int y, int cx,
                                int cy);
  // The 3-pixel frame of the button selected for dragging.
  static void DrawSelection(QVTButtonDrawContext& context, const QVTButtonLook& look);
  // A separator in cool look, not ending its row: the face (unless the bar
  // draws transparently) and an etched line at half the separator width.
  static void DrawSeparator(HDC dc, const RECT& rect, int separatorWidth, DWORD barExStyle);
  // The button context to the bar at (x, y).
  static void BlitToScreen(HDC dc, QVTButtonDrawContext& context, int x, int y, int cx, int cy);

  // Where the image goes inside a button of that size.
  static POINT ImageOrigin(const QVTButtonLook& look);

 private:
  // White where the image shows the face colour (and, with `highlight`,
  // the highlight colour) in the mask context at (0, 0).
  static void BuildImageMask(QVTButtonDrawContext& context, const QVTButtonLook& look, bool highlight);
  static void Frame(HDC dc, int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
  static void Fill(HDC dc, int x, int y, int cx, int cy, COLORREF colour);
  static void MaskedPattern(HDC dc, int x, int y, int cx, int cy, HDC mask, int maskX, int maskY, HBRUSH brush,
                            DWORD rop);
};

}  // namespace docking
