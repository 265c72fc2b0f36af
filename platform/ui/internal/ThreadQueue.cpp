#include "platform/ui/internal/ThreadQueue.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>

#include "platform/ui/Messages.h"
#include "platform/ui/internal/WindowTable.h"

namespace ui::internal {

namespace {

std::mutex& RegistryMutex() {
  static std::mutex mutex;
  return mutex;
}

std::map<DWORD, std::weak_ptr<ThreadQueue>>& Registry() {
  static std::map<DWORD, std::weak_ptr<ThreadQueue>> registry;
  return registry;
}

std::atomic<DWORD> next_thread_id{1};

// Owns the calling thread's queue and shuts it down when the thread ends,
// so that senders waiting on it are answered instead of hanging.
struct QueueHolder {
  std::shared_ptr<ThreadQueue> queue;
  ~QueueHolder() {
    if (!queue) return;
    queue->Shutdown();
    WindowTable::Get().RemoveThreadWindows(queue->thread_id());
    std::lock_guard lock(RegistryMutex());
    Registry().erase(queue->thread_id());
  }
};

thread_local QueueHolder holder;

constexpr UINT kMinimumElapse = 10;  // a 0 ms timer would starve the loop

}  // namespace

ThreadQueue::~ThreadQueue() { Shutdown(); }

bool ThreadQueue::alive() const {
  std::lock_guard lock(mutex_);
  return alive_;
}

void ThreadQueue::Shutdown() {
  std::deque<std::shared_ptr<SentMessage>> pending;
  {
    std::lock_guard lock(mutex_);
    alive_ = false;
    pending.swap(sent_);
    posted_.clear();
    raw_inputs_ = 0;
    timers_.clear();
  }
  for (const auto& sent : pending) Reply(sent, 0);
}

void ThreadQueue::Signal() {
  signalled_ = true;
  cv_.notify_all();
}

bool ThreadQueue::Post(const MSG& msg) {
  {
    std::lock_guard lock(mutex_);
    if (!alive_) return false;
    posted_.push_back(msg);
    if (msg.message == kRawInputMessage) ++raw_inputs_;
    Signal();
  }
  GetHost().Wake(*this);
  return true;
}

bool ThreadQueue::PushSent(const std::shared_ptr<SentMessage>& sent) {
  {
    std::lock_guard lock(mutex_);
    if (!alive_) return false;
    sent_.push_back(sent);
    Signal();
  }
  GetHost().Wake(*this);
  return true;
}

void ThreadQueue::PostQuit(int exit_code) {
  std::lock_guard lock(mutex_);
  quit_pending_ = true;
  quit_code_ = exit_code;
  Signal();
}

std::shared_ptr<SentMessage> ThreadQueue::TakeSent() {
  std::lock_guard lock(mutex_);
  if (sent_.empty()) return nullptr;
  auto sent = sent_.front();
  sent_.pop_front();
  return sent;
}

bool IsInputMessage(UINT message) {
  return (message >= 0x00A0 && message <= 0x00AD) ||  // non-client mouse
         (message >= 0x0100 && message <= 0x0109) ||  // keys
         (message >= 0x0200 && message <= 0x020E);    // client mouse
}

bool ThreadQueue::TakeRawInput(MSG& out, std::size_t& position) {
  std::lock_guard lock(mutex_);
  if (raw_inputs_ == 0) return false;  // the common case: no scan at all
  for (std::size_t i = 0; i < posted_.size(); ++i) {
    const UINT message = posted_[i].message;
    if (message == kRawInputMessage) {
      out = posted_[i];
      posted_.erase(posted_.begin() + static_cast<std::ptrdiff_t>(i));
      --raw_inputs_;
      position = i;
      return true;
    }
    if (IsInputMessage(message)) return false;
  }
  return false;
}

void ThreadQueue::InsertAt(std::size_t position, const std::vector<MSG>& messages) {
  if (messages.empty()) return;
  std::lock_guard lock(mutex_);
  if (!alive_) return;
  position = std::min(position, posted_.size());
  posted_.insert(posted_.begin() + static_cast<std::ptrdiff_t>(position), messages.begin(), messages.end());
  Signal();
}

bool ThreadQueue::TakePosted(MSG& out, const MessageFilter& filter, bool remove) {
  std::lock_guard lock(mutex_);
  for (auto it = posted_.begin(); it != posted_.end(); ++it) {
    if (it->message == kRawInputMessage || !filter(it->hwnd, it->message)) continue;
    out = *it;
    if (remove) posted_.erase(it);
    return true;
  }
  return false;
}

bool ThreadQueue::TakeQuit(MSG& out, bool remove) {
  std::lock_guard lock(mutex_);
  if (!quit_pending_) return false;
  out = MSG{};
  out.message = WM_QUIT;
  out.wParam = static_cast<WPARAM>(static_cast<std::int64_t>(quit_code_));
  if (remove) quit_pending_ = false;
  return true;
}

UINT_PTR ThreadQueue::SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc, std::int64_t now) {
  std::lock_guard lock(mutex_);
  elapse = std::clamp<UINT>(elapse, kMinimumElapse, 0x7FFFFFFF);
  if (!hwnd) {
    // Thread timers get an id of their own unless an existing one is reset.
    const bool exists = std::any_of(timers_.begin(), timers_.end(),
                                    [&](const TimerEntry& t) { return !t.hwnd && t.id == id && id; });
    if (!exists) id = next_thread_timer_id_++;
  }
  for (TimerEntry& timer : timers_) {
    if (timer.hwnd == hwnd && timer.id == id) {
      timer.elapse = elapse;
      timer.proc = proc;
      timer.due = now + elapse;
      return hwnd ? id : timer.id;
    }
  }
  timers_.push_back(TimerEntry{hwnd, id, elapse, proc, now + elapse, timer_order_++});
  Signal();
  return hwnd ? (id ? id : 1) : id;
}

