// Default handling of the messages every window gets.
#include <algorithm>
#include <cstring>

#include "platform/ui/Cursor.h"
#include "platform/ui/ImageResources.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/ScrollBars.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/Frame.h"
#include "platform/ui/internal/InputRouter.h"
#include "platform/ui/internal/MenuBarLayout.h"
#include "platform/ui/internal/MenuLoop.h"
#include "platform/ui/internal/Painting.h"
#include "platform/ui/internal/ScrollBarWindows.h"
#include "platform/ui/internal/SizeMoveLoop.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui {

using internal::TableLock;
using internal::WindowRecord;
using internal::WindowTable;

namespace {

LRESULT CopyText(const std::string& text, WPARAM size, LPARAM buffer) {
  char* out = reinterpret_cast<char*>(buffer);
  if (!out || size == 0) return 0;
  const std::size_t count = std::min<std::size_t>(text.size(), static_cast<std::size_t>(size) - 1);
  std::memcpy(out, text.data(), count);
  out[count] = '\0';
  return static_cast<LRESULT>(count);
}

}  // namespace

namespace internal {
// Text of windows that keep it in the record (everything but edits).
LRESULT DefaultText(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  internal::LockedWindow record(hwnd);
  if (!record) return 0;
  switch (message) {
    case WM_SETTEXT:
      record->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
      return TRUE;
    case WM_GETTEXT: return CopyText(record->text, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(record->text.size());
  }
  return 0;
}
}  // namespace internal

namespace {

internal::Frame FrameOf(HWND hwnd) {
  DWORD style = 0, ex_style = 0;
  {
    internal::LockedWindow record(hwnd);
    if (record) {
      style = record->style;
      ex_style = record->ex_style;
    }
  }
  return internal::Frame(style, ex_style, !(style & WS_CHILD) && GetMenu(hwnd) != nullptr);
}

LRESULT HitTest(HWND hwnd, LPARAM lParam) {
  RECT window;
  if (!GetWindowRect(hwnd, &window)) return HTNOWHERE;
  const POINT at{GET_X_LPARAM(lParam) - window.left, GET_Y_LPARAM(lParam) - window.top};
  return FrameOf(hwnd).HitTest(at, SIZE{window.right - window.left, window.bottom - window.top});
}

LRESULT CalcSize(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (!lParam) return 0;
  // With wParam TRUE the first rectangle of NCCALCSIZE_PARAMS, else a RECT:
  // either way the window rectangle goes in and the client comes out.
  RECT* rect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
  *rect = FrameOf(hwnd).ClientRect(*rect);
  return 0;
}

// The cursor for a hit-test code; null for the class cursor.
HCURSOR CursorFor(int hit) {
  switch (hit) {
    case HTLEFT:
    case HTRIGHT: return LoadCursor(IDC_SIZEWE);
    case HTTOP:
    case HTBOTTOM: return LoadCursor(IDC_SIZENS);
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return LoadCursor(IDC_SIZENWSE);
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return LoadCursor(IDC_SIZENESW);
    default: return LoadCursor(IDC_ARROW);
  }
}

LRESULT SetCursorDefault(HWND hwnd, LPARAM lParam) {
  // A parent may choose for its children.
  if (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) {
    const HWND parent = GetParent(hwnd);
    if (parent && SendMessage(parent, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), lParam)) return TRUE;
  }
  const int hit = static_cast<short>(LOWORD(static_cast<std::uint64_t>(lParam)));
  if (hit == HTERROR) return FALSE;
  if (hit == HTCLIENT) {
    HCURSOR cursor;
    {
      internal::LockedWindow record(hwnd);
      cursor = record ? record->cursor : nullptr;
    }
    if (cursor) SetCursor(cursor);
    return cursor ? TRUE : FALSE;
  }
  SetCursor(CursorFor(hit));
  return TRUE;
}

LRESULT MouseActivate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) {
    const HWND parent = GetParent(hwnd);
    if (parent)
      if (const LRESULT answer = SendMessage(parent, WM_MOUSEACTIVATE, wParam, lParam)) return answer;
  }
  return MA_ACTIVATE;
}

// Which caption button a press began on, so the release can act on it.
thread_local HWND pressed_window = nullptr;
thread_local int pressed_button = HTNOWHERE;

void NonClientButtonDown(HWND hwnd, int hit, LPARAM lParam) {
  if (hit == HTMENU) {
    RECT window;
    GetWindowRect(hwnd, &window);
    const POINT at{GET_X_LPARAM(lParam) - window.left, GET_Y_LPARAM(lParam) - window.top};
    const int item = internal::MenuBarLayout::Of(hwnd).HitTest(at);
    if (item >= 0) internal::TrackMenuBar(hwnd, internal::MenuLoop::BarStart::kDrop, item);
  } else if (hit == HTCAPTION) {
    SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE | static_cast<WPARAM>(HTCAPTION), lParam);
  } else if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT) {
    SendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE | static_cast<WPARAM>(hit - HTLEFT + 1), lParam);
  } else if (hit == HTVSCROLL || hit == HTHSCROLL) {
    internal::TrackScrollBar(hwnd, hit == HTVSCROLL ? SB_VERT : SB_HORZ,
                             POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  } else if (hit == HTCLOSE || hit == HTMAXBUTTON || hit == HTMINBUTTON) {
    pressed_window = hwnd;
    pressed_button = hit;
  }
}

