#include "platform/ui/internal/MenuLoop.h"

#include <cctype>

#include "platform/ui/Drawing.h"
#include "platform/ui/Hooks.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/NonClient.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/Frame.h"
#include "platform/ui/internal/PopupPlacement.h"
#include "platform/ui/internal/ThreadQueue.h"
#include "platform/ui/internal/WindowTable.h"

namespace ui::internal {

namespace {

thread_local MenuLoop* active_loop = nullptr;

bool IsMouseMessage(UINT message) {
  return (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}
bool IsButtonDown(UINT m) {
  return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN || m == WM_LBUTTONDBLCLK ||
         m == WM_RBUTTONDBLCLK || m == WM_NCLBUTTONDOWN || m == WM_NCRBUTTONDOWN || m == WM_NCLBUTTONDBLCLK ||
         m == WM_NCRBUTTONDBLCLK;
}
bool IsButtonUp(UINT m) {
  return m == WM_LBUTTONUP || m == WM_RBUTTONUP || m == WM_NCLBUTTONUP || m == WM_NCRBUTTONUP;
}
bool IsRightButton(UINT m) {
  return m == WM_RBUTTONDOWN || m == WM_RBUTTONUP || m == WM_RBUTTONDBLCLK || m == WM_NCRBUTTONDOWN ||
         m == WM_NCRBUTTONUP || m == WM_NCRBUTTONDBLCLK;
}

// The loop takes the keys instead of dispatching them; the key state must
// still follow them, or GetKeyState would see Alt held for ever.
void NoteKey(const MSG& msg, bool down) {
  TableLock lock(WindowTable::Get().mutex());
  CurrentQueue().key_state[msg.wParam & 0xFF] = down ? 0x80 : 0;
}

LRESULT PopupMenuProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC hdc = BeginPaint(hwnd, &paint);
      if (MenuLoop* loop = MenuLoop::Active()) loop->PaintPopup(hwnd, hdc);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_DESTROY:
      if (MenuLoop* loop = MenuLoop::Active()) loop->PopupDestroyed(hwnd);
      return 0;
    case WM_CANCELMODE:
      if (MenuLoop* loop = MenuLoop::Active()) CancelMenuLoopOf(loop->owner());
      return 0;
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

void RegisterPopupClass() {
  WNDCLASS wc;
  wc.lpfnWndProc = PopupMenuProc;
  wc.lpszClassName = kPopupMenuClass;
  RegisterClass(wc);  // already there after the first popup
}

RECT ToScreen(HWND hwnd, RECT r) {
  RECT window{};
  GetWindowRect(hwnd, &window);
  OffsetRect(&r, window.left, window.top);
  return r;
}

UINT Low(LRESULT value) { return static_cast<UINT>(value & 0xFFFF); }
UINT High(LRESULT value) { return static_cast<UINT>((value >> 16) & 0xFFFF); }

}  // namespace

MenuLoop::MenuLoop(HWND owner, UINT flags) : owner_(owner), flags_(flags), previous_(active_loop) {
  active_loop = this;
}

MenuLoop::~MenuLoop() { active_loop = previous_; }

MenuLoop* MenuLoop::Active() { return active_loop; }

MenuLoop::Choice MenuLoop::RunPopup(HMENU menu, POINT at, const RECT* exclude) {
  SendMessage(owner_, WM_ENTERMENULOOP, TRUE, 0);
  SendMessage(owner_, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  if (!OpenPopup(menu, at, flags_, exclude, 0, false)) ending_ = true;
  return Run();
}

MenuLoop::Choice MenuLoop::RunBar(BarStart start, int item) {
  bar_mode_ = true;
  bar_ = MenuBarLayout::Of(owner_);
  const bool system = HasSystemEntry();
  if (bar_.count() == 0 && !system) return Choice{};
  SendMessage(owner_, WM_ENTERMENULOOP, FALSE, 0);
  const HMENU top = bar_.menu() ? bar_.menu() : GetSystemMenu(owner_, FALSE);
  SendMessage(owner_, WM_INITMENU, reinterpret_cast<WPARAM>(top), 0);
  switch (start) {
    case BarStart::kSelect: SelectBar(bar_.count() ? 0 : kSystemEntry, false, false); break;
    case BarStart::kDrop: SelectBar(item, true, false); break;
    case BarStart::kDropByKey: SelectBar(item, true, true); break;
    case BarStart::kSystemMenu: SelectBar(kSystemEntry, true, true); break;
  }
  if (bar_selected_ == kNoEntry) ending_ = true;  // nothing there to select
  return Run();
}

MenuLoop::Choice MenuLoop::Run() {
  if (!ending_) SetCapture(owner_);
  const bool popup_loop = !bar_mode_;
  bool idle_told = false;
  MSG msg;
  while (!ending_ && IsWindow(owner_) && GetCapture() == owner_) {
    if (!idle_told && !PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      idle_told = true;
      const HWND top = levels_.empty() ? nullptr : levels_.back().window;
      SendMessage(owner_, WM_ENTERIDLE, MSGF_MENU, reinterpret_cast<LPARAM>(top));
      continue;
    }
    const int got = GetMessage(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop ends too
      break;
    }
    if (got < 0) break;
    idle_told = false;
    // Mouse messages carry screen points in the loop, for the filter too.
    if (IsMouseMessage(msg.message)) msg.lParam = ScreenLParam(msg);
    // The filter sees each message before the menu acts on it, and may take it.
    if (CallMsgFilter(&msg, MSGF_MENU)) continue;
    Handle(msg);
  }
  CloseFrom(0);
  if (bar_mode_) {
    HighlightMenuItem(bar_.menu(), -1);
    bar_mode_ = false;
    if (IsWindow(owner_)) DrawMenuBar(owner_);
  }
  if (GetCapture() == owner_) ReleaseCapture();
  if (IsWindow(owner_)) {
    SendMessage(owner_, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendMessage(owner_, WM_EXITMENULOOP, popup_loop ? TRUE : FALSE, 0);
  }
  return choice_;
}

void MenuLoop::Cancel() { ending_ = true; }

void MenuLoop::Handle(MSG& msg) {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      NoteKey(msg, true);
      if (!HandleKey(msg.wParam)) TranslateMessage(&msg);  // characters for the mnemonics
      return;
    case WM_KEYUP:
    case WM_SYSKEYUP: NoteKey(msg, false); return;
    case WM_CHAR:
    case WM_SYSCHAR: HandleChar(static_cast<char>(msg.wParam)); return;
    case WM_CANCELMODE:
      DispatchMessage(&msg);
      Cancel();
      return;
  }
  if (IsMouseMessage(msg.message)) {
    HandleMouse(msg);
    return;
  }
  DispatchMessage(&msg);  // painting, timers and posted messages go on
}

bool MenuLoop::HandleKey(WPARAM key) {
  const std::size_t depth = levels_.size();
  switch (key) {
    case VK_ESCAPE:
      // One level at a time; the last popup of a bar leaves its title selected.
      if (depth > 1) {
        CloseSubmenu();
      } else if (depth == 1 && bar_mode_) {
        CloseFrom(0);
        DrawMenuBar(owner_);
      } else {
        Cancel();
      }
      return true;
    case VK_UP:
    case VK_DOWN:
      if (depth) Select(depth - 1, levels_.back().layout.Next(levels_.back().selected, key == VK_DOWN ? 1 : -1), false);
      else if (bar_mode_) DropBar(true);
      return true;
    case VK_LEFT:
      if (depth > 1) CloseSubmenu();
      else if (bar_mode_) MoveBar(-1);
      return true;
    case VK_RIGHT: {
      if (depth) {
        const Level& top = levels_.back();
        if (top.layout.Selectable(top.selected)) {
          const MenuItemView& item = top.layout.items()[static_cast<std::size_t>(top.selected)];
          if (item.has_popup() && !item.grayed()) {
            OpenSubmenu(true);
            return true;
          }
        }
      }
      if (bar_mode_) MoveBar(1);
      return true;
    }
    case VK_RETURN:
      if (depth) Execute(depth - 1, levels_.back().selected);
      else if (bar_mode_) DropBar(true);
      return true;
    case VK_MENU:
    case VK_F10: Cancel(); return true;
  }
  return false;
}

void MenuLoop::HandleChar(char ch) {
  const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  if (levels_.empty()) {
    if (!bar_mode_) return;
    const int item = BarMnemonic(wanted);
    if (item >= 0) SelectBar(item, true, true);
    else if (ch == ' ' && HasSystemEntry()) SelectBar(kSystemEntry, true, true);
    return;
  }
  const std::size_t depth = levels_.size() - 1;
  const Level& top = levels_.back();
  std::vector<int> matches;
  for (int i = 0; i < top.layout.count(); ++i) {
    const MenuItemView& item = top.layout.items()[static_cast<std::size_t>(i)];
    if (!item.owner_drawn() && !item.separator() && MenuMnemonic(item.text) == wanted) matches.push_back(i);
  }
  if (matches.size() == 1) {
    Select(depth, matches[0], false);
    Execute(depth, matches[0]);
    return;
  }
  if (matches.size() > 1) {
    int next = matches[0];
    for (int m : matches)
      if (m > top.selected) {
        next = m;
        break;
      }
    Select(depth, next, false);
    return;
  }
  // Owner-drawn items carry no text the menu could read: the owner answers.
  const UINT kind = MF_POPUP | (top.system ? MF_SYSMENU : 0);
  const LRESULT answer = SendMessage(owner_, WM_MENUCHAR, MAKEWPARAM(static_cast<unsigned char>(ch), kind),
                                     reinterpret_cast<LPARAM>(top.menu));
  if (!ending_ && levels_.size() == depth + 1) AnswerMenuChar(answer);
}

void MenuLoop::AnswerMenuChar(LRESULT answer) {
  const std::size_t depth = levels_.size() - 1;
  const int item = static_cast<int>(Low(answer));
  switch (High(answer)) {
    case MNC_EXECUTE:
      if (!levels_.back().layout.Selectable(item)) return;
      Select(depth, item, false);
      Execute(depth, item);
      return;
    case MNC_SELECT:
      if (levels_.back().layout.Selectable(item)) Select(depth, item, false);
      return;
    case MNC_CLOSE: HandleKey(VK_ESCAPE); return;
    default: return;  // MNC_IGNORE
  }
}

LPARAM MenuLoop::ScreenLParam(const MSG& msg) {
  POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  if (msg.message < WM_NCMOUSEMOVE || msg.message > WM_NCMBUTTONDBLCLK) ClientToScreen(msg.hwnd, &p);
  return MAKELPARAM(static_cast<unsigned>(p.x) & 0xFFFF, static_cast<unsigned>(p.y) & 0xFFFF);
}

void MenuLoop::HandleMouse(const MSG& msg) {
  const UINT m = msg.message;
  const POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  const bool move = m == WM_MOUSEMOVE || m == WM_NCMOUSEMOVE;
  const bool down = IsButtonDown(m), up = IsButtonUp(m);
  if (move) {
    if (p.x == last_mouse_.x && p.y == last_mouse_.y) return;
    last_mouse_ = p;
  }
  for (std::size_t i = levels_.size(); i-- > 0;) {
    RECT window;
    if (!GetWindowRect(levels_[i].window, &window) || !PtInRect(&window, p)) continue;
    const int item = levels_[i].layout.HitTest(POINT{p.x - window.left, p.y - window.top});
    if (move || down) {
      mouse_armed_ = true;
      if (item >= 0 && item != levels_[i].selected) {
        CloseFrom(i + 1);
        const bool selectable = levels_[i].layout.Selectable(item);
        Select(i, selectable ? item : -1, true);
        if (selectable) {
          const MenuItemView& entry = levels_[i].layout.items()[static_cast<std::size_t>(item)];
          if (entry.has_popup() && !entry.grayed()) OpenSubmenu(false);
        }
      }
    }
    // A release chooses only once the mouse was used in the menu, so the
    // release of the click that opened it does not.
    const bool button_counts = !IsRightButton(m) || (flags_ & TPM_RIGHTBUTTON) || bar_mode_;
    if (up && mouse_armed_ && item >= 0 && button_counts) Execute(i, item);
    return;
  }
  if (bar_mode_) {
    RECT window{};
    GetWindowRect(owner_, &window);
    const int item = bar_.HitTest(POINT{p.x - window.left, p.y - window.top});
    const RECT system_box = SystemBoxOnScreen();
    const bool on_system = item < 0 && HasSystemEntry() && PtInRect(&system_box, p);
    if (item >= 0 || on_system) {
      const int target = on_system ? kSystemEntry : item;
      if (down) {
        // A second click on the open title closes it.
        if (!levels_.empty() && target == bar_selected_) Cancel();
        else SelectBar(target, true, false);
      } else if (move && !levels_.empty() && target != bar_selected_) {
        SelectBar(target, true, false);
      }
      return;
    }
  }
  if (down) Cancel();  // a click outside the menu
}

bool MenuLoop::OpenPopup(HMENU menu, POINT at, UINT flags, const RECT* exclude, int index, bool system) {
  if (!IsWindow(owner_)) return false;
  SendMessage(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
              MAKELPARAM(static_cast<unsigned>(index), system ? 1u : 0u));
  if (ending_ || !IsWindow(owner_) || !IsMenu(menu)) return false;
  Level level;
  level.menu = menu;
  level.system = system;
  level.layout = PopupMenuLayout(menu, owner_);
  RECT screen{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &screen, 0);
  const RECT r = PlacePopup(level.layout.size(), at, flags, exclude, screen);
  RegisterPopupClass();
  level.window = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kPopupMenuClass, "", WS_POPUP, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, owner_, nullptr, nullptr);
  if (!level.window) return false;
  const HWND window = level.window;
  levels_.push_back(std::move(level));
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  return true;
}

void MenuLoop::OpenSubmenu(bool select_first) {
  if (levels_.empty()) return;
  const Level& top = levels_.back();
  if (!top.layout.Selectable(top.selected)) return;
  const MenuItemView item = top.layout.items()[static_cast<std::size_t>(top.selected)];
  if (!item.has_popup() || item.grayed()) return;
  const RECT beside = ToScreen(top.window, top.layout.ItemRect(top.selected));
  const POINT at{beside.right, beside.top - PopupMenuLayout::FrameWidth()};
  // Beside the item: to its right, or to its left where the screen ends.
  if (!OpenPopup(item.popup, at, TPM_VERTICAL, &beside, top.selected, top.system)) return;
  if (select_first) Select(levels_.size() - 1, levels_.back().layout.Next(-1, 1), false);
}

void MenuLoop::CloseFrom(std::size_t level) {
  while (levels_.size() > level) {
    const HMENU menu = levels_.back().menu;
    const HWND window = levels_.back().window;
    HighlightMenuItem(menu, -1);
    levels_.pop_back();
    closing_popup_ = true;
    if (IsWindow(window)) DestroyWindow(window);
    closing_popup_ = false;
    if (IsWindow(owner_)) SendMessage(owner_, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  }
}

// Back in the parent, whose item is selected again: the owner hears of it,
// so a menu bar's filter can tell the arrow key was used by the menu.
void MenuLoop::CloseSubmenu() {
  CloseFrom(levels_.size() - 1);
  NotifySelection(levels_.size() - 1, false);
}

void MenuLoop::Select(std::size_t level, int position, bool by_mouse) {
  if (level >= levels_.size() || levels_[level].selected == position) return;
  Level& l = levels_[level];
  l.selected = position;
  HighlightMenuItem(l.menu, position);
  InvalidateRect(l.window, nullptr, FALSE);
  NotifySelection(level, by_mouse);
}

void MenuLoop::NotifySelection(std::size_t level, bool by_mouse) {
  if (level >= levels_.size()) return;
  const Level& l = levels_[level];
  const int position = l.selected;
  if (position < 0) return;
  const MenuItemView& item = l.layout.items()[static_cast<std::size_t>(position)];
  constexpr UINT kShown = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_OWNERDRAW | MF_DEFAULT;
  const UINT flags = (item.flags & kShown) | MF_HILITE | (by_mouse ? MF_MOUSESELECT : 0) | (l.system ? MF_SYSMENU : 0);
  const UINT id = item.has_popup() ? static_cast<UINT>(position) : item.id;
  SendMessage(owner_, WM_MENUSELECT, MAKEWPARAM(id, flags), reinterpret_cast<LPARAM>(l.menu));
}

void MenuLoop::Execute(std::size_t level, int position) {
  if (level >= levels_.size() || !levels_[level].layout.Selectable(position)) return;
  const MenuItemView item = levels_[level].layout.items()[static_cast<std::size_t>(position)];
  if (item.grayed()) return;
  if (item.has_popup()) {
    const bool open = level + 1 < levels_.size() && levels_[level + 1].menu == item.popup;
    if (open) {
      if (levels_[level + 1].selected < 0) Select(level + 1, levels_[level + 1].layout.Next(-1, 1), false);
      return;
    }
    CloseFrom(level + 1);
    Select(level, position, false);
    OpenSubmenu(true);
    return;
  }
  Choose(item.id, levels_[level].system);
}

void MenuLoop::Choose(UINT id, bool system) {
  choice_ = Choice{id, true, system};
  ending_ = true;
}

bool MenuLoop::HasSystemEntry() const {
  const auto style = static_cast<DWORD>(GetWindowLongPtr(owner_, GWL_STYLE));
  return bar_mode_ && (style & WS_SYSMENU) && (style & WS_CAPTION) == WS_CAPTION && !(style & WS_CHILD);
}

void MenuLoop::SelectBar(int position, bool drop, bool select_first) {
  if (position < kSystemEntry || position >= BarCount() || (position == kSystemEntry && !HasSystemEntry())) return;
  CloseFrom(0);
  bar_selected_ = position;
  HighlightMenuItem(bar_.menu(), position);
  DrawMenuBar(owner_);
  if (position == kSystemEntry) {
    SendMessage(owner_, WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP | MF_HILITE | MF_SYSMENU),
                reinterpret_cast<LPARAM>(GetSystemMenu(owner_, FALSE)));
  } else {
    const MenuItemView& item = bar_.items()[static_cast<std::size_t>(position)];
    const UINT flags = (item.flags & (MF_GRAYED | MF_DISABLED | MF_POPUP)) | MF_HILITE;
    SendMessage(owner_, WM_MENUSELECT, MAKEWPARAM(item.has_popup() ? static_cast<UINT>(position) : item.id, flags),
                reinterpret_cast<LPARAM>(bar_.menu()));
  }
  if (drop && !ending_) DropBar(select_first);
}

void MenuLoop::DropBar(bool select_first) {
  if (!levels_.empty() || ending_) return;
  if (bar_selected_ == kSystemEntry) {
    const RECT box = SystemBoxOnScreen();
    if (!OpenPopup(GetSystemMenu(owner_, FALSE), POINT{box.left, box.bottom}, 0, &box, 0, true)) return;
  } else {
    if (bar_selected_ < 0 || bar_selected_ >= BarCount()) return;
    const MenuItemView item = bar_.items()[static_cast<std::size_t>(bar_selected_)];
    if (item.grayed()) return;
    if (!item.has_popup()) {
      if (select_first) Choose(item.id, false);  // a command on the bar itself
      return;
    }
    const RECT title = BarItemOnScreen(bar_selected_);
    if (!OpenPopup(item.popup, POINT{title.left, title.bottom}, 0, &title, bar_selected_, false)) return;
  }
  DrawMenuBar(owner_);
  if (select_first) Select(0, levels_[0].layout.Next(-1, 1), false);
}

void MenuLoop::MoveBar(int step) {
  const int first = HasSystemEntry() ? kSystemEntry : 0;
  const int last = BarCount() - 1;
  if (last < first) return;
  int next = bar_selected_ + step;
  if (next > last) next = first;
  if (next < first) next = last;
  const bool dropped = !levels_.empty();
  SelectBar(next, dropped, dropped);
}

int MenuLoop::BarMnemonic(char ch) const {
  for (int i = 0; i < BarCount(); ++i)
    if (MenuMnemonic(bar_.items()[static_cast<std::size_t>(i)].text) == ch) return i;
  return -1;
}

RECT MenuLoop::SystemBoxOnScreen() const {
  const auto style = static_cast<DWORD>(GetWindowLongPtr(owner_, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtr(owner_, GWL_EXSTYLE));
  RECT window{};
  GetWindowRect(owner_, &window);
  const Frame frame(style, ex_style, GetMenu(owner_) != nullptr);
  RECT box = frame.SystemMenuButton(window.right - window.left);
  if (box.right <= box.left) {
    const int b = frame.border();
    box = RECT{b, b, b + GetSystemMetrics(SM_CXSIZE), b + GetSystemMetrics(SM_CYSIZE)};
  }
  OffsetRect(&box, window.left, window.top);
  return box;
}

RECT MenuLoop::BarItemOnScreen(int position) const { return ToScreen(owner_, bar_.ItemRect(position)); }

bool MenuLoop::BarSelection(HWND frame, int* selected, MenuPainter::BarState* state) const {
  if (!bar_mode_ || frame != owner_ || bar_selected_ < 0) return false;
  *selected = bar_selected_;
  *state = levels_.empty() ? MenuPainter::BarState::kHot : MenuPainter::BarState::kOpen;
  return true;
}

void MenuLoop::PaintPopup(HWND popup, HDC hdc) const {
  for (const Level& level : levels_)
    if (level.window == popup) MenuPainter::PaintPopup(hdc, level.layout, level.selected, owner_);
}

void MenuLoop::PopupDestroyed(HWND popup) {
  if (closing_popup_) return;
  for (Level& level : levels_)
    if (level.window == popup) {
      // Destroyed from outside (with its owner, most likely): the loop ends.
      level.window = nullptr;
      Cancel();
      PostMessage(nullptr, WM_NULL, 0, 0);
    }
}

void TrackMenuBar(HWND hwnd, MenuLoop::BarStart start, int item) {
  if (MenuLoop::Active() || !IsWindow(hwnd)) return;
  MenuLoop::Choice choice;
  {
    MenuLoop loop(hwnd, 0);
    choice = loop.RunBar(start, item);
  }
  if (choice.chosen && IsWindow(hwnd)) PostMessage(hwnd, choice.system ? WM_SYSCOMMAND : WM_COMMAND, choice.id, 0);
}

int MenuBarItemForMnemonic(HWND hwnd, char ch) {
  const MenuBarLayout bar = MenuBarLayout::Of(hwnd);
  const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  for (int i = 0; i < bar.count(); ++i)
    if (MenuMnemonic(bar.items()[static_cast<std::size_t>(i)].text) == wanted) return i;
  return -1;
}

void CancelMenuLoopOf(HWND hwnd) {
  MenuLoop* loop = MenuLoop::Active();
  if (!loop || loop->owner() != hwnd || loop->ending()) return;
  loop->Cancel();
  PostMessage(nullptr, WM_NULL, 0, 0);  // wakes the loop if it waits
}

}  // namespace ui::internal

namespace ui {

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params) {
  if (!IsMenu(menu) || !IsWindow(owner)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (internal::MenuLoop::Active()) {
    SetLastError(ERROR_POPUP_ALREADY_ACTIVE);
    return FALSE;
  }
  internal::MenuLoop::Choice choice;
  {
    internal::MenuLoop loop(owner, flags);
    choice = loop.RunPopup(menu, POINT{x, y}, params ? &params->rcExclude : nullptr);
  }
  if (flags & TPM_RETURNCMD) return choice.chosen ? static_cast<BOOL>(choice.id) : 0;
  if (choice.chosen && !(flags & TPM_NONOTIFY) && IsWindow(owner))
    PostMessage(owner, choice.system ? WM_SYSCOMMAND : WM_COMMAND, choice.id, 0);
  return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

BOOL GetMenuBarInfo(HWND hwnd, LONG object, LONG item, MENUBARINFO* info) {
  if (!info || object != OBJID_MENU || item < 0) return FALSE;
  const internal::MenuBarLayout bar = internal::MenuBarLayout::Of(hwnd);
  if (!bar.menu() || bar.bar().right <= bar.bar().left || item > bar.count()) return FALSE;
  RECT window{};
  GetWindowRect(hwnd, &window);
  info->rcBar = item == 0 ? bar.bar() : bar.ItemRect(static_cast<int>(item) - 1);
  OffsetRect(&info->rcBar, window.left, window.top);
  info->hMenu = bar.menu();
  info->hwndMenu = nullptr;
  int selected = -1;
  auto state = internal::MenuPainter::BarState::kNone;
  const internal::MenuLoop* loop = internal::MenuLoop::Active();
  info->fBarFocused = loop && loop->BarSelection(hwnd, &selected, &state) ? TRUE : FALSE;
  return TRUE;
}

BOOL EndMenu() {
  internal::MenuLoop* loop = internal::MenuLoop::Active();
  if (!loop) return FALSE;
  internal::CancelMenuLoopOf(loop->owner());
  return TRUE;
}

}  // namespace ui
