#include "platform/ui/MessageLoop.h"

#include "platform/ui/Clock.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Hooks.h"
#include "platform/ui/Host.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/InputRouter.h"
#include "platform/ui/internal/KeyCharacters.h"
#include "platform/ui/internal/Painting.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui {

using internal::TableLock;
using internal::ThreadQueue;
using internal::WindowRecord;
using internal::WindowTable;

namespace {

thread_local DWORD last_message_time = 0;

// Delivers every message other threads have sent to this one.
void DeliverSentMessages(ThreadQueue& queue) {
  while (auto sent = queue.TakeSent()) {
    const LRESULT result = IsWindow(sent->hwnd)
                               ? internal::CallProc(sent->hwnd, sent->message, sent->wParam, sent->lParam)
                               : 0;
    ThreadQueue::Reply(sent, result);
  }
}

internal::MessageFilter MakeFilter(HWND hwnd, UINT filter_min, UINT filter_max) {
  return [=](HWND target, UINT message) {
    if (filter_min || filter_max) {
      if (message < filter_min || message > filter_max) return false;
    }
    return !hwnd || target == hwnd || IsChild(hwnd, target);
  };
}

bool PaintIsDue(HWND hwnd, DWORD thread, const internal::MessageFilter& filter) {
  bool due;
  {
    internal::LockedWindow record(hwnd);
    due = record && record->thread_id == thread && record->PaintDue() && !record->destroying;
  }
  return due && IsWindowVisible(hwnd) && !internal::IsUpdateLocked(hwnd) && filter(hwnd, WM_PAINT);
}

// A window of this thread with a pending paint: the outermost one of its
// line, since a parent that erases its background after its children have
// painted wipes them out (the table's order is no creation order: a new
// dialog's controls may take older slots than the dialog).
bool FindPaint(MSG& out, const internal::MessageFilter& filter) {
  const DWORD thread = internal::CurrentQueue().thread_id();
  for (HWND hwnd : WindowTable::Get().AllWindows()) {
    if (!PaintIsDue(hwnd, thread, filter)) continue;
    HWND outermost = hwnd;
    for (HWND parent = GetParent(hwnd); parent && (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD);
         hwnd = parent, parent = GetParent(parent)) {
      if (PaintIsDue(parent, thread, filter)) outermost = parent;
    }
    out = MSG{};
    out.hwnd = outermost;
    out.message = WM_PAINT;
    return true;
  }
  return false;
}

// The next posted message that no keyboard or mouse hook swallows; a
// swallowed one leaves the queue.
bool IsKeyMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

// The key state follows a key as it leaves the queue, not as it is
// dispatched: a key that a hook or a window's pre-translation takes (a
// menu bar takes the release of Alt) is still down or up for GetKeyState.
void NoteKeyTaken(const MSG& msg) {
  if (!IsKeyMessage(msg.message)) return;
  TableLock lock(WindowTable::Get().mutex());
  internal::CurrentQueue().key_state[msg.wParam & 0xFF] =
      (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) ? 0x80 : 0;
}

bool TakePostedPastHooks(ThreadQueue& queue, MSG& out, const internal::MessageFilter& filter, bool remove) {
  while (queue.TakePosted(out, filter, remove)) {
    if (remove) NoteKeyTaken(out);
    if (!internal::HooksDiscard(out, remove)) return true;
    MSG dropped;
    if (!remove && queue.TakePosted(dropped, filter, true)) NoteKeyTaken(dropped);
  }
  return false;
}

bool PeekCore(MSG& out, HWND hwnd, UINT filter_min, UINT filter_max, bool remove) {
  ThreadQueue& queue = internal::CurrentQueue();
  queue.BeginScan();
  DeliverSentMessages(queue);
  internal::RouteWaitingInput(queue);
  const auto filter = MakeFilter(hwnd, filter_min, filter_max);
  const std::int64_t now = GetClock().NowMs();
  const bool quit_wanted = (!filter_min && !filter_max) || (WM_QUIT >= filter_min && WM_QUIT <= filter_max);
  const bool found = TakePostedPastHooks(queue, out, filter, remove) || (quit_wanted && queue.TakeQuit(out, remove)) ||
                     FindPaint(out, filter) || queue.TakeDueTimer(out, filter, now, remove);
  if (found) {
    if (!out.time) out.time = static_cast<DWORD>(now);
    last_message_time = out.time;
  }
  return found;
}

bool KeyIsDown(const MSG& msg) { return msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN; }

}  // namespace

DWORD GetCurrentThreadId() { return internal::CurrentQueue().thread_id(); }

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  std::shared_ptr<ThreadQueue> target;
  {
    internal::LockedWindow record(hwnd);
    if (!record) return internal::RefuseHandle(), 0;
    target = record->queue;
  }
  ThreadQueue& own = internal::CurrentQueue();
  if (target.get() == &own) return internal::CallProc(hwnd, message, wParam, lParam);

  auto sent = std::make_shared<internal::SentMessage>();
  sent->hwnd = hwnd;
  sent->message = message;
  sent->wParam = wParam;
  sent->lParam = lParam;
  sent->sender = internal::CurrentQueuePtr();
  if (!target->PushSent(sent)) return 0;
  // While waiting, answer what other threads send here, so that two
  // threads sending to each other do not deadlock.
  while (!own.WaitForReplyOrMail(sent)) DeliverSentMessages(own);
  return sent->result;
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  std::shared_ptr<ThreadQueue> target;
  if (!hwnd) {
    target = internal::CurrentQueuePtr();
  } else {
    internal::LockedWindow record(hwnd);
    if (!record) return internal::RefuseHandle();
    target = record->queue;
  }
  MSG msg;
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = static_cast<DWORD>(GetClock().NowMs());
  return target->Post(msg) ? TRUE : FALSE;
}

