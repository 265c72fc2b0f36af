// CBrush: a brush object (solid, pattern or system colour).
#pragma once

#include "platform/afx/GdiObject.h"

namespace afx {

class CBrush : public CGdiObject {
  DECLARE_DYNCREATE(CBrush)
 public:
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
  static CBrush* FromHandle(HBRUSH object);
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  BOOL CreateSolidBrush(COLORREF color) { return Attach(::ui::CreateSolidBrush(color)); }
  BOOL CreatePatternBrush(HBITMAP bitmap) { return Attach(::ui::CreatePatternBrush(bitmap)); }
  BOOL CreateBrushIndirect(const LOGBRUSH* brush) { return Attach(::ui::CreateBrushIndirect(brush)); }
  // A solid brush of the system colour as it is now.
  BOOL CreateSysColorBrush(int index);
};

}  // namespace afx
