// CRgn: a region object.
#pragma once

#include "platform/afx/GdiObject.h"

namespace afx {

class CRgn : public CGdiObject {
  DECLARE_DYNCREATE(CRgn)
 public:
  operator HRGN() const { return static_cast<HRGN>(m_hObject); }
  static CRgn* FromHandle(HRGN object);
  BOOL CreateRectRgn(int left, int top, int right, int bottom) {
    return Attach(::ui::CreateRectRgn(left, top, right, bottom));
  }
  BOOL CreateRectRgnIndirect(const RECT* rect) { return Attach(::ui::CreateRectRgnIndirect(rect)); }
  BOOL CreatePolygonRgn(const POINT* points, int count, int mode) {
    return Attach(::ui::CreatePolygonRgn(points, count, mode));
  }
  void SetRectRgn(int left, int top, int right, int bottom) { ::ui::SetRectRgn(*this, left, top, right, bottom); }
  void SetRectRgn(const RECT* rect) { SetRectRgn(rect->left, rect->top, rect->right, rect->bottom); }
  int CombineRgn(const CRgn* a, const CRgn* b, int mode) {
    return ::ui::CombineRgn(*this, a ? static_cast<HRGN>(*a) : nullptr, b ? static_cast<HRGN>(*b) : nullptr, mode);
  }
  int CopyRgn(const CRgn* source) { return CombineRgn(source, nullptr, RGN_COPY); }
  int OffsetRgn(int dx, int dy) { return ::ui::OffsetRgn(*this, dx, dy); }
  int GetRgnBox(RECT* box) const { return ::ui::GetRgnBox(*this, box); }
  BOOL PtInRegion(int x, int y) const { return ::ui::PtInRegion(*this, x, y); }
  BOOL RectInRegion(const RECT* rect) const { return ::ui::RectInRegion(*this, rect); }
};

}  // namespace afx
