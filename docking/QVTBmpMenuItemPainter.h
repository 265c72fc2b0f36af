// How an item of a bitmap menu looks: the toolbar image of its command in
// a box at the left (raised under the highlight, sunken when checked,
// embossed through a mask when greyed, the checked background dithered in
// through the same mask), the label left-aligned after it and the
// accelerator text right-aligned, grey text embossed. It keeps what the
// drawing needs from one item to the next: the menu fonts, the colours,
// the mask and image contexts with the dither brush, and a check mark for
// checked items without an image.
#pragma once

#include <string>

#include "docking/QVTButtonDrawContext.h"
#include "platform/afx/Font.h"

namespace docking {

// What the drawing of one item needs to know.
struct QVTBmpMenuItemLook {
  std::string text;  // the label, a TAB and the accelerator text
  UINT state = 0;    // the draw-item state bits (ODS_)
  HBITMAP image = nullptr;  // the bitmap holding the item's image; may be null
  int imageIndex = 0;
  SIZE imageSize{16, 15};
};

class QVTBmpMenuItemPainter {
 public:
  // The image box is this much wider and taller than the image.
  static constexpr int kImageMargin = 4;
  // A measured item is this much wider than its text and image.
  static constexpr int kWidthExtra = 30;
  // The accelerator text ends this far before the item's right edge.
  static constexpr int kRightMargin = 23;

  QVTBmpMenuItemPainter();
  ~QVTBmpMenuItemPainter();
  QVTBmpMenuItemPainter(const QVTBmpMenuItemPainter&) = delete;
  QVTBmpMenuItemPainter& operator=(const QVTBmpMenuItemPainter&) = delete;

  // The item's size: the whole text (accelerator included) in the menu
  // font, and the image; never lower than a menu row.
  SIZE Measure(HDC dc, const std::string& text, SIZE imageSize);
  void Draw(HDC dc, const RECT& item, const QVTBmpMenuItemLook& look);

  // A check mark on the button face, for a checked item without an image
  // or check bitmaps of its own; null when it cannot be made.
  HBITMAP CheckMark(SIZE size);

  // After a settings change: the fonts are made again on next use.
  void DropFonts();
  // After a colour change: colours, dither brush and check mark anew.
  void ReadColours();

  HFONT MenuFont();
  HFONT BoldMenuFont();

 private:
  struct Colours {
    COLORREF menuText = 0;
    COLORREF highlightText = 0;
    COLORREF grayText = 0;
    COLORREF menu = 0;
    COLORREF highlight = 0;
    COLORREF btnShadow = 0;
    COLORREF btnHighlight = 0;
    COLORREF btnFace = 0;
  };

  // Draws the image box and returns where the text area starts.
  int DrawItemImage(HDC dc, const RECT& item, const QVTBmpMenuItemLook& look);
  void DrawImageInFrame(HDC dc, const RECT& frame, const QVTBmpMenuItemLook& look);
  void DrawItemText(HDC dc, const RECT& item, int textLeft, const QVTBmpMenuItemLook& look);
  // White where the image at `sourceX` shows the button face or highlight.
  void CreateMonoMask(int width, int height, int sourceX);
  void DrawDisabledImage(HDC dc, int x, int y, int width, int height);
  void DrawCheckedBackground(HDC dc, int x, int y, int width, int height);
  // The mask through `brush` with a raster operation that uses it.
  static void MaskedBrush(HDC dc, int x, int y, int width, int height, HDC mask, HBRUSH brush, DWORD rop);
  static void Fill(HDC dc, const RECT& rect, COLORREF colour);
  static void Text(HDC dc, const std::string& text, RECT rect, UINT flags, COLORREF colour);
  BOOL CreateMenuFont(afx::CFont& font, BOOL bold);

  Colours colours_;
  QVTButtonDrawContext context_;
  afx::CFont menuFont_;
  afx::CFont boldMenuFont_;
  HBITMAP checkMark_ = nullptr;
  SIZE checkMarkSize_{0, 0};
};

}  // namespace docking
