#include "platform/afx/WinThread.h"

#include "platform/afx/Dc.h"
#include "platform/afx/Wnd.h"

namespace afx {

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

int CWinThread::Run() {
  BOOL idle = TRUE;
  LONG idle_count = 0;
  MSG peek;
  for (;;) {
    while (idle && !::ui::PeekMessage(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(idle_count++)) idle = FALSE;
    }
    do {
      if (!PumpMessage()) return ExitInstance();
      if (IsIdleMessage(&m_msgCur)) {
        idle = TRUE;
        idle_count = 0;
      }
    } while (::ui::PeekMessage(&peek, nullptr, 0, 0, PM_NOREMOVE));
  }
}

int CWinThread::ExitInstance() {
  CWnd::DeleteTempMap();
  CMenu::DeleteTempMap();
  CGdiObject::DeleteTempMap();
  CDC::DeleteTempMap();
  return static_cast<int>(m_msgCur.wParam);
}

BOOL CWinThread::PumpMessage() {
  const int got = ::ui::GetMessage(&m_msgCur, nullptr, 0, 0);
  if (got <= 0) {
    if (got < 0) m_msgCur.wParam = static_cast<WPARAM>(-1);
    return FALSE;
  }
  if (!PreTranslateMessage(&m_msgCur)) {
    ::ui::TranslateMessage(&m_msgCur);
    ::ui::DispatchMessage(&m_msgCur);
  }
  return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* msg) {
  CWnd* main = GetMainWnd();
  if (CWnd::WalkPreTranslateTree(main ? main->m_hWnd : nullptr, msg)) return TRUE;
  // The main window gets its say on messages of windows outside it (its
  // accelerators work while a modeless window has the focus).
  if (main && main->m_hWnd && msg->hwnd != main->m_hWnd && !::ui::IsChild(main->m_hWnd, msg->hwnd))
    return main->PreTranslateMessage(msg);
  return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* msg) { return msg->message != WM_PAINT ? TRUE : FALSE; }

BOOL CWinThread::OnIdle(LONG count) {
  if (count <= 0) {
    CWnd* main = GetMainWnd();
    if (main && main->m_hWnd && main->IsWindowVisible()) {
      main->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
      main->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
    return TRUE;
  }
  CWnd::DeleteTempMap();
  CMenu::DeleteTempMap();
  CGdiObject::DeleteTempMap();
  CDC::DeleteTempMap();
  return FALSE;
}

}  // namespace afx
