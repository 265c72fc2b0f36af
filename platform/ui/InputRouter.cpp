// Raw input to window messages. A mouse event finds its window by hit
// testing from the top of the z-order down (WM_NCHITTEST; HTTRANSPARENT
// passes to what lies below), unless a window has the capture, which then
// gets every mouse message in client coordinates. A button press on an
// inactive window asks it (WM_MOUSEACTIVATE) whether to activate and
// whether to keep the click. Disabled windows get nothing.
#include "platform/ui/internal/InputRouter.h"

#include <atomic>
#include <cstdlib>
#include <mutex>

#include "platform/ui/Clock.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/Host.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/NonClient.h"
#include "platform/ui/RawInput.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui {

using internal::LockedWindow;
using internal::TableLock;
using internal::WindowRecord;
using internal::WindowTable;

namespace {

std::atomic<std::int64_t> cursor_position{0};  // x in the low half, y in the high half
std::atomic<HCURSOR> current_cursor{nullptr};
std::atomic<UINT> double_click_ms{500};
constexpr UINT kDefaultDoubleClickMs = 500;

void StoreCursor(POINT p) {
  cursor_position.store((static_cast<std::int64_t>(p.y) << 32) | static_cast<std::uint32_t>(p.x));
}

POINT LoadCursorPosition() {
  const std::int64_t v = cursor_position.load();
  return POINT{static_cast<LONG>(static_cast<std::int32_t>(v & 0xFFFFFFFF)), static_cast<LONG>(v >> 32)};
}

bool Inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

// The last button press, for double clicks.
struct LastClick {
  HWND hwnd = nullptr;
  UINT message = 0;
  DWORD time = 0;
  POINT at;
};
thread_local LastClick last_click;
thread_local std::uint64_t mouse_presses = 0;

struct WindowSnapshot {
  bool found = false;
  bool visible = false;
  bool disabled = false;
  RECT rect;
  RECT client;
  std::vector<HWND> children;
};

WindowSnapshot Snapshot(HWND hwnd) {
  LockedWindow record(hwnd);
  WindowSnapshot s;
  if (!record) return s;
  s.found = true;
  s.visible = (record->style & WS_VISIBLE) != 0;
  s.disabled = (record->style & WS_DISABLED) != 0;
  s.rect = record->rect;
  s.client = record->client;
  s.children = record->children;
  return s;
}

// The deepest window of `hwnd`'s tree under `screen` that does not answer
// HTTRANSPARENT; disabled children and their trees are passed by.
HWND Descend(HWND hwnd, POINT screen, int* hit) {
  const WindowSnapshot self = Snapshot(hwnd);
  if (Inside(self.client, screen)) {
    for (HWND child : self.children) {
      const WindowSnapshot c = Snapshot(child);
      if (!c.found || !c.visible || c.disabled || !Inside(c.rect, screen)) continue;
      if (HWND found = Descend(child, screen, hit)) return found;
    }
  }
  const LRESULT code = SendMessage(hwnd, WM_NCHITTEST, 0,
                                   MAKELPARAM(static_cast<unsigned>(screen.x), static_cast<unsigned>(screen.y)));
  if (code == HTTRANSPARENT || !IsWindow(hwnd)) return nullptr;
  *hit = static_cast<int>(code);
  return hwnd;
}

std::vector<HWND> TopLevels() {
  TableLock lock(WindowTable::Get().mutex());
  return WindowTable::Get().top_levels();
}

bool KeyDown(const internal::ThreadQueue& queue, WPARAM key) { return (queue.key_state[key & 0xFF] & 0x80) != 0; }

WPARAM MouseKeys(const internal::ThreadQueue& queue) {
  WPARAM keys = 0;
  if (KeyDown(queue, VK_LBUTTON)) keys |= MK_LBUTTON;
  if (KeyDown(queue, VK_RBUTTON)) keys |= MK_RBUTTON;
  if (KeyDown(queue, VK_MBUTTON)) keys |= MK_MBUTTON;
  if (KeyDown(queue, VK_SHIFT)) keys |= MK_SHIFT;
  if (KeyDown(queue, VK_CONTROL)) keys |= MK_CONTROL;
  return keys;
}

struct ButtonMessages {
  UINT down, up, double_click;
  WPARAM key;
};

ButtonMessages MessagesOf(MouseButton button) {
  switch (button) {
    case MouseButton::kRight: return {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, VK_RBUTTON};
    case MouseButton::kMiddle: return {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK, VK_MBUTTON};
    case MouseButton::kLeft: break;
  }
  return {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, VK_LBUTTON};
}

// The non-client form of a client mouse message.
UINT NonClientOf(UINT message) { return message - WM_MOUSEMOVE + WM_NCMOUSEMOVE; }

bool HasDoubleClicks(HWND hwnd) {
  LockedWindow record(hwnd);
  return record && (record->class_style & CS_DBLCLKS);
}

bool IsDoubleClick(HWND hwnd, UINT message, DWORD time, POINT at) {
  const LastClick& last = last_click;
  return last.hwnd == hwnd && last.message == message && time - last.time <= GetDoubleClickTime() &&
         std::abs(at.x - last.at.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
         std::abs(at.y - last.at.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
}

MSG Make(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, const MSG& raw) {
  MSG msg;
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = raw.time;
  msg.pt = raw.pt;
  return msg;
}

LPARAM Pack(POINT p) { return MAKELPARAM(static_cast<unsigned>(p.x), static_cast<unsigned>(p.y)); }

// A mouse message for `target`: client form with client coordinates, or
// non-client form with the hit code and screen coordinates.
MSG MouseMessage(HWND target, int hit, UINT client_message, WPARAM keys, const MSG& raw) {
  if (hit == HTCLIENT) {
    POINT at = raw.pt;
    ScreenToClient(target, &at);
    return Make(target, client_message, keys, Pack(at), raw);
  }
  return Make(target, NonClientOf(client_message), static_cast<WPARAM>(hit), Pack(raw.pt), raw);
}

void SendSetCursor(HWND target, int hit, UINT message) {
  SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
              MAKELPARAM(static_cast<unsigned>(hit) & 0xFFFF, message));
}

// Asks an inactive window's permission to activate; false when the click
// is to be eaten.
bool ActivateForClick(HWND target, int hit, UINT message) {
  const HWND top = GetAncestor(target, GA_ROOT);
  if (!top || top == GetActiveWindow()) return true;
  const LRESULT answer = SendMessage(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                                     MAKELPARAM(static_cast<unsigned>(hit) & 0xFFFF, message));
  if ((answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) && IsWindow(top)) SetActiveWindow(top);
  return answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT;
}

void RouteMouse(internal::ThreadQueue& queue, const MSG& raw, std::vector<MSG>& out) {
  const auto kind = static_cast<RawInputKind>(raw.wParam & 0xFF);
  const auto button = static_cast<MouseButton>((raw.wParam >> 8) & 0xFF);
  StoreCursor(raw.pt);
  const HWND capture = GetCapture();
  HWND target = capture;
  int hit = HTCLIENT;
  if (!capture) {
    target = internal::HitTestScreen(raw.pt, &hit);
    if (!target || hit == HTERROR) return;
  }
  const ButtonMessages buttons = MessagesOf(button);
  switch (kind) {
    case RawInputKind::kMouseMove:
      if (!capture) SendSetCursor(target, hit, WM_MOUSEMOVE);
      if (IsWindow(target)) out.push_back(MouseMessage(target, hit, WM_MOUSEMOVE, MouseKeys(queue), raw));
      return;
    case RawInputKind::kButtonDown: {
      ++mouse_presses;
      {
        TableLock lock(WindowTable::Get().mutex());
        queue.key_state[buttons.key] = 0x80;
      }
      bool keep = true;
      if (!capture) {
        keep = ActivateForClick(target, hit, buttons.down);
        if (IsWindow(target)) SendSetCursor(target, hit, buttons.down);
      }
      if (!keep || !IsWindow(target)) return;
      UINT message = buttons.down;
      // Non-client double clicks come to every window; client ones only to
      // classes that ask for them.
      const bool may_double = hit != HTCLIENT || HasDoubleClicks(target);
      if (may_double && IsDoubleClick(target, buttons.down, raw.time, raw.pt)) {
        message = buttons.double_click;
        last_click = LastClick{};
      } else {
        last_click = LastClick{target, buttons.down, raw.time, raw.pt};
      }
      out.push_back(MouseMessage(target, hit, message, MouseKeys(queue), raw));
      return;
    }
    case RawInputKind::kButtonUp:
      {
        TableLock lock(WindowTable::Get().mutex());
        queue.key_state[buttons.key] = 0;
      }
      out.push_back(MouseMessage(target, hit, buttons.up, MouseKeys(queue), raw));
      return;
    case RawInputKind::kWheel: {
      const HWND focus = GetFocus();
      const HWND wheel_target = focus ? focus : GetActiveWindow();
      if (!wheel_target || !IsWindowEnabled(wheel_target)) return;
      const WPARAM wheel = MAKEWPARAM(static_cast<unsigned>(MouseKeys(queue)), static_cast<unsigned>(raw.lParam) & 0xFFFF);
      out.push_back(Make(wheel_target, WM_MOUSEWHEEL, wheel, Pack(raw.pt), raw));
      return;
    }
    default: return;
  }
}

void RouteKey(internal::ThreadQueue& queue, const MSG& raw, std::vector<MSG>& out) {
  const auto kind = static_cast<RawInputKind>(raw.wParam & 0xFF);
  const WPARAM key = static_cast<WPARAM>(raw.lParam);
  const HWND focus = GetFocus();
  const HWND target = focus ? focus : GetActiveWindow();
  if (!target || !IsWindowEnabled(target)) return;
  // Alt, F10 (the menu key), or a key with no focus, makes a system key.
  const bool system = KeyDown(queue, VK_MENU) || key == VK_MENU || key == VK_F10 || !focus;
  const bool down = kind == RawInputKind::kKeyDown;
  const UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  // Bit 29 tells a key pressed with Alt held (menu mnemonics read it).
  const bool alt = KeyDown(queue, VK_MENU) || key == VK_MENU;
  const LPARAM flags = (down ? 1 : static_cast<LPARAM>(0xC0000001)) | (alt ? 0x20000000 : 0);
  out.push_back(Make(target, message, key, flags, raw));
}

}  // namespace

namespace internal {

HWND HitTestScreen(POINT screen, int* hit) {
  int code = HTNOWHERE;
  for (HWND top : TopLevels()) {
    const WindowSnapshot s = Snapshot(top);
    if (!s.found || !s.visible || !Inside(s.rect, screen)) continue;
    if (s.disabled) {
      // A disabled window takes the input away from what lies below.
      if (hit) *hit = HTERROR;
      return top;
    }
    if (HWND found = Descend(top, screen, &code)) {
      if (hit) *hit = code;
      return found;
    }
  }
  return nullptr;
}

std::uint64_t MousePressCount() { return mouse_presses; }

void RouteWaitingInput(ThreadQueue& queue) {
  MSG raw;
  std::size_t position = 0;
  while (queue.TakeRawInput(raw, position)) {
    std::vector<MSG> out;
    const auto kind = static_cast<RawInputKind>(raw.wParam & 0xFF);
    if (kind == RawInputKind::kKeyDown || kind == RawInputKind::kKeyUp) RouteKey(queue, raw, out);
    else RouteMouse(queue, raw, out);
    queue.InsertAt(position, out);
  }
}

}  // namespace internal

void QueueRawInput(const RawInput& input) {
  MSG raw;
  raw.message = internal::kRawInputMessage;
  raw.wParam = static_cast<WPARAM>(input.kind) | (static_cast<WPARAM>(input.button) << 8);
  raw.lParam = (input.kind == RawInputKind::kWheel) ? input.wheel_delta : static_cast<LPARAM>(input.virtual_key);
  raw.pt = input.screen;
  raw.time = static_cast<DWORD>(GetClock().NowMs());
  // The thread whose window the input reaches; the caller's own by default.
  std::shared_ptr<internal::ThreadQueue> target = internal::CurrentQueuePtr();
  const bool mouse = input.kind != RawInputKind::kKeyDown && input.kind != RawInputKind::kKeyUp;
  if (mouse && !GetCapture()) {
    TableLock lock(WindowTable::Get().mutex());
    for (HWND top : WindowTable::Get().top_levels()) {
      WindowRecord* record = WindowTable::Get().Find(top);
      if (record && (record->style & WS_VISIBLE) && Inside(record->rect, input.screen)) {
        target = record->queue;
        break;
      }
    }
  }
  target->Post(raw);
}

BOOL GetCursorPos(POINT* point) {
  if (!point) return FALSE;
  *point = LoadCursorPosition();
  return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor) {
  const HCURSOR previous = current_cursor.exchange(cursor);
  // Every mouse move sets the cursor again: the host hears only of changes.
  if (previous != cursor) GetHost().CursorChanged(cursor);
  return previous;
}
HCURSOR GetCursor() { return current_cursor.load(); }

UINT GetDoubleClickTime() { return double_click_ms.load(); }
BOOL SetDoubleClickTime(UINT ms) {
  double_click_ms.store(ms ? ms : kDefaultDoubleClickMs);
  return TRUE;
}

DWORD GetTickCount() { return static_cast<DWORD>(GetClock().NowMs()); }

HWND WindowFromPoint(POINT screen) {
  int hit = HTNOWHERE;
  const HWND found = internal::HitTestScreen(screen, &hit);
  return hit == HTERROR ? nullptr : found;
}

}  // namespace ui
