// The whole window, frame included; with a null window, the desktop
// overlay.
#pragma once

#include "platform/afx/Dc.h"

namespace afx {

class CWindowDC : public CDC {
  DECLARE_DYNAMIC(CWindowDC)
 public:
  explicit CWindowDC(CWnd* wnd);
  ~CWindowDC() override;

 protected:
  HWND m_hWnd = nullptr;
};

}  // namespace afx
