// The context of a WM_PAINT: BeginPaint on construction, EndPaint on
// destruction.
#pragma once

#include "platform/afx/Dc.h"

namespace afx {

class CPaintDC : public CDC {
  DECLARE_DYNAMIC(CPaintDC)
 public:
  explicit CPaintDC(CWnd* wnd);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps;

 protected:
  HWND m_hWnd = nullptr;
};

}  // namespace afx
