// The client area of a window, for drawing outside WM_PAINT; with a null
// window, the desktop overlay that drag outlines are drawn on.
#pragma once

#include "platform/afx/Dc.h"

namespace afx {

class CClientDC : public CDC {
  DECLARE_DYNAMIC(CClientDC)
 public:
  explicit CClientDC(CWnd* wnd);
  ~CClientDC() override;

 protected:
  HWND m_hWnd = nullptr;
};

}  // namespace afx
