// The modal loop of menus: a stack of popup windows (and, for a frame's
// menu bar, the bar above them) driven by the mouse and the keyboard until
// an item is chosen or the menu is dismissed. Every message it takes is
// offered first to the message-filter hooks with MSGF_MENU (mouse messages
// with screen coordinates in lParam, as the loop reads them); the owner gets
// WM_INITMENU, WM_INITMENUPOPUP, WM_MENUSELECT, WM_MENUCHAR, WM_MEASUREITEM,
// WM_DRAWITEM and WM_ENTERIDLE. One loop at a time per thread; it ends when
// the owner goes, on WM_CANCELMODE, EndMenu, or when it loses the capture,
// and leaves no capture behind.
#pragma once

#include <vector>

#include "platform/ui/internal/MenuBarLayout.h"
#include "platform/ui/internal/MenuPainter.h"
#include "platform/ui/internal/PopupMenuLayout.h"

namespace ui::internal {

class MenuLoop {
 public:
  // How a menu-bar loop starts.
  enum class BarStart {
    kSelect,      // the first title selected, nothing dropped (Alt, F10)
    kDrop,        // `item` dropped by a click, nothing selected in it
    kDropByKey,   // `item` dropped by its mnemonic, its first item selected
    kSystemMenu,  // the system menu dropped (Alt+Space)
  };
  struct Choice {
    UINT id = 0;
    bool chosen = false;
    bool system = false;  // from the system menu: a WM_SYSCOMMAND
  };

  MenuLoop(HWND owner, UINT flags);
  ~MenuLoop();
  MenuLoop(const MenuLoop&) = delete;
  MenuLoop& operator=(const MenuLoop&) = delete;

  // The loop running on this thread, or null.
  static MenuLoop* Active();

  Choice RunPopup(HMENU menu, POINT at, const RECT* exclude);
  Choice RunBar(BarStart start, int item);

  // Ends the loop with no choice at its next turn.
  void Cancel();
  bool ending() const { return ending_; }
  HWND owner() const { return owner_; }
  // What the frame's menu bar shows while this loop runs.
  bool BarSelection(HWND frame, int* selected, MenuPainter::BarState* state) const;
  // For the popup windows' procedure.
  void PaintPopup(HWND popup, HDC hdc) const;
  void PopupDestroyed(HWND popup);

 private:
  struct Level {
    HMENU menu = nullptr;
    HWND window = nullptr;
    PopupMenuLayout layout;
    int selected = -1;
    bool system = false;
  };
  static constexpr int kSystemEntry = -1;  // the bar position of the system menu
  static constexpr int kNoEntry = -2;

  Choice Run();
  void Handle(MSG& msg);
  bool HandleKey(WPARAM key);
  void HandleChar(char ch);
  void HandleMouse(const MSG& msg);
  void AnswerMenuChar(LRESULT answer);

  bool OpenPopup(HMENU menu, POINT at, UINT flags, const RECT* exclude, int index, bool system);
  void OpenSubmenu(bool select_first);
  void CloseFrom(std::size_t level);
  void CloseSubmenu();
  void Select(std::size_t level, int position, bool by_mouse);
  void NotifySelection(std::size_t level, bool by_mouse);
  void Execute(std::size_t level, int position);
  void Choose(UINT id, bool system);

  bool HasSystemEntry() const;
  int BarCount() const { return bar_.count(); }
  void SelectBar(int position, bool drop, bool select_first);
  void DropBar(bool select_first);
  void MoveBar(int step);
  int BarMnemonic(char ch) const;
  RECT SystemBoxOnScreen() const;
  RECT BarItemOnScreen(int position) const;
  // A mouse message's point in screen coordinates, as its lParam.
  static LPARAM ScreenLParam(const MSG& msg);

  HWND owner_;
  UINT flags_;
  MenuLoop* previous_ = nullptr;
  std::vector<Level> levels_;
  bool bar_mode_ = false;
  MenuBarLayout bar_;
  int bar_selected_ = kNoEntry;
  bool ending_ = false;
  bool closing_popup_ = false;  // a popup the loop itself destroys
  bool mouse_armed_ = false;    // a release may choose: the mouse moved or pressed in the menu
  POINT last_mouse_{-100000, -100000};
  Choice choice_;
};

// The popup windows' class.
constexpr const char* kPopupMenuClass = "#32768";

// Starts the menu-bar loop of the frame `hwnd` (DefWindowProc's SC_KEYMENU
// and clicks on HTMENU); a chosen command is posted to the frame.
void TrackMenuBar(HWND hwnd, MenuLoop::BarStart start, int item);
// The bar item of the frame for a mnemonic character, -1 for none.
int MenuBarItemForMnemonic(HWND hwnd, char ch);
// WM_CANCELMODE's and WM_CAPTURECHANGED's default: ends the loop that
// `hwnd` owns.
void CancelMenuLoopOf(HWND hwnd);

}  // namespace ui::internal
