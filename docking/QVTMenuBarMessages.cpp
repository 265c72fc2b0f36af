#include "docking/QVTMenuBarMessages.h"

#include <cctype>
#include <optional>

#include "platform/afx/FrameWnd.h"
#include "platform/afx/View.h"
#include "platform/ui/Hooks.h"
#include "platform/ui/NonClient.h"
#include "platform/ui/SystemMetrics.h"

namespace docking {

namespace {

using ui::HHOOK;

// The menu loop of the user-interface thread.
struct MenuLoopState {
  HWND openBar = nullptr;                    // the bar whose popup is open
  QVTMenuBarMessages* active = nullptr;      // the part that tracks it
  QVTMenuBarMessages* keyboard = nullptr;    // the part in keyboard mode
  BOOL systemMenu = FALSE;
  // The open system menu's window (the frame, or a maximised MDI child
  // whose icon dropped it) and the box on the screen it drops from.
  HWND systemMenuOwner = nullptr;
  RECT systemMenuBox{0, 0, 0, 0};
  HHOOK filterHook = nullptr;
  HHOOK keyboardHook = nullptr;
  HHOOK mouseHook = nullptr;
  POINT last{0, 0};
  bool seenMove = false;  // a move was recorded since the filter went in
  std::optional<QVTMenuBarNotify> pending;
};

thread_local MenuLoopState state;

bool IsAltDown() { return ui::GetKeyState(static_cast<int>(ui::VK_MENU)) < 0; }
bool IsMenuKey(WPARAM key) { return key == ui::VK_MENU || key == ui::VK_F10; }
bool IsSystemMenuKey(WPARAM key) { return key == ' ' || key == '-'; }

ui::LRESULT CALLBACK_Filter(int code, ui::WPARAM wParam, ui::LPARAM lParam);
ui::LRESULT CALLBACK_Keyboard(int code, ui::WPARAM wParam, ui::LPARAM lParam);
ui::LRESULT CALLBACK_Mouse(int code, ui::WPARAM wParam, ui::LPARAM lParam);

ui::LRESULT CALLBACK_Filter(int code, ui::WPARAM wParam, ui::LPARAM lParam) {
  QVTMenuBarMessages* part = state.active;
  if (code != ui::MSGF_MENU || !part) return ui::CallNextHookEx(state.filterHook, code, wParam, lParam);
  const ui::MSG& msg = *reinterpret_cast<const ui::MSG*>(lParam);
  switch (msg.message) {
    case ui::WM_LBUTTONDOWN:
    case ui::WM_LBUTTONDBLCLK:
      if (state.systemMenu && part->SystemMenuClick(msg)) return 1;
      break;
    case ui::WM_KEYDOWN:
      // The popup still gets the key: it may open or close a submenu with it.
      if (msg.wParam == ui::VK_LEFT) part->Prod(0);
      else if (msg.wParam == ui::VK_RIGHT) part->Prod(1);
      break;
    case ui::WM_SYSKEYDOWN:
      if (msg.wParam == ui::VK_MENU) part->NoteAltInMenu();
      break;
  }
  if (msg.message == ui::WM_MOUSEMOVE || msg.message == ui::WM_LBUTTONDOWN) {
    const POINT at{ui::GET_X_LPARAM(msg.lParam), ui::GET_Y_LPARAM(msg.lParam)};
    const bool same = state.seenMove && at.x == state.last.x && at.y == state.last.y;
    const bool first = !state.seenMove;
    state.last = at;
    state.seenMove = true;
    // The popup opening under a resting mouse is no reason to switch.
    if (msg.message == ui::WM_MOUSEMOVE && (same || first)) return 1;
    QVTMenuBar* bar = part->GetMenuBar();
    if (bar && state.openBar && ui::WindowFromPoint(at) == state.openBar) {
      POINT client = at;
      ui::ScreenToClient(state.openBar, &client);
      if (bar->FilterMenuTrackingMessage(msg.message, client)) return 1;
    }
  }
  return ui::CallNextHookEx(state.filterHook, code, wParam, lParam);
}

ui::LRESULT CALLBACK_Keyboard(int code, ui::WPARAM key, ui::LPARAM flags) {
  QVTMenuBarMessages* part = state.keyboard;
  if (code < 0 || !part) return ui::CallNextHookEx(state.keyboardHook, code, key, flags);
  const bool up = (static_cast<unsigned long>(flags) & 0x80000000UL) != 0;
  if (up) return key == ui::VK_MENU ? ui::CallNextHookEx(state.keyboardHook, code, key, flags) : 1;
  if (IsMenuKey(key)) return ui::CallNextHookEx(state.keyboardHook, code, key, flags);
  if (code != ui::HC_ACTION) return 1;  // only looked at, not taken: act when it is taken
  switch (key) {
    case ui::VK_RETURN:
    case ui::VK_DOWN: part->DropHot(); break;
    case ui::VK_ESCAPE: part->Cancel(); break;
    case ui::VK_LEFT: part->Prod(0); break;
    case ui::VK_RIGHT: part->Prod(1); break;
    default: {
      ui::MSG command{};
      command.hwnd = part->GetFrame() ? part->GetFrame()->m_hWnd : nullptr;
      command.message = ui::WM_SYSCOMMAND;
      command.wParam = ui::SC_KEYMENU;
      command.lParam = static_cast<ui::LPARAM>(key);
      part->PreTranslateMessage(&command);
    }
  }
  return 1;
}

ui::LRESULT CALLBACK_Mouse(int code, ui::WPARAM message, ui::LPARAM lParam) {
  QVTMenuBarMessages* part = state.keyboard;
  if (code != ui::HC_ACTION || !part) return ui::CallNextHookEx(state.mouseHook, code, message, lParam);
  const auto& info = *reinterpret_cast<const ui::MOUSEHOOKSTRUCT*>(lParam);
  if (message == ui::WM_MOUSEMOVE) {
    if (info.pt.x != state.last.x || info.pt.y != state.last.y) {
      state.last = info.pt;
      part->HotTrack(info.pt);
    }
  } else if (message == ui::WM_LBUTTONDOWN || message == ui::WM_RBUTTONDOWN || message == ui::WM_MBUTTONDOWN) {
    part->Cancel();
  }
  return ui::CallNextHookEx(state.mouseHook, code, message, lParam);
}

}  // namespace

QVTMenuBarMessages::~QVTMenuBarMessages() {
  // A part that goes leaves no hook and no dangling state behind.
  if (state.keyboard == this) HookKeyboardMouse(FALSE);
  if (state.active == this) {
    HookMenuFilter(FALSE);
    state.active = nullptr;
    state.openBar = nullptr;
    state.pending.reset();
  }
}

UINT QVTMenuBarMessages::GetMenuMessage() {
  static const UINT message = ui::RegisterWindowMessage("WM_QVTGETMENU");
  return message;
}

UINT QVTMenuBarMessages::MenuProdMessage() {
  static const UINT message = ui::RegisterWindowMessage("WM_QVT_MENUPROD");
  return message;
}

int QVTMenuBarMessages::InstalledHookCount() {
  return (state.filterHook ? 1 : 0) + (state.keyboardHook ? 1 : 0) + (state.mouseHook ? 1 : 0);
}

LRESULT QVTMenuBarMessages::AnswerMenuChar(HMENU menu, char ch) {
  const int count = ui::GetMenuItemCount(menu);
  const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  if (count <= 0 || !wanted) return 0;
  int hilite = -1;
  for (int i = 0; i < count; ++i)
    if (ui::GetMenuState(menu, static_cast<UINT>(i), ui::MF_BYPOSITION) & ui::MF_HILITE) hilite = i;
  int first = -1, matches = 0;
  for (int step = 1; step <= count; ++step) {
    const int i = (hilite + step + count) % count;
    if (QVTTBMenuBtn::ComputeMnemonic(ui::GetMenuStringText(menu, static_cast<UINT>(i), ui::MF_BYPOSITION)) != wanted)
      continue;
    if (first < 0) first = i;
    ++matches;
  }
  if (first < 0) return 0;
  return (static_cast<LRESULT>(matches == 1 ? ui::MNC_EXECUTE : ui::MNC_SELECT) << 16) | first;
}

void QVTMenuBarMessages::Prod(int direction) {
  m_bItemSelected = FALSE;
  m_nProdDirection = direction;
  if (afx::CWnd* frame = GetFrame()) ui::PostMessage(frame->m_hWnd, MenuProdMessage(), 0, 0);
}

void QVTMenuBarMessages::Cancel() {
  if (m_pMenuBar) m_pMenuBar->EndMenuTracking();
  if (state.openBar)
    if (afx::CWnd* frame = GetFrame()) frame->SendMessage(ui::WM_CANCELMODE, 0, 0);
}

BOOL QVTMenuBarMessages::SwitchMenu(UINT menu_id) {
  if (!m_pMenuBar || !m_pMenuBar->SwitchMenu(menu_id)) return FALSE;
  if (auto* frame = dynamic_cast<afx::CFrameWnd*>(GetFrame())) frame->RecalcLayout(TRUE);
  if (m_pMenuBar->m_hWnd) m_pMenuBar->Invalidate();
  return TRUE;
}

void QVTMenuBarMessages::DropHot() {
  if (!m_pMenuBar || !m_pMenuBar->IsMenuTracking()) return;
  m_bKeyboardDrop = TRUE;
  m_pMenuBar->DropButton(m_pMenuBar->GetTrackedButton());
}

void QVTMenuBarMessages::HotTrack(POINT screen) {
  if (!m_pMenuBar || !m_pMenuBar->m_hWnd) return;
  ui::ScreenToClient(m_pMenuBar->m_hWnd, &screen);
  m_pMenuBar->HotTrackAt(screen);
}

RECT QVTMenuBarMessages::SystemMenuBox() const {
  RECT box{};
  afx::CWnd* frame = GetFrame();
  if (!frame) return box;
  ui::GetWindowRect(frame->m_hWnd, &box);
  // One box for drawing the popup and for hit testing the clicks on it.
  if (ui::GetWindowLongPtr(frame->m_hWnd, ui::GWL_STYLE) & ui::WS_THICKFRAME) {
    box.left += ui::GetSystemMetrics(ui::SM_CXFRAME);
    box.top += ui::GetSystemMetrics(ui::SM_CYFRAME);
  }
  box.right = box.left + ui::GetSystemMetrics(ui::SM_CXSIZE);
  box.bottom = box.top + ui::GetSystemMetrics(ui::SM_CYSIZE);
  return box;
}

BOOL QVTMenuBarMessages::SystemMenuClick(const ui::MSG& msg) {
  const POINT at{ui::GET_X_LPARAM(msg.lParam), ui::GET_Y_LPARAM(msg.lParam)};
  afx::CWnd* frame = GetFrame();
  const HWND owner = state.systemMenuOwner ? state.systemMenuOwner : (frame ? frame->m_hWnd : nullptr);
  const RECT box = state.systemMenuOwner ? state.systemMenuBox : SystemMenuBox();
  if (!frame || !owner || !ui::PtInRect(&box, at)) return FALSE;
  ui::PostMessage(frame->m_hWnd, ui::WM_CANCELMODE, 0, 0);
  // The default command is the menu owner's: a child's Close closes the child.
  // The popup holds the mouse, so the second click of a double click on
  // the box that opened it comes as a plain press, soon after the first.
  const DWORD pressed = m_pMenuBar ? m_pMenuBar->GetPressTime() : 0;
  const bool second_click =
      msg.message == ui::WM_LBUTTONDOWN && pressed && msg.time - pressed <= ui::GetDoubleClickTime();
  if (msg.message == ui::WM_LBUTTONDBLCLK || second_click) {
    const UINT command = ui::GetMenuDefaultItem(ui::GetSystemMenu(owner, FALSE), FALSE, 0);
    if (command != static_cast<UINT>(-1)) ui::PostMessage(owner, ui::WM_SYSCOMMAND, command, 0);
  }
  return TRUE;
}

void QVTMenuBarMessages::HookMenuFilter(BOOL on) {
  if (on && !state.filterHook) {
    state.filterHook = ui::SetWindowsHookEx(ui::WH_MSGFILTER, CALLBACK_Filter, nullptr, 0);
    state.last = POINT{0, 0};
    state.seenMove = false;
  } else if (!on && state.filterHook) {
    ui::UnhookWindowsHookEx(state.filterHook);
    state.filterHook = nullptr;
  }
}

void QVTMenuBarMessages::HookKeyboardMouse(BOOL on) {
  if (on) {
    state.keyboard = this;
    if (!state.keyboardHook) state.keyboardHook = ui::SetWindowsHookEx(ui::WH_KEYBOARD, CALLBACK_Keyboard, nullptr, 0);
    if (!state.mouseHook) {
      state.mouseHook = ui::SetWindowsHookEx(ui::WH_MOUSE, CALLBACK_Mouse, nullptr, 0);
      ui::GetCursorPos(&state.last);
    }
    return;
  }
  if (state.keyboard != this && state.keyboard) return;
  state.keyboard = nullptr;
  if (state.keyboardHook) ui::UnhookWindowsHookEx(state.keyboardHook);
  if (state.mouseHook) ui::UnhookWindowsHookEx(state.mouseHook);
  state.keyboardHook = state.mouseHook = nullptr;
}

void QVTMenuBarMessages::TrackPopup(QVTMenuBar* bar, HMENU menu, const QVTMenuBarNotify& notify) {
  afx::CWnd* frame = GetFrame();
  if (!frame) return;
  RECT button{};
  bar->GetItemRect(notify.buttonIndex, &button);
  ui::ClientToScreen(bar->m_hWnd, reinterpret_cast<POINT*>(&button.left));
  ui::ClientToScreen(bar->m_hWnd, reinterpret_cast<POINT*>(&button.right));
  ui::TPMPARAMS params;
  params.rcExclude = button;
  HookMenuFilter(TRUE);
  ui::TrackPopupMenuEx(menu, 0, button.left, button.bottom, frame->m_hWnd, &params);
  HookMenuFilter(FALSE);
}

void QVTMenuBarMessages::TrackSystemMenu(QVTMenuBar* bar, HMENU menu, const QVTMenuBarNotify& notify) {
  afx::CWnd* frame = GetFrame();
  if (!frame) return;
  // A child's system menu hangs under its icon in the bar, and its command
  // goes to the child: the frame's own Close must not be what runs.
  const HWND owner = notify.systemMenuOwner ? notify.systemMenuOwner : frame->m_hWnd;
  RECT box = SystemMenuBox();
  if (notify.systemMenuOwner && bar && bar->m_hWnd) {
    bar->GetItemRect(notify.buttonIndex, &box);
    ui::ClientToScreen(bar->m_hWnd, reinterpret_cast<POINT*>(&box.left));
    ui::ClientToScreen(bar->m_hWnd, reinterpret_cast<POINT*>(&box.right));
  }
  ui::TPMPARAMS params;
  params.rcExclude = box;
  HookMenuFilter(TRUE);
  state.systemMenu = TRUE;
  state.systemMenuOwner = notify.systemMenuOwner;
  state.systemMenuBox = box;
  const UINT command = static_cast<UINT>(
      ui::TrackPopupMenuEx(menu, ui::TPM_RETURNCMD, box.left, box.bottom, frame->m_hWnd, &params));
  state.systemMenu = FALSE;
  state.systemMenuOwner = nullptr;
  if (command && ui::IsWindow(owner)) ui::PostMessage(owner, ui::WM_SYSCOMMAND, command, 0);
  HookMenuFilter(FALSE);
}

BOOL QVTMenuBarMessages::OnNotify(const QVTMenuBarNotify& first, LRESULT* result) {
  if (first.code > QVTN_DROPMENU || first.code < QVTN_LEAVEKEYMODE) return FALSE;
  if (result) *result = 0;
  if (first.code == QVTN_ENTERKEYMODE) {
    HookKeyboardMouse(TRUE);
    return TRUE;
  }
  if (first.code == QVTN_LEAVEKEYMODE) {
    HookKeyboardMouse(FALSE);
    return TRUE;
  }
  afx::CWnd* frame = GetFrame();
  if (!frame || !m_pMenuBar) return TRUE;
  QVTMenuBarNotify notify = first;
  for (;;) {
    HMENU menu = nullptr;
    const bool system = notify.code == QVTN_DROPMENU && notify.menuId == 0 && notify.popupIndex == -1;
    if (system) {
      // A child's system menu only while the child is still there.
      const HWND owner = notify.systemMenuOwner ? notify.systemMenuOwner : frame->m_hWnd;
      menu = ui::IsWindow(owner) ? ui::GetSystemMenu(owner, FALSE) : nullptr;
      if (menu && ui::GetMenuDefaultItem(menu, FALSE, 0) == static_cast<UINT>(-1))
        ui::SetMenuDefaultItem(menu, ui::SC_CLOSE, FALSE);
    } else if (notify.code == QVTN_DROPMENU && notify.popupIndex >= 0) {
      menu = reinterpret_cast<HMENU>(
          frame->SendMessage(GetMenuMessage(), notify.menuId, static_cast<ui::LPARAM>(notify.popupIndex)));
    }
    if (!menu || state.openBar) {
      // Nothing to drop, or another popup first has to go: its loop ends
      // and the outer call serves the request.
      if (state.openBar) frame->SendMessage(ui::WM_CANCELMODE, 0, 0);
      if (menu && state.openBar) state.pending = notify;
      else if (!state.openBar) m_pMenuBar->ResetPressed();
      return TRUE;
    }
    state.active = this;
    state.openBar = m_pMenuBar->m_hWnd;
    if (system) TrackSystemMenu(m_pMenuBar, menu, notify);
    else TrackPopup(m_pMenuBar, menu, notify);
    state.openBar = nullptr;
    state.active = nullptr;
    m_bKeyboardDrop = m_bKeyboardDrop && state.pending.has_value();
    if (!state.pending) {
      m_pMenuBar->ResetPressed();
      return TRUE;
    }
    notify = *state.pending;
    state.pending.reset();
    m_pMenuBar->ResetPressed();
    // The next title is the open one: the next arrow or click starts there.
    m_pMenuBar->MarkDropped(notify.buttonIndex);
  }
}

void QVTMenuBarMessages::OnMenuProd() {
  if (m_bItemSelected || !m_pMenuBar) return;
  const int next = m_pMenuBar->GetNextMenuButton(m_nProdDirection == 1);
  if (m_pMenuBar->IsMenuTracking()) {
    // Keyboard mode goes round the titles.
    m_pMenuBar->SetTrackedButton(next >= 0 ? next
                                           : (m_nProdDirection == 1 ? m_pMenuBar->GetFirstMenuButton()
                                                                    : m_pMenuBar->GetLastMenuButton()));
    return;
  }
  if (!state.openBar) return;
  m_bKeyboardDrop = TRUE;
  if (next < 0) m_pMenuBar->DropSystemMenu();
  else m_pMenuBar->DropButton(next);
}

void QVTMenuBarMessages::OnInitMenuPopup() {
  if (!m_bKeyboardDrop) return;
  m_bKeyboardDrop = FALSE;
  if (afx::CWnd* frame = GetFrame()) ui::PostMessage(frame->m_hWnd, ui::WM_KEYDOWN, ui::VK_DOWN, 0);
}

BOOL QVTMenuBarMessages::OnSysCommand(UINT command, ui::LPARAM) {
  // A click on the system-menu icon.
  if (command == 0xF093) {
    if (m_pMenuBar) m_pMenuBar->DropSystemMenu();
    return TRUE;
  }
  return FALSE;
}

void QVTMenuBarMessages::OnNcActivate(BOOL active) {
  if (!active) Cancel();
}

BOOL QVTMenuBarMessages::ViewControlHasMnemonic(char key) const {
  auto* frame = dynamic_cast<afx::CFrameWnd*>(GetFrame());
  afx::CView* view = frame ? frame->GetActiveView() : nullptr;
  if (!view || !view->m_hWnd) return FALSE;
  const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
  for (HWND child = ui::GetWindow(view->m_hWnd, ui::GW_CHILD); child; child = ui::GetWindow(child, ui::GW_HWNDNEXT))
    if (ui::IsWindowVisible(child) && ui::IsWindowEnabled(child) &&
        QVTTBMenuBtn::ComputeMnemonic(ui::GetWindowTextString(child)) == wanted)
      return TRUE;
  return FALSE;
}

BOOL QVTMenuBarMessages::DropMnemonic(char key) {
  const int index = m_pMenuBar->FindMnemonic(key);
  if (index < 0) return FALSE;
  m_pMenuBar->EndMenuTracking();
  m_bKeyboardDrop = TRUE;
  m_pMenuBar->DropButton(index);
  return TRUE;
}

BOOL QVTMenuBarMessages::PreTranslateMessage(ui::MSG* msg) {
  if (!msg || !m_pMenuBar || !m_pMenuBar->m_hWnd) return FALSE;
  const UINT message = msg->message;
  const WPARAM key = msg->wParam;
  // Only a lone press and release of Alt (or F10) toggles keyboard mode.
  if (message == ui::WM_KEYDOWN || (message == ui::WM_SYSKEYDOWN && !IsMenuKey(key)) ||
      (message >= ui::WM_LBUTTONDOWN && message <= 0x020D && message != ui::WM_MOUSEMOVE &&
       message != ui::WM_LBUTTONUP && message != ui::WM_RBUTTONUP && message != ui::WM_MBUTTONUP))
    m_bAltArmed = FALSE;
  if (message == ui::WM_SYSKEYDOWN && IsMenuKey(key) && !(msg->lParam & 0x40000000)) m_bAltArmed = TRUE;

  if (message == ui::WM_SYSKEYDOWN && IsAltDown() && (key < 58 || (key >= 65 && key <= 122)) &&
      !IsSystemMenuKey(key) && ViewControlHasMnemonic(static_cast<char>(key)))
    return FALSE;  // the form's control wins
  if (message == ui::WM_SYSKEYDOWN && IsMenuKey(key) && m_pMenuBar->IsMenuTracking()) {
    m_pMenuBar->EndMenuTracking();
    m_bAltInMenu = TRUE;
    return TRUE;
  }
  if (message == ui::WM_SYSKEYUP && IsMenuKey(key)) {
    if (!m_bAltInMenu && m_bAltArmed) {
      if (m_pMenuBar->IsMenuTracking()) m_pMenuBar->EndMenuTracking();
      else m_pMenuBar->SetTrackedButton(m_pMenuBar->GetFirstMenuButton());
    }
    m_bAltInMenu = FALSE;
    m_bAltArmed = FALSE;
    return TRUE;
  }
  if (message == ui::WM_SYSCOMMAND && (key & 0xFFF0) == ui::SC_KEYMENU) {
    const char typed = static_cast<char>(msg->lParam & 0xFF);
    if (!IsSystemMenuKey(static_cast<WPARAM>(typed))) {
      DropMnemonic(typed);
      return TRUE;
    }
  } else if (message == ui::WM_SYSKEYDOWN) {
    if (!IsSystemMenuKey(key)) return IsAltDown() ? DropMnemonic(static_cast<char>(key)) : FALSE;
    if (!IsAltDown()) return FALSE;
  } else {
    return FALSE;
  }
  // Alt+Space (or Alt+-): the frame's system menu.
  m_bKeyboardDrop = TRUE;
  m_pMenuBar->DropSystemMenu();
  return TRUE;
}

}  // namespace docking
