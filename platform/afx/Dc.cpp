#include "platform/afx/Dc.h"

#include <algorithm>
#include <map>
#include <memory>

namespace afx {

IMPLEMENT_DYNCREATE(CDC, CObject)

namespace {
thread_local std::map<HDC, std::unique_ptr<CDC>> temporary_dcs;

}  // namespace

CDC::~CDC() {
  // A context the object made itself (a memory context) goes with it;
  // window contexts are released by their own classes first.
  DeleteDC();
}

CDC* CDC::FromHandle(HDC dc) {
  if (!dc || (::ui::GetObjectType(dc) != OBJ_DC && ::ui::GetObjectType(dc) != OBJ_MEMDC)) return nullptr;
  auto& slot = temporary_dcs[dc];
  if (!slot) {
    slot = std::make_unique<CDC>();
    slot->m_hDC = dc;
  }
  return slot.get();
}

void CDC::DeleteTempMap() {
  for (auto& [handle, dc] : temporary_dcs) dc->m_hDC = nullptr;
  temporary_dcs.clear();
}

BOOL CDC::Attach(HDC dc) {
  if (m_hDC || !dc) return FALSE;
  m_hDC = dc;
  return TRUE;
}

HDC CDC::Detach() {
  const HDC dc = m_hDC;
  m_hDC = nullptr;
  return dc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) { return Attach(::ui::CreateCompatibleDC(dc ? dc->m_hDC : nullptr)); }

BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  return ::ui::DeleteDC(Detach());
}

CPen* CDC::SelectObject(CPen* pen) {
  return pen ? CPen::FromHandle(static_cast<HPEN>(::ui::SelectObject(m_hDC, pen->m_hObject))) : nullptr;
}
CBrush* CDC::SelectObject(CBrush* brush) {
  return brush ? CBrush::FromHandle(static_cast<HBRUSH>(::ui::SelectObject(m_hDC, brush->m_hObject))) : nullptr;
}
CFont* CDC::SelectObject(CFont* font) {
  return font ? CFont::FromHandle(static_cast<HFONT>(::ui::SelectObject(m_hDC, font->m_hObject))) : nullptr;
}
CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  return bitmap ? CBitmap::FromHandle(static_cast<HBITMAP>(::ui::SelectObject(m_hDC, bitmap->m_hObject))) : nullptr;
}

CGdiObject* CDC::SelectStockObject(int index) {
  return CGdiObject::FromHandle(::ui::SelectObject(m_hDC, ::ui::GetStockObject(index)));
}

CFont* CDC::GetCurrentFont() const {
  return CFont::FromHandle(static_cast<HFONT>(::ui::GetCurrentObject(m_hDC, OBJ_FONT)));
}

POINT CDC::SetViewportOrg(int x, int y) {
  POINT previous{};
  ::ui::SetViewportOrgEx(m_hDC, x, y, &previous);
  return previous;
}

POINT CDC::OffsetViewportOrg(int dx, int dy) {
  POINT previous{};
  ::ui::OffsetViewportOrgEx(m_hDC, dx, dy, &previous);
  return previous;
}

POINT CDC::GetViewportOrg() const {
  POINT origin{};
  ::ui::GetViewportOrgEx(m_hDC, &origin);
  return origin;
}

POINT CDC::SetBrushOrg(int x, int y) {
  POINT previous{};
  ::ui::SetBrushOrgEx(m_hDC, x, y, &previous);
  return previous;
}

int CDC::SelectClipRgn(CRgn* region, int mode) {
  return ::ui::ExtSelectClipRgn(m_hDC, region ? static_cast<HRGN>(*region) : nullptr, mode);
}

void CDC::FillSolidRect(const RECT* rect, COLORREF color) { ::ui::StylePainter::FillSolid(m_hDC, *rect, color); }

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
  const RECT r{x, y, x + cx, y + cy};
  FillSolidRect(&r, color);
}

void CDC::Draw3dRect(const RECT* rect, COLORREF top_left, COLORREF bottom_right) {
  ::ui::StylePainter::PaintBevel(m_hDC, *rect, top_left, bottom_right);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF top_left, COLORREF bottom_right) {
  const RECT r{x, y, x + cx, y + cy};
  Draw3dRect(&r, top_left, bottom_right);
}

CBrush* CDC::GetHalftoneBrush() { return CBrush::FromHandle(::ui::GetHalftoneBrush()); }

namespace {

// Inverts the four sides of `r` with the selected brush; the sides never
// overlap, so inverting again erases exactly.
void InvertOutline(HDC dc, const RECT& r, SIZE size, HBRUSH brush) {
  const HGDIOBJ previous = ::ui::SelectObject(dc, brush);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int cx = std::min<int>(size.cx, (w + 1) / 2), cy = std::min<int>(size.cy, (h + 1) / 2);
  ::ui::PatBlt(dc, r.left, r.top, w, cy, PATINVERT);
  ::ui::PatBlt(dc, r.left, r.bottom - cy, w, cy, PATINVERT);
  ::ui::PatBlt(dc, r.left, r.top + cy, cx, h - 2 * cy, PATINVERT);
  ::ui::PatBlt(dc, r.right - cx, r.top + cy, cx, h - 2 * cy, PATINVERT);
  ::ui::SelectObject(dc, previous);
}

}  // namespace

void CDC::DrawDragRect(const RECT* rect, SIZE size, const RECT* last, SIZE last_size, CBrush* brush,
                       CBrush* last_brush) {
  const HBRUSH halftone = ::ui::GetHalftoneBrush();
  if (last) InvertOutline(m_hDC, *last, last_size, last_brush ? static_cast<HBRUSH>(*last_brush) : brush ? static_cast<HBRUSH>(*brush) : halftone);
  if (rect) InvertOutline(m_hDC, *rect, size, brush ? static_cast<HBRUSH>(*brush) : halftone);
}

POINT CDC::MoveTo(int x, int y) {
  POINT previous{};
  ::ui::MoveToEx(m_hDC, x, y, &previous);
  return previous;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int source_x, int source_y, DWORD rop) {
  return ::ui::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, source_x, source_y, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int source_x, int source_y, int source_width,
                     int source_height, DWORD rop) {
  return ::ui::StretchBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, source_x, source_y,
                          source_width, source_height, rop);
}

int CDC::DrawText(std::string_view text, RECT* rect, UINT format) {
  return ::ui::DrawText(m_hDC, text.data(), static_cast<int>(text.size()), rect, format);
}

BOOL CDC::TextOut(int x, int y, std::string_view text) {
  return ::ui::TextOut(m_hDC, x, y, text.data(), static_cast<int>(text.size()));
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, const RECT* rect, std::string_view text) {
  return ::ui::ExtTextOut(m_hDC, x, y, options, rect, text.data(), static_cast<int>(text.size()), nullptr);
}

SIZE CDC::GetTextExtent(std::string_view text) const {
  SIZE size{};
  ::ui::GetTextExtentPoint32(m_hDC, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

}  // namespace afx
