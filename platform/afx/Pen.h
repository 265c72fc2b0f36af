// CPen: a pen object.
#pragma once

#include "platform/afx/GdiObject.h"

namespace afx {

class CPen : public CGdiObject {
  DECLARE_DYNCREATE(CPen)
 public:
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }
  static CPen* FromHandle(HPEN object);
  BOOL CreatePen(int style, int width, COLORREF color) { return Attach(::ui::CreatePen(style, width, color)); }
  BOOL CreatePenIndirect(const LOGPEN* pen) { return Attach(::ui::CreatePenIndirect(pen)); }
};

}  // namespace afx