bool ThreadQueue::KillTimer(HWND hwnd, UINT_PTR id) {
  std::lock_guard lock(mutex_);
  const auto it = std::find_if(timers_.begin(), timers_.end(),
                               [&](const TimerEntry& t) { return t.hwnd == hwnd && t.id == id; });
  if (it == timers_.end()) return false;
  timers_.erase(it);
  return true;
}

void ThreadQueue::KillTimersOf(HWND hwnd) {
  std::lock_guard lock(mutex_);
  std::erase_if(timers_, [&](const TimerEntry& t) { return t.hwnd == hwnd; });
  std::erase_if(posted_, [&](const MSG& m) { return m.hwnd == hwnd && m.message == WM_TIMER; });
}

bool ThreadQueue::TakeDueTimer(MSG& out, const MessageFilter& filter, std::int64_t now, bool remove) {
  std::lock_guard lock(mutex_);
  TimerEntry* best = nullptr;
  for (TimerEntry& timer : timers_) {
    if (timer.due > now || !filter(timer.hwnd, WM_TIMER)) continue;
    if (!best || timer.due < best->due || (timer.due == best->due && timer.order < best->order)) best = &timer;
  }
  if (!best) return false;
  out = MSG{};
  out.hwnd = best->hwnd;
  out.message = WM_TIMER;
  out.wParam = best->id;
  out.lParam = reinterpret_cast<LPARAM>(best->proc);
  out.time = static_cast<DWORD>(now);
  if (remove) {
    // A late loop gets one WM_TIMER, not a burst; on time, the period holds.
    best->due = best->due + best->elapse > now ? best->due + best->elapse : now + best->elapse;
  }
  return true;
}

std::int64_t ThreadQueue::NextTimerDue(const MessageFilter& filter) const {
  std::lock_guard lock(mutex_);
  std::int64_t next = -1;
  for (const TimerEntry& timer : timers_) {
    if (!filter(timer.hwnd, WM_TIMER)) continue;
    if (next < 0 || timer.due < next) next = timer.due;
  }
  return next;
}

void ThreadQueue::BeginScan() {
  std::lock_guard lock(mutex_);
  signalled_ = false;
}

bool ThreadQueue::WaitForSignal(std::int64_t real_timeout_ms) {
  std::unique_lock lock(mutex_);
  if (real_timeout_ms < 0) {
    cv_.wait(lock, [&] { return signalled_; });
    return true;
  }
  return cv_.wait_for(lock, std::chrono::milliseconds(real_timeout_ms), [&] { return signalled_; });
}

void ThreadQueue::Reply(const std::shared_ptr<SentMessage>& sent, LRESULT result) {
  ThreadQueue& sender = *sent->sender;
  std::lock_guard lock(sender.mutex_);
  if (sent->done) return;
  sent->result = result;
  sent->done = true;
  sender.cv_.notify_all();
}

bool ThreadQueue::WaitForReplyOrMail(const std::shared_ptr<SentMessage>& sent) {
  std::unique_lock lock(mutex_);
  cv_.wait(lock, [&] { return sent->done || !sent_.empty(); });
  return sent->done;
}

ThreadQueue& CurrentQueue() { return *CurrentQueuePtr(); }

std::shared_ptr<ThreadQueue> CurrentQueuePtr() {
  if (!holder.queue) {
    holder.queue = std::make_shared<ThreadQueue>(next_thread_id++);
    std::lock_guard lock(RegistryMutex());
    Registry()[holder.queue->thread_id()] = holder.queue;
  }
  return holder.queue;
}

std::shared_ptr<ThreadQueue> FindQueue(DWORD thread_id) {
  std::lock_guard lock(RegistryMutex());
  const auto it = Registry().find(thread_id);
  return it == Registry().end() ? nullptr : it->second.lock();
}

}  // namespace ui::internal