void NonClientButtonUp(HWND hwnd, int hit, LPARAM lParam) {
  const bool same = pressed_window == hwnd && pressed_button == hit;
  pressed_window = nullptr;
  pressed_button = HTNOWHERE;
  if (!same) return;
  const bool maximized = (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_MAXIMIZE) != 0;
  if (hit == HTCLOSE) SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
  else if (hit == HTMAXBUTTON) SendMessage(hwnd, WM_SYSCOMMAND, maximized ? SC_RESTORE : SC_MAXIMIZE, lParam);
  else if (hit == HTMINBUTTON) SendMessage(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, lParam);
}

void NonClientDoubleClick(HWND hwnd, int hit, LPARAM lParam) {
  const DWORD style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
  // Quick clicks on the menu bar are clicks each: the one that closed a
  // popup and the next that opens one again make no double click.
  if (hit == HTMENU) NonClientButtonDown(hwnd, hit, lParam);
  else if (hit == HTSYSMENU) SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
  else if (hit == HTCAPTION && (style & WS_MAXIMIZEBOX))
    SendMessage(hwnd, WM_SYSCOMMAND, (style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE, lParam);
}

// SC_KEYMENU: 0 selects the menu bar (Alt, F10), a space drops the system
// menu, a letter the bar title it is the mnemonic of.
void KeyMenu(HWND hwnd, LPARAM lParam) {
  using Start = internal::MenuLoop::BarStart;
  const char ch = static_cast<char>(lParam & 0xFF);
  if (ch == 0) {
    // Without a menu bar there is nothing to show selected: the keys go on.
    if (GetMenu(hwnd)) internal::TrackMenuBar(hwnd, Start::kSelect, 0);
  } else if (ch == ' ') {
    internal::TrackMenuBar(hwnd, Start::kSystemMenu, -1);
  } else {
    const int item = internal::MenuBarItemForMnemonic(hwnd, ch);
    if (item >= 0) internal::TrackMenuBar(hwnd, Start::kDropByKey, item);
  }
}

// Alt (or F10) pressed and released with no key and no click between
// selects the menu bar (Alt+click or Alt+Shift does not): the last key down
// of the thread, and the mouse presses since, tell.
thread_local WPARAM last_key_down = 0;
thread_local std::uint64_t presses_at_key_down = 0;

void KeyDown(WPARAM key) {
  last_key_down = key;
  presses_at_key_down = internal::MousePressCount();
}

HWND FrameOfKey(HWND hwnd) {
  const HWND root = GetAncestor(hwnd, GA_ROOT);
  return root ? root : hwnd;
}

void SystemKeyUp(HWND hwnd, WPARAM key) {
  // Shift+F10 and Ctrl+F10 are other keys (the context menu, for one).
  const bool modified = key == VK_F10 && (GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0);
  const bool alone = (key == VK_MENU || key == VK_F10) && last_key_down == key && !modified &&
                     presses_at_key_down == internal::MousePressCount();
  last_key_down = 0;
  if (alone) SendMessage(FrameOfKey(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
}

// The context menu is asked for by a right click (at its screen point) or
// from the keyboard, Shift+F10 or the menu key (at -1, -1); a child that
// leaves it to the default passes it to its parent.
constexpr WPARAM kAppsKey = 0x5D;  // VK_APPS

void AskContextMenu(HWND hwnd, POINT screen) {
  SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd),
              MAKELPARAM(static_cast<unsigned>(screen.x) & 0xFFFF, static_cast<unsigned>(screen.y) & 0xFFFF));
}

void RightButtonUp(HWND hwnd, LPARAM lParam) {
  POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(hwnd, &screen);
  AskContextMenu(hwnd, screen);
}

void ContextMenuDefault(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (!(GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD)) return;
  if (const HWND parent = GetParent(hwnd)) SendMessage(parent, WM_CONTEXTMENU, wParam, lParam);
}

bool AsksContextMenu(WPARAM key) {
  return key == kAppsKey || (key == VK_F10 && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0);
}

// A character typed with Alt held (bit 29 of the key data) is a menu mnemonic.
void SystemChar(HWND hwnd, WPARAM ch, LPARAM lParam) {
  constexpr LPARAM kAltHeld = 0x20000000;
  if (!(lParam & kAltHeld)) return;
  SendMessage(FrameOfKey(hwnd), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(ch & 0xFF));
}

LRESULT SystemCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  switch (wParam & 0xFFF0) {
    case SC_KEYMENU: KeyMenu(hwnd, lParam); break;
    case SC_CLOSE: SendMessage(hwnd, WM_CLOSE, 0, 0); break;
    case SC_MOVE:
    case SC_SIZE: internal::RunSizeMoveLoop(hwnd, wParam); break;
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
    case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); break;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
  }
  return 0;
}

