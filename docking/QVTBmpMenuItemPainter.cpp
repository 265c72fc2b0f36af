#include "docking/QVTBmpMenuItemPainter.h"

#include <algorithm>

#include "docking/QVTBmpMenuItemInfo.h"
#include "docking/QVTToolBarDrawingData.h"
#include "platform/ui/ControlMessages.h"

namespace docking {

namespace {

// Pattern where the mask is white, the destination where it is black.
constexpr DWORD kRopPatternWhereWhite = 0x00E20746;
// Pattern where the mask is black, the destination where it is white.
constexpr DWORD kRopPatternWhereBlack = 0x00B8074A;
constexpr UINT kLabelFlags = DT_VCENTER | DT_SINGLELINE;
constexpr UINT kAcceleratorFlags = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
constexpr LONG kBoldWeight = 700;

}  // namespace

QVTBmpMenuItemPainter::QVTBmpMenuItemPainter() { ReadColours(); }

QVTBmpMenuItemPainter::~QVTBmpMenuItemPainter() {
  if (checkMark_) DeleteObject(checkMark_);
}

void QVTBmpMenuItemPainter::ReadColours() {
  colours_.menuText = GetSysColor(COLOR_MENUTEXT);
  colours_.highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
  colours_.grayText = GetSysColor(COLOR_GRAYTEXT);
  colours_.menu = GetSysColor(COLOR_MENU);
  colours_.highlight = GetSysColor(COLOR_HIGHLIGHT);
  colours_.btnShadow = GetSysColor(COLOR_BTNSHADOW);
  colours_.btnHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  colours_.btnFace = GetSysColor(COLOR_BTNFACE);
  // The dither is made from the toolkit's colours: they must be the new
  // ones even when the menus hear of the change before the toolbars do.
  ToolkitDrawingData::Get().UpdateSysColors();
  context_.RebuildDitherBrush();
  if (checkMark_) DeleteObject(checkMark_);
  checkMark_ = nullptr;
}

BOOL QVTBmpMenuItemPainter::CreateMenuFont(afx::CFont& font, BOOL bold) {
  NONCLIENTMETRICS metrics;
  if (!SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return FALSE;
  LOGFONT face = metrics.lfMenuFont;
  if (bold) face.lfWeight = kBoldWeight;
  return font.CreateFontIndirect(&face);
}

HFONT QVTBmpMenuItemPainter::MenuFont() {
  if (!menuFont_.GetSafeHandle()) CreateMenuFont(menuFont_, FALSE);
  return menuFont_;
}

HFONT QVTBmpMenuItemPainter::BoldMenuFont() {
  if (!boldMenuFont_.GetSafeHandle()) CreateMenuFont(boldMenuFont_, TRUE);
  return boldMenuFont_;
}

void QVTBmpMenuItemPainter::DropFonts() {
  menuFont_.DeleteObject();
  boldMenuFont_.DeleteObject();
}

SIZE QVTBmpMenuItemPainter::Measure(HDC dc, const std::string& text, SIZE imageSize) {
  const HGDIOBJ before = SelectObject(dc, MenuFont());
  RECT bounds{0, 0, 0, 0};
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &bounds, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
  SelectObject(dc, before);
  const int textHeight = bounds.bottom - bounds.top;
  return SIZE{bounds.right - bounds.left + imageSize.cx + kWidthExtra,
              std::max({textHeight, static_cast<int>(imageSize.cy) + kImageMargin, GetSystemMetrics(SM_CYMENU)})};
}

void QVTBmpMenuItemPainter::Draw(HDC dc, const RECT& item, const QVTBmpMenuItemLook& look) {
  const HGDIOBJ before = SelectObject(dc, (look.state & ODS_DEFAULT) ? BoldMenuFont() : MenuFont());
  const int textLeft = DrawItemImage(dc, item, look);
  DrawItemText(dc, item, textLeft, look);
  SelectObject(dc, before);
}

int QVTBmpMenuItemPainter::DrawItemImage(HDC dc, const RECT& item, const QVTBmpMenuItemLook& look) {
  const bool selected = (look.state & ODS_SELECTED) != 0;
  const RECT box{item.left, item.top, item.left + look.imageSize.cx + kImageMargin, item.bottom};
  if (!look.image) {
    Fill(dc, box, selected ? colours_.highlight : colours_.menu);
    return box.right;
  }
  Fill(dc, box, colours_.menu);
  const int frameHeight = look.imageSize.cy + kImageMargin;
  const int top = item.top + (item.bottom - item.top - frameHeight) / 2;
  RECT frame{box.left, top, box.right, top + frameHeight};
  if (look.state & ODS_CHECKED) DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
  else if (selected && !(look.state & ODS_GRAYED)) DrawEdge(dc, &frame, BDR_RAISEDINNER, BF_RECT);
  InflateRect(&frame, -1, -1);
  DrawImageInFrame(dc, frame, look);
  return box.right;
}

void QVTBmpMenuItemPainter::DrawImageInFrame(HDC dc, const RECT& frame, const QVTBmpMenuItemLook& look) {
  const int w = look.imageSize.cx, h = look.imageSize.cy;
  const int x = frame.left + 1, y = frame.top + 1;
  const int sourceX = w * look.imageIndex;
  // Without the off-screen contexts there is no image, but the text is
  // still drawn.
  if (!context_.IsReady() || !context_.Prepare(look.imageSize)) return;
  context_.SelectImage(look.image);
  if (look.state & ODS_GRAYED) {
    CreateMonoMask(w, h, sourceX);
    DrawDisabledImage(dc, x, y, w, h);
  } else {
    BitBlt(dc, x, y, w, h, context_.ImageDC(), sourceX, 0, SRCCOPY);
    if ((look.state & ODS_CHECKED) && !(look.state & ODS_SELECTED)) {
      CreateMonoMask(w, h, sourceX);
      DrawCheckedBackground(dc, x, y, w, h);
    }
  }
  context_.SelectImage(nullptr);
}

void QVTBmpMenuItemPainter::CreateMonoMask(int width, int height, int sourceX) {
  HDC mask = context_.MaskDC();
  HDC image = context_.ImageDC();
  PatBlt(mask, 0, 0, width, height, WHITENESS);
  const COLORREF before = SetBkColor(image, colours_.btnFace);
  BitBlt(mask, 0, 0, width, height, image, sourceX, 0, SRCCOPY);
  SetBkColor(image, colours_.btnHighlight);
  BitBlt(mask, 0, 0, width, height, image, sourceX, 0, SRCPAINT);
  SetBkColor(image, before);
}

void QVTBmpMenuItemPainter::MaskedBrush(HDC dc, int x, int y, int width, int height, HDC mask, HBRUSH brush,
                                        DWORD rop) {
  // A monochrome source takes the text colour for its black bits and the
  // background colour for its white ones: black and white keep it a mask.
  const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
  const HGDIOBJ before = SelectObject(dc, brush);
  BitBlt(dc, x, y, width, height, mask, 0, 0, rop);
  SelectObject(dc, before);
  SetTextColor(dc, text);
  SetBkColor(dc, back);
}

void QVTBmpMenuItemPainter::DrawDisabledImage(HDC dc, int x, int y, int width, int height) {
  HBRUSH highlight = CreateSolidBrush(colours_.btnHighlight);
  HBRUSH shadow = CreateSolidBrush(colours_.btnShadow);
  // Embossed: the shape in highlight one pixel down and right, in shadow on top.
  if (highlight) MaskedBrush(dc, x + 1, y + 1, width, height, context_.MaskDC(), highlight, kRopPatternWhereBlack);
  if (shadow) MaskedBrush(dc, x, y, width, height, context_.MaskDC(), shadow, kRopPatternWhereBlack);
  if (highlight) DeleteObject(highlight);
  if (shadow) DeleteObject(shadow);
}

void QVTBmpMenuItemPainter::DrawCheckedBackground(HDC dc, int x, int y, int width, int height) {
  MaskedBrush(dc, x, y, width, height, context_.MaskDC(), context_.DitherBrush(), kRopPatternWhereWhite);
}

void QVTBmpMenuItemPainter::DrawItemText(HDC dc, const RECT& item, int textLeft, const QVTBmpMenuItemLook& look) {
  const bool selected = (look.state & ODS_SELECTED) != 0;
  Fill(dc, RECT{textLeft, item.top, textLeft + 1, item.bottom},
       selected && !look.image ? colours_.highlight : colours_.menu);
  const RECT area{textLeft + 1, item.top, item.right, item.bottom};
  Fill(dc, area, selected ? colours_.highlight : colours_.menu);
  const RECT text{area.left + 1, item.top, item.right - kRightMargin, item.bottom};
  const std::string label = QVTBmpMenuItemInfo::Label(look.text);
  const std::string accelerator = QVTBmpMenuItemInfo::Accelerator(look.text);
  const int mode = SetBkMode(dc, TRANSPARENT);
  const auto both = [&](const RECT& where, COLORREF colour) {
    Text(dc, label, where, kLabelFlags, colour);
    if (!accelerator.empty()) Text(dc, accelerator, where, kAcceleratorFlags, colour);
  };
  if (!(look.state & ODS_GRAYED)) {
    both(text, selected ? colours_.highlightText : colours_.menuText);
  } else if (selected) {
    both(text, colours_.menu);
  } else {
    both(RECT{text.left + 1, text.top + 1, text.right + 1, text.bottom + 1}, colours_.btnHighlight);
    both(text, colours_.grayText);
  }
  SetBkMode(dc, mode);
}

HBITMAP QVTBmpMenuItemPainter::CheckMark(SIZE size) {
  if (checkMark_ && size.cx == checkMarkSize_.cx && size.cy == checkMarkSize_.cy) return checkMark_;
  if (checkMark_) DeleteObject(checkMark_);
  checkMark_ = CreateBitmap(size.cx, size.cy, 1, 32, nullptr);
  checkMarkSize_ = size;
  HDC dc = checkMark_ ? CreateCompatibleDC(nullptr) : nullptr;
  if (!dc) return checkMark_;
  const HGDIOBJ before = SelectObject(dc, checkMark_);
  const RECT all{0, 0, size.cx, size.cy};
  // On the face colour, so that masks see the mark as the image's shape.
  Fill(dc, all, colours_.btnFace);
  StylePainter::PaintMenuCheck(dc, all, false, GetSysColor(COLOR_BTNTEXT));
  SelectObject(dc, before);
  DeleteDC(dc);
  return checkMark_;
}

void QVTBmpMenuItemPainter::Fill(HDC dc, const RECT& rect, COLORREF colour) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  StylePainter::FillSolid(dc, rect, colour);
}

void QVTBmpMenuItemPainter::Text(HDC dc, const std::string& text, RECT rect, UINT flags, COLORREF colour) {
  SetTextColor(dc, colour);
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
}

}  // namespace docking
