// Messages and the loop: sending (synchronous; marshalled to the window's
// thread and waited for when sent from another thread), posting (any
// thread), retrieving in Win32 order (sent, posted, quit, paint, timers),
// dispatching, timers on the window system's clock, and nested loops.
#pragma once

#include <functional>

#include "platform/ui/Types.h"

namespace ui {

DWORD GetCurrentThreadId();

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessage(DWORD thread_id, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exit_code);

// 1 for a message, 0 for WM_QUIT, -1 for a stale window filter.
int GetMessage(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max);
BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max, UINT remove);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
// Waits until the thread's queue has something to retrieve.
BOOL WaitMessage();
DWORD GetMessageTime();
// Key state as the loop last saw it (high bit: down).
short GetKeyState(int virtual_key);

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// A nested loop: runs until `finished` says so or WM_QUIT arrives (which
// is posted again for the outer loop). `dialog`, when given, gets keyboard
// navigation. Returns FALSE when WM_QUIT ended it.
BOOL RunNestedLoop(const std::function<bool()>& finished, HWND dialog);

}  // namespace ui
