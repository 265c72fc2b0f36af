#include "platform/afx/WindowDC.h"

#include "platform/afx/Wnd.h"

namespace afx {

IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) { Attach(::ui::GetWindowDC(m_hWnd)); }

CWindowDC::~CWindowDC() {
  if (m_hDC) ::ui::ReleaseDC(m_hWnd, m_hDC);
  Detach();
}

}  // namespace afx
