// Hooks of the calling thread: chains of callbacks, newest first, that see
// keyboard and mouse messages as the loop takes them (and may swallow
// them), and the messages of modal loops (message filter). Only the
// calling thread's own chains can be set.
#pragma once

#include "platform/ui/Types.h"

namespace ui {

struct HHOOK__;
using HHOOK = HHOOK__*;
using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);

constexpr int WH_MSGFILTER = -1;
constexpr int WH_KEYBOARD = 2;
constexpr int WH_MOUSE = 7;
constexpr int HC_ACTION = 0;
constexpr int HC_NOREMOVE = 3;
constexpr int MSGF_DIALOGBOX = 0;
constexpr int MSGF_MENU = 2;

struct MOUSEHOOKSTRUCT {
  POINT pt;  // screen coordinates
  HWND hwnd = nullptr;
  UINT wHitTestCode = 0;
  UINT_PTR dwExtraInfo = 0;
};

// `module` is ignored; `thread_id` 0 or the caller's own id.
HHOOK SetWindowsHookEx(int kind, HOOKPROC proc, void* module, DWORD thread_id);
BOOL UnhookWindowsHookEx(HHOOK hook);
// Passes the call on to the hook after `hook` in its chain; 0 at the end.
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
// Offers a modal loop's message to the message-filter chain; TRUE when a
// hook took it.
BOOL CallMsgFilter(MSG* msg, int code);

namespace internal {
// The loop asks whether the keyboard or mouse chain swallows `msg`.
bool HooksDiscard(const MSG& msg, bool removing);
}  // namespace internal

}  // namespace ui
