// A user-interface thread: the master message loop with idle processing.
#pragma once

#include "platform/afx/CmdTarget.h"

namespace afx {

class CWnd;

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)
 public:
  CWnd* m_pMainWnd = nullptr;
  MSG m_msgCur;

  virtual BOOL InitInstance() { return FALSE; }
  // Pumps messages until WM_QUIT, doing idle work whenever the queue is
  // empty; returns what ExitInstance returns.
  virtual int Run();
  // The exit code: WM_QUIT's.
  virtual int ExitInstance();
  // Idle work for one count: 0 updates the commands of the main window's
  // items, 1 frees temporary objects; TRUE asks for more idle time.
  virtual BOOL OnIdle(LONG count);
  virtual BOOL PreTranslateMessage(MSG* msg);
  // FALSE on WM_QUIT.
  virtual BOOL PumpMessage();
  // Messages after which idle processing is due again.
  virtual BOOL IsIdleMessage(MSG* msg);
  virtual CWnd* GetMainWnd() { return m_pMainWnd; }
};

}  // namespace afx
