#include "platform/ui/HeadlessInput.h"

#include "platform/ui/Host.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"

namespace ui {

namespace {

constexpr WPARAM kAlt = 0x12;  // VK_MENU

HWND KeyTarget() {
  const HWND focus = GetFocus();
  return focus ? focus : GetActiveWindow();
}

void PostModifiers(HWND target, BYTE modifiers, UINT message) {
  const UINT key_message = (modifiers & FALT) ? (message == WM_KEYDOWN ? WM_SYSKEYDOWN : WM_SYSKEYUP) : message;
  if (modifiers & FSHIFT) PostMessage(target, key_message, VK_SHIFT, 0);
  if (modifiers & FCONTROL) PostMessage(target, key_message, VK_CONTROL, 0);
  if (modifiers & FALT) PostMessage(target, key_message, kAlt, 0);
}

}  // namespace

BOOL PostKeyPress(WPARAM virtual_key, BYTE modifiers) {
  const HWND target = KeyTarget();
  if (!target) return FALSE;
  PostModifiers(target, modifiers, WM_KEYDOWN);
  const bool alt = (modifiers & FALT) != 0;
  const LPARAM alt_held = alt ? 0x20000000 : 0;  // the key data's Alt bit
  PostMessage(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtual_key, 1 | alt_held);
  PostMessage(target, alt ? WM_SYSKEYUP : WM_KEYUP, virtual_key, static_cast<LPARAM>(0xC0000001) | alt_held);
  PostModifiers(target, modifiers, WM_KEYUP);
  return TRUE;
}

BOOL PostText(const std::string& text) {
  const HWND target = KeyTarget();
  if (!target) return FALSE;
  for (char c : text) PostMessage(target, WM_CHAR, static_cast<unsigned char>(c), 1);
  return TRUE;
}

BOOL PostClick(HWND window, POINT client) {
  if (!IsWindowVisible(window)) return FALSE;
  POINT screen = client;
  ClientToScreen(window, &screen);
  HWND target = window;
  for (;;) {
    POINT inside = screen;
    ScreenToClient(target, &inside);
    const HWND child = ChildWindowFromPointEx(target, inside, CWP_SKIPINVISIBLE);
    if (!child || child == target) break;
    target = child;
  }
  for (HWND up = target; up; up = (GetWindowLongPtr(up, GWL_STYLE) & WS_CHILD) ? GetParent(up) : nullptr)
    if (!IsWindowEnabled(up)) return FALSE;
  POINT at = screen;
  ScreenToClient(target, &at);
  const LPARAM position = MAKELPARAM(static_cast<unsigned>(at.x), static_cast<unsigned>(at.y));
  PostMessage(target, WM_LBUTTONDOWN, MK_LBUTTON, position);
  PostMessage(target, WM_LBUTTONUP, 0, position);
  return TRUE;
}

namespace {

void Inject(RawInputKind kind, POINT screen, MouseButton button = MouseButton::kLeft) {
  RawInput input;
  input.kind = kind;
  input.screen = screen;
  input.button = button;
  GetHost().InjectInput(input);
}

void InjectKey(RawInputKind kind, WPARAM key) {
  RawInput input;
  input.kind = kind;
  input.virtual_key = key;
  GetCursorPos(&input.screen);
  GetHost().InjectInput(input);
}

}  // namespace

void InjectMouseMove(POINT screen) { Inject(RawInputKind::kMouseMove, screen); }
void InjectButtonDown(POINT screen, MouseButton button) { Inject(RawInputKind::kButtonDown, screen, button); }
void InjectButtonUp(POINT screen, MouseButton button) { Inject(RawInputKind::kButtonUp, screen, button); }

void InjectClick(POINT screen, MouseButton button) {
  InjectButtonDown(screen, button);
  InjectButtonUp(screen, button);
}

void InjectDoubleClick(POINT screen) {
  InjectClick(screen);
  InjectClick(screen);
}

void InjectDrag(POINT from, POINT to, int steps, MouseButton button) {
  InjectMouseMove(from);
  InjectButtonDown(from, button);
  steps = steps < 1 ? 1 : steps;
  for (int i = 1; i <= steps; ++i)
    InjectMouseMove(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
  InjectButtonUp(to, button);
}

void InjectWheel(POINT screen, int delta) {
  RawInput input;
  input.kind = RawInputKind::kWheel;
  input.screen = screen;
  input.wheel_delta = delta;
  GetHost().InjectInput(input);
}

void InjectKeyDown(WPARAM virtual_key) { InjectKey(RawInputKind::kKeyDown, virtual_key); }
void InjectKeyUp(WPARAM virtual_key) { InjectKey(RawInputKind::kKeyUp, virtual_key); }

void InjectKeyPress(WPARAM virtual_key, BYTE modifiers) {
  if (modifiers & FSHIFT) InjectKeyDown(VK_SHIFT);
  if (modifiers & FCONTROL) InjectKeyDown(VK_CONTROL);
  if (modifiers & FALT) InjectKeyDown(VK_MENU);
  InjectKeyDown(virtual_key);
  InjectKeyUp(virtual_key);
  if (modifiers & FALT) InjectKeyUp(VK_MENU);
  if (modifiers & FCONTROL) InjectKeyUp(VK_CONTROL);
  if (modifiers & FSHIFT) InjectKeyUp(VK_SHIFT);
}

}  // namespace ui