BOOL PostThreadMessage(DWORD thread_id, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto target = internal::FindQueue(thread_id);
  if (!target) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  MSG msg;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = static_cast<DWORD>(GetClock().NowMs());
  if (!target->Post(msg)) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  return TRUE;
}

void PostQuitMessage(int exit_code) { internal::CurrentQueue().PostQuit(exit_code); }

int GetMessage(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max) {
  if (!msg || (hwnd && !IsWindow(hwnd))) return internal::RefuseHandle(), -1;
  ThreadQueue& queue = internal::CurrentQueue();
  const auto filter = MakeFilter(hwnd, filter_min, filter_max);
  for (;;) {
    if (PeekCore(*msg, hwnd, filter_min, filter_max, true)) return msg->message == WM_QUIT ? 0 : 1;
    if (hwnd && !IsWindow(hwnd)) return internal::RefuseHandle(), -1;
    GetHost().WaitForInput(queue, queue.NextTimerDue(filter));
  }
}

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filter_min, UINT filter_max, UINT remove) {
  if (!msg || (hwnd && !IsWindow(hwnd))) return internal::RefuseHandle();
  return PeekCore(*msg, hwnd, filter_min, filter_max, (remove & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL WaitMessage() {
  ThreadQueue& queue = internal::CurrentQueue();
  MSG msg;
  const auto filter = MakeFilter(nullptr, 0, 0);
  while (!PeekCore(msg, nullptr, 0, 0, false)) GetHost().WaitForInput(queue, queue.NextTimerDue(filter));
  return TRUE;
}

DWORD GetMessageTime() { return last_message_time; }

short GetKeyState(int virtual_key) {
  TableLock lock(WindowTable::Get().mutex());
  return (internal::CurrentQueue().key_state[virtual_key & 0xFF] & 0x80) ? static_cast<short>(0x8000) : 0;
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || !KeyIsDown(*msg)) return FALSE;
  const WPARAM key = msg->wParam;
  const bool shift = GetKeyState(static_cast<int>(VK_SHIFT)) < 0;
  const bool control = GetKeyState(static_cast<int>(VK_CONTROL)) < 0 && msg->message == WM_KEYDOWN;
  char ch = 0;
  // Ctrl with a letter gives its control character (Ctrl+C is 3), which
  // is how edits see copy, cut, paste and select-all. With Ctrl the
  // punctuation and keypad keys are shortcuts and type nothing.
  const bool plain_with_control = (key >= '0' && key <= '9') || key == VK_SPACE || key == VK_BACK ||
                                  key == VK_RETURN || key == VK_ESCAPE || key == VK_TAB;
  if (key >= 'A' && key <= 'Z' && control) ch = static_cast<char>(key - 'A' + 1);
  else if (control) ch = plain_with_control ? static_cast<char>(key) : 0;
  else ch = internal::KeyCharacter(key, shift);
  if (!ch) return FALSE;
  PostMessage(msg->hwnd, msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR,
              static_cast<WPARAM>(static_cast<unsigned char>(ch)), msg->lParam);
  return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP || msg->message == WM_SYSKEYDOWN ||
      msg->message == WM_SYSKEYUP) {
    TableLock lock(WindowTable::Get().mutex());
    internal::CurrentQueue().key_state[msg->wParam & 0xFF] = KeyIsDown(*msg) ? 0x80 : 0;
  }
  if (msg->message == WM_TIMER && msg->lParam) {
    if (msg->hwnd && !IsWindow(msg->hwnd)) return internal::RefuseHandle(), 0;
    reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, static_cast<UINT_PTR>(msg->wParam), msg->time);
    return 0;
  }
  if (!msg->hwnd) return 0;
  {
    internal::LockedWindow record(msg->hwnd);
    if (!record) return internal::RefuseHandle(), 0;
    // A window's messages run on its own thread only.
    if (!internal::IsOnCurrentThread(*record)) {
      SetLastError(ERROR_ACCESS_DENIED);
      return 0;
    }
  }
  if (msg->message == WM_PAINT) return internal::DispatchPaint(msg->hwnd);
  return internal::CallProc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc) {
  std::shared_ptr<ThreadQueue> queue;
  if (hwnd) {
    internal::LockedWindow record(hwnd);
    if (!record) return internal::RefuseHandle(), 0;
    if (!internal::IsOnCurrentThread(*record)) {
      SetLastError(ERROR_ACCESS_DENIED);
      return 0;
    }
    queue = record->queue;
  } else {
    queue = internal::CurrentQueuePtr();
  }
  return queue->SetTimer(hwnd, id, elapse_ms, proc, GetClock().NowMs());
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  if (hwnd && !IsWindow(hwnd)) return internal::RefuseHandle();
  return internal::CurrentQueue().KillTimer(hwnd, id) ? TRUE : FALSE;
}

BOOL RunNestedLoop(const std::function<bool()>& finished, HWND dialog) {
  MSG msg;
  while (!finished()) {
    const int got = GetMessage(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop ends too
      return FALSE;
    }
    if (got < 0) return FALSE;
    if (dialog && CallMsgFilter(&msg, MSGF_DIALOGBOX)) continue;
    if (dialog && IsWindow(dialog) && IsDialogMessage(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  return TRUE;
}

}  // namespace ui
