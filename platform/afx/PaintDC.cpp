#include "platform/afx/PaintDC.h"

#include "platform/afx/Wnd.h"

namespace afx {

IMPLEMENT_DYNAMIC(CPaintDC, CDC)

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) { Attach(::ui::BeginPaint(m_hWnd, &m_ps)); }

CPaintDC::~CPaintDC() {
  // EndPaint releases the context BeginPaint made.
  if (m_hDC) ::ui::EndPaint(m_hWnd, &m_ps);
  Detach();
}

}  // namespace afx
