#include "platform/ui/Hooks.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"

namespace ui {

namespace {

struct Hook {
  int kind;
  HOOKPROC proc;
  HHOOK handle;
};

// The chains of this thread, newest first.
thread_local std::vector<std::shared_ptr<Hook>> hooks;
std::atomic<std::uintptr_t> next_hook{1};

std::vector<std::shared_ptr<Hook>> Chain(int kind) {
  std::vector<std::shared_ptr<Hook>> chain;
  for (const auto& hook : hooks)
    if (hook->kind == kind) chain.push_back(hook);
  return chain;
}

LRESULT CallChain(int kind, int code, WPARAM wParam, LPARAM lParam) {
  const auto chain = Chain(kind);
  return chain.empty() ? 0 : chain.front()->proc(code, wParam, lParam);
}

bool IsKeyMessage(UINT message) { return message >= WM_KEYDOWN && message <= WM_SYSKEYUP && message != WM_CHAR; }
bool IsMouseMessage(UINT message) {
  return (message >= WM_MOUSEMOVE && message <= 0x020D) || (message >= 0x00A0 && message <= 0x00AD);
}

}  // namespace

HHOOK SetWindowsHookEx(int kind, HOOKPROC proc, void*, DWORD thread_id) {
  if (!proc || (kind != WH_MSGFILTER && kind != WH_KEYBOARD && kind != WH_MOUSE) ||
      (thread_id != 0 && thread_id != GetCurrentThreadId())) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const auto handle = reinterpret_cast<HHOOK>(next_hook++);
  hooks.insert(hooks.begin(), std::make_shared<Hook>(Hook{kind, proc, handle}));
  return handle;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  const auto it = std::find_if(hooks.begin(), hooks.end(), [&](const auto& h) { return h->handle == hook; });
  if (it == hooks.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  hooks.erase(it);
  return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  const auto it = std::find_if(hooks.begin(), hooks.end(), [&](const auto& h) { return h->handle == hook; });
  if (it == hooks.end()) return 0;
  const auto chain = Chain((*it)->kind);
  const auto here = std::find_if(chain.begin(), chain.end(), [&](const auto& h) { return h->handle == hook; });
  if (here == chain.end() || here + 1 == chain.end()) return 0;
  return (*(here + 1))->proc(code, wParam, lParam);
}

BOOL CallMsgFilter(MSG* msg, int code) {
  if (!msg) return FALSE;
  return CallChain(WH_MSGFILTER, code, 0, reinterpret_cast<LPARAM>(msg)) ? TRUE : FALSE;
}

namespace internal {

bool HooksDiscard(const MSG& msg, bool removing) {
  if (hooks.empty()) return false;
  const int code = removing ? HC_ACTION : HC_NOREMOVE;
  if (IsKeyMessage(msg.message)) return CallChain(WH_KEYBOARD, code, msg.wParam, msg.lParam) != 0;
  if (IsMouseMessage(msg.message)) {
    MOUSEHOOKSTRUCT info;
    info.hwnd = msg.hwnd;
    info.pt = POINT{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    if (msg.hwnd) ClientToScreen(msg.hwnd, &info.pt);
    return CallChain(WH_MOUSE, code, msg.message, reinterpret_cast<LPARAM>(&info)) != 0;
  }
  return false;
}

}  // namespace internal

}  // namespace ui
