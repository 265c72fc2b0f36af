// CDC: a framework object joined to a device context, with the drawing
// calls the framework and the bars make, in logical coordinates. The
// contexts of windows are CPaintDC, CClientDC and CWindowDC beside it.
#pragma once

#include <string>
#include <string_view>

#include "platform/afx/Bitmap.h"
#include "platform/afx/Brush.h"
#include "platform/afx/Font.h"
#include "platform/afx/Pen.h"
#include "platform/afx/Rgn.h"

namespace afx {

class CWnd;

class CDC : public CObject {
  DECLARE_DYNCREATE(CDC)
 public:
  CDC() = default;
  ~CDC() override;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC m_hDC = nullptr;
  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }
  static CDC* FromHandle(HDC dc);
  static void DeleteTempMap();
  BOOL Attach(HDC dc);
  HDC Detach();
  BOOL CreateCompatibleDC(CDC* dc);
  BOOL DeleteDC();
  int SaveDC() { return ::ui::SaveDC(m_hDC); }
  BOOL RestoreDC(int saved) { return ::ui::RestoreDC(m_hDC, saved); }

  // Selection returns the object replaced, as a temporary object.
  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  CFont* SelectObject(CFont* font);
  CBitmap* SelectObject(CBitmap* bitmap);
  int SelectObject(CRgn* region) { return SelectClipRgn(region); }
  CGdiObject* SelectStockObject(int index);
  CFont* GetCurrentFont() const;

  COLORREF SetTextColor(COLORREF color) { return ::ui::SetTextColor(m_hDC, color); }
  COLORREF GetTextColor() const { return ::ui::GetTextColor(m_hDC); }
  COLORREF SetBkColor(COLORREF color) { return ::ui::SetBkColor(m_hDC, color); }
  COLORREF GetBkColor() const { return ::ui::GetBkColor(m_hDC); }
  int SetBkMode(int mode) { return ::ui::SetBkMode(m_hDC, mode); }
  int SetStretchBltMode(int mode) { return ::ui::SetStretchBltMode(m_hDC, mode); }
  int SetPolyFillMode(int mode) { return ::ui::SetPolyFillMode(m_hDC, mode); }
  POINT SetViewportOrg(int x, int y);
  POINT OffsetViewportOrg(int dx, int dy);
  POINT GetViewportOrg() const;
  POINT SetBrushOrg(int x, int y);
  int GetDeviceCaps(int index) const { return ::ui::GetDeviceCaps(m_hDC, index); }

  // Clipping.
  int SelectClipRgn(CRgn* region) { return ::ui::SelectClipRgn(m_hDC, region ? static_cast<HRGN>(*region) : nullptr); }
  int SelectClipRgn(CRgn* region, int mode);
  int ExcludeClipRect(int left, int top, int right, int bottom) {
    return ::ui::ExcludeClipRect(m_hDC, left, top, right, bottom);
  }
  int ExcludeClipRect(const RECT* r) { return ExcludeClipRect(r->left, r->top, r->right, r->bottom); }
  int IntersectClipRect(int left, int top, int right, int bottom) {
    return ::ui::IntersectClipRect(m_hDC, left, top, right, bottom);
  }
  int IntersectClipRect(const RECT* r) { return IntersectClipRect(r->left, r->top, r->right, r->bottom); }
  int GetClipBox(RECT* rect) const { return ::ui::GetClipBox(m_hDC, rect); }
  BOOL RectVisible(const RECT* rect) const { return ::ui::RectVisible(m_hDC, rect); }

  // Fills and shapes.
  void FillRect(const RECT* rect, CBrush* brush) { ::ui::FillRect(m_hDC, rect, brush ? static_cast<HBRUSH>(*brush) : nullptr); }
  void FillSolidRect(const RECT* rect, COLORREF color);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
  void FrameRect(const RECT* rect, CBrush* brush) { ::ui::FrameRect(m_hDC, rect, *brush); }
  void InvertRect(const RECT* rect) { ::ui::InvertRect(m_hDC, rect); }
  BOOL FillRgn(CRgn* region, CBrush* brush) { return ::ui::FillRgn(m_hDC, *region, *brush); }
  BOOL FrameRgn(CRgn* region, CBrush* brush, int width, int height) {
    return ::ui::FrameRgn(m_hDC, *region, *brush, width, height);
  }
  // Top and left in one colour, bottom and right in the other.
  void Draw3dRect(const RECT* rect, COLORREF top_left, COLORREF bottom_right);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF top_left, COLORREF bottom_right);
  BOOL DrawEdge(RECT* rect, UINT edge, UINT flags) { return ::ui::DrawEdge(m_hDC, rect, edge, flags); }
  BOOL DrawFrameControl(RECT* rect, UINT type, UINT state) { return ::ui::DrawFrameControl(m_hDC, rect, type, state); }
  void DrawFocusRect(const RECT* rect) { ::ui::DrawFocusRect(m_hDC, rect); }
  // Moves a drag outline: the last one (when given) is inverted away and
  // the new one inverted in, each with its brush (the halftone when null)
  // and its side thicknesses.
  void DrawDragRect(const RECT* rect, SIZE size, const RECT* last, SIZE last_size, CBrush* brush = nullptr,
                    CBrush* last_brush = nullptr);
  static CBrush* GetHalftoneBrush();
  POINT MoveTo(int x, int y);
  BOOL LineTo(int x, int y) { return ::ui::LineTo(m_hDC, x, y); }
  BOOL Rectangle(int left, int top, int right, int bottom) { return ::ui::Rectangle(m_hDC, left, top, right, bottom); }
  BOOL Rectangle(const RECT* r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
  BOOL Ellipse(int left, int top, int right, int bottom) { return ::ui::Ellipse(m_hDC, left, top, right, bottom); }
  BOOL Polygon(const POINT* points, int count) { return ::ui::Polygon(m_hDC, points, count); }
  BOOL Polyline(const POINT* points, int count) { return ::ui::Polyline(m_hDC, points, count); }
  COLORREF SetPixel(int x, int y, COLORREF color) { return ::ui::SetPixel(m_hDC, x, y, color); }
  COLORREF GetPixel(int x, int y) const { return ::ui::GetPixel(m_hDC, x, y); }
  BOOL DrawIcon(int x, int y, HICON icon) { return ::ui::DrawIcon(m_hDC, x, y, icon); }

  // Transfers.
  BOOL PatBlt(int x, int y, int width, int height, DWORD rop) { return ::ui::PatBlt(m_hDC, x, y, width, height, rop); }
  BOOL BitBlt(int x, int y, int width, int height, CDC* source, int source_x, int source_y, DWORD rop);
  BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int source_x, int source_y, int source_width,
                  int source_height, DWORD rop);

  // Text.
  int DrawText(std::string_view text, RECT* rect, UINT format);
  BOOL TextOut(int x, int y, std::string_view text);
  BOOL ExtTextOut(int x, int y, UINT options, const RECT* rect, std::string_view text);
  SIZE GetTextExtent(std::string_view text) const;
  BOOL GetTextMetrics(TEXTMETRIC* metrics) const { return ::ui::GetTextMetrics(m_hDC, metrics); }
};

}  // namespace afx
