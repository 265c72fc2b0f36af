#include "docking/QVTButtonPainter.h"

#include "docking/QVTToolBarDrawingData.h"

namespace docking {

namespace {

const DWORD kCoolLookBit = 0x100;
const DWORD kTransparentBit = 0x1000;

}  // namespace

void QVTButtonPainter::Fill(HDC dc, int x, int y, int cx, int cy, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  const RECT rect{x, y, x + cx, y + cy};
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void QVTButtonPainter::Frame(HDC dc, int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
  Fill(dc, x, y, cx - 1, 1, topLeft);
  Fill(dc, x, y, 1, cy - 1, topLeft);
  Fill(dc, x + cx - 1, y, 1, cy, bottomRight);
  Fill(dc, x, y + cy - 1, cx, 1, bottomRight);
}

void QVTButtonPainter::MaskedPattern(HDC dc, int x, int y, int cx, int cy, HDC mask, int maskX, int maskY,
                                     HBRUSH brush, DWORD rop) {
  // A monochrome source takes the text colour for its black bits and the
  // background colour for its white ones: black and white keep it a mask.
  const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
  HGDIOBJ before = SelectObject(dc, brush);
  BitBlt(dc, x, y, cx, cy, mask, maskX, maskY, rop);
  SelectObject(dc, before);
  SetTextColor(dc, text);
  SetBkColor(dc, back);
}

POINT QVTButtonPainter::ImageOrigin(const QVTButtonLook& look) {
  return POINT{(look.width - look.imageSize.cx - 1) / 2, (look.height - look.imageSize.cy) / 2};
}

void QVTButtonPainter::BuildImageMask(QVTButtonDrawContext& context, const QVTButtonLook& look, bool highlight) {
  const ToolkitDrawingData& data = ToolkitDrawingData::Get();
  HDC mask = context.MaskDC();
  const int w = look.imageSize.cx;
  const int h = look.imageSize.cy;
  PatBlt(mask, 0, 0, w, h, WHITENESS);
  if (!look.image) return;
  HDC image = context.ImageDC();
  const int sourceX = w * look.imageIndex;
  const COLORREF back = SetBkColor(image, data.clrBtnFace);
  BitBlt(mask, 0, 0, w, h, image, sourceX, 0, SRCCOPY);
  if (highlight) {
    SetBkColor(image, data.clrBtnHilite);
    BitBlt(mask, 0, 0, w, h, image, sourceX, 0, SRCPAINT);
  }
  SetBkColor(image, back);
}

void QVTButtonPainter::DrawFace(QVTButtonDrawContext& context, const QVTButtonLook& look, bool flat, int& x, int& y,
                                int& cx, int& cy) {
  const ToolkitDrawingData& data = ToolkitDrawingData::Get();
  HDC dc = context.ButtonDC();
  Fill(dc, x, y, cx, cy, data.clrBtnFace);
  POINT origin = ImageOrigin(look);
  origin.x += x;
  origin.y += y;
  const bool down = (look.style & (kTBPressed | kTBChecked)) != 0;
  if (down && !flat) {
    if (look.coolLook) {
      Frame(dc, x, y, cx, cy, data.clrBtnShadow, data.clrBtnHilite);
    } else {
      Frame(dc, x, y, cx, cy, data.clrWindowFrame, data.clrBtnHilite);
      Frame(dc, x + 1, y + 1, cx - 2, cy - 2, data.clrBtnShadow, data.clrBtnFace);
    }
    ++origin.x;
    ++origin.y;
  } else if (look.coolLook) {
    if ((look.style & kTBHot) && !flat) Frame(dc, x, y, cx, cy, data.clrBtnHilite, data.clrBtnShadow);
  } else {
    Frame(dc, x, y, cx, cy, data.clrBtnHilite, data.clrWindowFrame);
    Frame(dc, x + 1, y + 1, cx - 2, cy - 2, data.clrBtnFace, data.clrBtnShadow);
  }
  x += 2;
  y += 2;
  cx -= 4;
  cy -= 4;
  if (look.image)
    BitBlt(dc, origin.x, origin.y, look.imageSize.cx, look.imageSize.cy, context.ImageDC(),
           look.imageSize.cx * look.imageIndex, 0, SRCCOPY);
}

void QVTButtonPainter::DrawDisabled(QVTButtonDrawContext& context, const QVTButtonLook& look, int x, int y, int cx,
                                    int cy) {
  const ToolkitDrawingData& data = ToolkitDrawingData::Get();
  HDC dc = context.ButtonDC();
  BuildImageMask(context, look, true);
  Fill(dc, x, y, cx, cy, data.clrBtnFace);
  POINT origin = ImageOrigin(look);
  if (look.style & kTBChecked) {  // a checked face shows its image pushed in
    ++origin.x;
    ++origin.y;
  }
  const int w = look.imageSize.cx;
  const int h = look.imageSize.cy;
  HBRUSH highlight = CreateSolidBrush(data.clrBtnHilite);
  HBRUSH shadow = CreateSolidBrush(data.clrBtnShadow);
  // The embossed shape: highlight one pixel down and right, shadow on top.
  MaskedPattern(dc, origin.x + 1, origin.y + 1, w, h, context.MaskDC(), 0, 0, highlight, kRopPatternWhereBlack);
  MaskedPattern(dc, origin.x, origin.y, w, h, context.MaskDC(), 0, 0, shadow, kRopPatternWhereBlack);
  DeleteObject(highlight);
  DeleteObject(shadow);
  if (look.style & kTBChecked) DrawChecked(context, look, x, y, cx, cy);
}

void QVTButtonPainter::DrawChecked(QVTButtonDrawContext& context, const QVTButtonLook& look, int x, int y, int cx,
                                   int cy) {
  HDC dc = context.ButtonDC();
  HDC mask = context.MaskDC();
  // The mask covers the inside of the frame: white around the image and
  // where the image shows the face, black where the image is drawn.
  PatBlt(mask, 0, 0, context.Size().cx, context.Size().cy, WHITENESS);
  const POINT origin = ImageOrigin(look);
  if (look.image) {
    const COLORREF back = SetBkColor(context.ImageDC(), ToolkitDrawingData::Get().clrBtnFace);
    BitBlt(mask, origin.x + 1, origin.y + 1, look.imageSize.cx, look.imageSize.cy, context.ImageDC(),
           look.imageSize.cx * look.imageIndex, 0, SRCCOPY);
    SetBkColor(context.ImageDC(), back);
  }
  MaskedPattern(dc, x, y, cx, cy, mask, x, y, context.DitherBrush(), kRopPatternWhereWhite);
}

void QVTButtonPainter::DrawIndeterminate(QVTButtonDrawContext& context, const QVTButtonLook& look, int x, int y,
                                         int cx, int cy) {
  const ToolkitDrawingData& data = ToolkitDrawingData::Get();
  HDC dc = context.ButtonDC();
  BuildImageMask(context, look, true);
  HGDIOBJ before = SelectObject(dc, context.DitherBrush());
  PatBlt(dc, x, y, cx, cy, PATCOPY);
  SelectObject(dc, before);
  const POINT origin = ImageOrigin(look);
  HBRUSH shadow = CreateSolidBrush(data.clrBtnShadow);
  MaskedPattern(dc, origin.x, origin.y, look.imageSize.cx, look.imageSize.cy, context.MaskDC(), 0, 0, shadow,
                kRopPatternWhereBlack);
  DeleteObject(shadow);
}

void QVTButtonPainter::DrawSelection(QVTButtonDrawContext& context, const QVTButtonLook& look) {
  HDC dc = context.ButtonDC();
  const COLORREF black = RGB(0, 0, 0);
  Fill(dc, 0, 0, look.width, 3, black);
  Fill(dc, 0, look.height - 3, look.width, 3, black);
  Fill(dc, 0, 0, 3, look.height, black);
  Fill(dc, look.width - 3, 0, 3, look.height, black);
}

void QVTButtonPainter::DrawButton(QVTButtonDrawContext& context, const QVTButtonLook& look) {
  int x = 0;
  int y = 0;
  int cx = look.width;
  int cy = look.height;
  if (look.customise) {
    DrawFace(context, look, true, x, y, cx, cy);
  } else {
    DrawFace(context, look, false, x, y, cx, cy);
    if (look.style & kTBPressed) {
      // The sunken face says it all.
    } else if (look.style & kTBDisabled) {
      DrawDisabled(context, look, x, y, cx, cy);
    } else if (look.style & kTBChecked) {
      DrawChecked(context, look, x, y, cx, cy);
    } else if (look.style & kTBIndeterminate) {
      DrawIndeterminate(context, look, x, y, cx, cy);
    }
  }
  if (look.style & kTBSelected) DrawSelection(context, look);
}

void QVTButtonPainter::DrawSeparator(HDC dc, const RECT& rect, int separatorWidth, DWORD barExStyle) {
  const ToolkitDrawingData& data = ToolkitDrawingData::Get();
  const int cx = rect.right - rect.left;
  const int cy = rect.bottom - rect.top;
  if ((barExStyle & (kCoolLookBit | kTransparentBit)) != (kCoolLookBit | kTransparentBit))
    Fill(dc, rect.left, rect.top, cx, cy, data.clrBtnFace);
  const int line = rect.left + separatorWidth / 2 - 1;
  Fill(dc, line, rect.top, 1, cy, data.clrBtnShadow);
  Fill(dc, line + 1, rect.top, 1, cy, data.clrBtnHilite);
}

void QVTButtonPainter::BlitToScreen(HDC dc, QVTButtonDrawContext& context, int x, int y, int cx, int cy) {
  BitBlt(dc, x, y, cx, cy, context.ButtonDC(), 0, 0, SRCCOPY);
}

}  // namespace docking
