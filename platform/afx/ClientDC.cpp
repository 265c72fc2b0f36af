#include "platform/afx/ClientDC.h"

#include "platform/afx/Wnd.h"

namespace afx {

IMPLEMENT_DYNAMIC(CClientDC, CDC)

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) { Attach(::ui::GetDC(m_hWnd)); }

CClientDC::~CClientDC() {
  if (m_hDC) ::ui::ReleaseDC(m_hWnd, m_hDC);
  Detach();
}

}  // namespace afx