LRESULT NonClientActivate(HWND hwnd, WPARAM wParam) {
  bool changed;
  {
    internal::LockedWindow record(hwnd);
    if (!record) return TRUE;
    changed = record->nc_active != (wParam != 0);
    record->nc_active = wParam != 0;
  }
  // Only the frame shows activation.
  const RECT none{0, 0, 0, 0};
  if (changed) internal::RedrawRegion(hwnd, &none, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
  return TRUE;
}

LRESULT Paint(HWND hwnd) {
  PAINTSTRUCT paint;
  BeginPaint(hwnd, &paint);
  EndPaint(hwnd, &paint);
  return 0;
}

}  // namespace

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: return TRUE;
    case WM_SETTEXT: {
      const LRESULT result = internal::DefaultText(hwnd, message, wParam, lParam);
      // The caption shows the text.
      const RECT none{0, 0, 0, 0};
      if ((GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
        internal::RedrawRegion(hwnd, &none, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
      return result;
    }
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: return internal::DefaultText(hwnd, message, wParam, lParam);
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_HELP:
      // Help a child does not give itself is asked of its parent.
      if (internal::StyleOf(hwnd) & WS_CHILD)
        if (const HWND parent = internal::ParentOf(hwnd)) return SendMessage(parent, WM_HELP, wParam, lParam);
      return 0;
    case WM_PAINT: return Paint(hwnd);
    case WM_ERASEBKGND: return internal::EraseBackground(hwnd, reinterpret_cast<HDC>(wParam)) ? 1 : 0;
    case WM_NCPAINT: internal::PaintNonClient(hwnd); return 0;
    case WM_NCACTIVATE: return NonClientActivate(hwnd, wParam);
    case WM_NCCALCSIZE: return CalcSize(hwnd, wParam, lParam);
    case WM_NCHITTEST: return HitTest(hwnd, lParam);
    case WM_WINDOWPOSCHANGED:
      if (lParam) internal::SendSizeAndMove(hwnd, *reinterpret_cast<const WINDOWPOS*>(lParam));
      return 0;
    case WM_SETCURSOR: return SetCursorDefault(hwnd, lParam);
    case WM_MOUSEACTIVATE: return MouseActivate(hwnd, wParam, lParam);
    case WM_CANCELMODE:
      internal::CancelMenuLoopOf(hwnd);
      if (GetCapture() == hwnd) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED: internal::CancelMenuLoopOf(hwnd); return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: KeyDown(wParam); return 0;
    case WM_KEYUP:
      if (AsksContextMenu(wParam)) AskContextMenu(hwnd, POINT{-1, -1});
      return 0;
    case WM_SYSKEYUP:
      if (AsksContextMenu(wParam)) AskContextMenu(hwnd, POINT{-1, -1});
      else SystemKeyUp(hwnd, wParam);
      return 0;
    case WM_RBUTTONUP: RightButtonUp(hwnd, lParam); return 0;
    case WM_CONTEXTMENU: ContextMenuDefault(hwnd, wParam, lParam); return 0;
    case WM_SYSCHAR: SystemChar(hwnd, wParam, lParam); return 0;
    case WM_NCLBUTTONDOWN: NonClientButtonDown(hwnd, static_cast<int>(wParam), lParam); return 0;
    case WM_NCLBUTTONUP: NonClientButtonUp(hwnd, static_cast<int>(wParam), lParam); return 0;
    case WM_NCLBUTTONDBLCLK: NonClientDoubleClick(hwnd, static_cast<int>(wParam), lParam); return 0;
    case WM_SYSCOMMAND: return SystemCommand(hwnd, wParam, lParam);
    case WM_SETFONT: {
      internal::LockedWindow record(hwnd);
      if (record) record->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    }
    case WM_GETFONT: {
      internal::LockedWindow record(hwnd);
      return record ? reinterpret_cast<LRESULT>(record->font) : 0;
    }
    case WM_SETICON: {
      internal::LockedWindow record(hwnd);
      if (!record) return 0;
      HICON& slot = wParam == ICON_BIG ? record->big_icon : record->small_icon;
      const HICON old = slot;
      slot = reinterpret_cast<HICON>(lParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON: {
      internal::LockedWindow record(hwnd);
      if (!record) return 0;
      const HICON icon = wParam == ICON_BIG ? record->big_icon
                         : wParam == ICON_SMALL2 && !record->small_icon ? record->big_icon
                                                                        : record->small_icon;
      return reinterpret_cast<LRESULT>(icon);
    }
  }
  return 0;
}

}  // namespace ui
