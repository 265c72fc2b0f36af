// The menu loop of menu bars: turns the bar's drop notifications into
// tracked popups under a message-filter hook (Left and Right at a leaf
// item move to the neighbouring title, a move onto another title switches
// popups), runs keyboard mode under keyboard and mouse hooks, and answers
// Alt, F10, mnemonics and the system menu from the frame's message
// pre-translation. The loop's state is one per thread: one popup at a time.
#pragma once

#include "docking/QVTMenuBar.h"
#include "platform/ui/Menu.h"

namespace docking {

class QVTMenuBarMessages {
 public:
  QVTMenuBarMessages() = default;
  QVTMenuBarMessages(const QVTMenuBarMessages&) = delete;
  QVTMenuBarMessages& operator=(const QVTMenuBarMessages&) = delete;
  virtual ~QVTMenuBarMessages();

  // The registered messages: the frame's popup of a title (wParam the
  // menu id, lParam the popup's position), and the move to a neighbour.
  static UINT GetMenuMessage();
  static UINT MenuProdMessage();
  // How many hooks of the loop are installed on this thread.
  static int InstalledHookCount();
  // WM_MENUCHAR's answer for a character: the next item after the
  // highlighted one with that mnemonic, wrapping round; executed when it
  // is the only one, else selected; 0 for none.
  static LRESULT AnswerMenuChar(HMENU menu, char ch);

  void SetMenuBar(QVTMenuBar* bar) { m_pMenuBar = bar; }
  QVTMenuBar* GetMenuBar() const { return m_pMenuBar; }

  virtual void Prod(int direction);
  virtual void Cancel();
  virtual BOOL SwitchMenu(UINT menu_id);
  virtual void DropHot();
  virtual void HotTrack(POINT screen);
  virtual void NoteAltInMenu() { m_bAltInMenu = TRUE; }
  // A click while the system menu is open; TRUE when it was on the
  // frame's system-menu box.
  virtual BOOL SystemMenuClick(const ui::MSG& msg);
  virtual afx::CWnd* GetFrame() const = 0;
  virtual void TrackPopup(QVTMenuBar* bar, HMENU menu, const QVTMenuBarNotify& notify);
  virtual void TrackSystemMenu(QVTMenuBar* bar, HMENU menu, const QVTMenuBarNotify& notify);
  virtual void HookMenuFilter(BOOL on);
  virtual void HookKeyboardMouse(BOOL on);
  virtual BOOL PreTranslateMessage(ui::MSG* msg);
  virtual void OnMenuSelect() { m_bItemSelected = TRUE; }
  virtual void OnMenuProd();
  virtual BOOL OnNotify(const QVTMenuBarNotify& notify, LRESULT* result);
  virtual void OnInitMenuPopup();
  virtual BOOL OnSysCommand(UINT command, ui::LPARAM lParam);
  virtual void OnNcActivate(BOOL active);

 protected:
  // The frame's system-menu box on the screen.
  RECT SystemMenuBox() const;
  BOOL DropMnemonic(char key);
  // A form control of the active view whose mnemonic is `key`.
  BOOL ViewControlHasMnemonic(char key) const;

  QVTMenuBar* m_pMenuBar = nullptr;
  BOOL m_bKeyboardDrop = FALSE;
  BOOL m_bAltInMenu = FALSE;
  BOOL m_bItemSelected = FALSE;
  int m_nProdDirection = 0;
  // Alt went down and nothing else happened since: its release toggles
  // keyboard mode. Another key or a mouse press with Alt held disarms it.
  BOOL m_bAltArmed = FALSE;
};

}  // namespace docking
