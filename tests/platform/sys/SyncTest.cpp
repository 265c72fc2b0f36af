#include "platform/sys/CriticalSection.h"
#include "platform/sys/Event.h"
#include "platform/sys/SingleLock.h"
#include "platform/sys/Thread.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using sys::CEvent;

long ElapsedMs(Clock::time_point since) {
  return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

// Waits (bounded) until count reaches want; threads get there at their own pace.
bool Reaches(const std::atomic<int>& count, int want) {
  const auto deadline = Clock::now() + 5s;
  while (count.load() < want && Clock::now() < deadline) std::this_thread::sleep_for(1ms);
  return count.load() >= want;
}

TEST(CriticalSection, IsReentrantAndExcludesOtherThreads) {
  sys::CCriticalSection section;
  sys::CSingleLock outer(&section, true);
  sys::CSingleLock inner(&section, true);
  EXPECT_TRUE(outer.IsLocked());
  EXPECT_TRUE(inner.IsLocked());
  inner.Unlock();
  EXPECT_FALSE(inner.IsLocked());

  std::atomic<bool> got{false};
  std::thread other([&] {
    sys::CSingleLock lock(&section, true);
    got = true;
  });
  std::this_thread::sleep_for(30ms);
  EXPECT_FALSE(got.load()) << "another thread entered while the lock was held";
  outer.Unlock();
  other.join();
  EXPECT_TRUE(got.load());
}

// Threads that keep meeting on one lock, each entering it twice: a lost
// wake-up would hang the test, a broken exclusion would lose increments.
TEST(CriticalSection, ContendedThreadsAllGetInAndNoneOverlaps) {
  sys::CCriticalSection section;
  constexpr int kThreads = 4;
  constexpr int kRounds = 20000;
  long counter = 0;
  int inside = 0;
  std::atomic<int> overlaps{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < kRounds; ++i) {
        std::lock_guard<sys::CCriticalSection> outer(section);
        std::lock_guard<sys::CCriticalSection> inner(section);
        if (++inside != 1) ++overlaps;
        ++counter;
        --inside;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(counter, static_cast<long>(kThreads) * kRounds);
  EXPECT_EQ(overlaps.load(), 0);
  std::thread other([&] { EXPECT_TRUE(section.try_lock()); section.unlock(); });
  other.join();
}

// A stray release from a thread that does not hold the lock must neither
// open it to a third thread nor spoil the holder's count; a release of a
// free lock must not leave a count behind that keeps the next holder in.
TEST(CriticalSection, AReleaseByAThreadThatDoesNotHoldItIsRefused) {
  sys::CCriticalSection section;
  section.lock();
  section.lock();
  std::thread stray([&] {
    EXPECT_FALSE(section.Unlock());
    section.unlock();
    EXPECT_FALSE(section.try_lock()) << "the stray release let another thread in";
  });
  stray.join();
  section.unlock();
  section.unlock();
  EXPECT_FALSE(section.Unlock());
  std::atomic<bool> got{false};
  std::thread after([&] {
    got = section.try_lock();
    if (got) section.unlock();
  });
  after.join();
  EXPECT_TRUE(got.load()) << "the holder's two releases did not free it";
}

// A holder that takes the lock again at once after each release can keep a
// waiter out for as long as it runs; one that lets waiters in between its
// steps must not.
TEST(CriticalSection, AHolderThatLetsWaitersInBetweenStepsLetsThemIn) {
  sys::CCriticalSection section;
  std::atomic<bool> waiter_in{false};
  std::atomic<bool> holding{false};
  bool let_in = false;
  std::thread holder([&] {
    const auto until = Clock::now() + 10s;
    section.lock();
    holding = true;
    while (!waiter_in && Clock::now() < until) {
      if (section.MayHaveWaiters()) section.LetWaiterIn();
    }
    let_in = waiter_in;  // before the holder's own release
    section.unlock();
  });
  while (!holding) std::this_thread::yield();
  section.lock();
  waiter_in = true;
  section.unlock();
  holder.join();
  EXPECT_TRUE(let_in) << "the waiter got in only after the holder's run";
  // Held twice, the lock is never let go in between.
  section.lock();
  section.lock();
  std::atomic<bool> got{true};
  std::thread other([&] { got = section.try_lock(); });
  section.LetWaiterIn();
  other.join();
  EXPECT_FALSE(got.load());
  section.unlock();
  section.unlock();
}

TEST(SingleLock, ReleasesOnScopeExitAndLockingTwiceTakesOnce) {
  sys::CCriticalSection section;
  {
    sys::CSingleLock lock(&section);
    EXPECT_FALSE(lock.IsLocked());
    EXPECT_TRUE(lock.Lock());
    EXPECT_TRUE(lock.Lock());
  }
  // If the scope had left a count behind, another thread could not enter.
  std::atomic<bool> got{false};
  std::thread other([&] { got = section.try_lock(); if (got) section.unlock(); });
  other.join();
  EXPECT_TRUE(got.load());
  sys::CSingleLock none(nullptr, true);
  EXPECT_FALSE(none.IsLocked());
}

TEST(Event, WaitTimesOutAfterItsTime) {
  CEvent event;
  auto start = Clock::now();
  EXPECT_FALSE(event.Lock(0));
  EXPECT_LT(ElapsedMs(start), 1000) << "a zero time-out does not wait";
  start = Clock::now();
  EXPECT_FALSE(event.Lock(60));
  EXPECT_GE(ElapsedMs(start), 60);
  start = Clock::now();
  EXPECT_EQ(sys::WaitForAnyEvent({&event}, 40), sys::kWaitTimeout);
  EXPECT_GE(ElapsedMs(start), 40);
}

TEST(Event, AutoResetClearsOnTheWaitThatSeesIt) {
  CEvent initially(true, false);
  EXPECT_TRUE(initially.Lock(0));
  EXPECT_FALSE(initially.Lock(0));
  initially.SetEvent();
  initially.SetEvent();  // set while set: still one signal
  EXPECT_TRUE(initially.Lock(0));
  EXPECT_FALSE(initially.Lock(0));

  CEvent manual(true, true);
  EXPECT_TRUE(manual.Lock(0));
  EXPECT_TRUE(manual.Lock(0));
  manual.ResetEvent();
  EXPECT_FALSE(manual.Lock(0));
}

TEST(Event, AutoResetWakesOneWaiterPerSignal) {
  CEvent event;
  std::atomic<int> woken{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 3; ++i) waiters.emplace_back([&] { if (event.Lock(2000)) ++woken; });
  std::this_thread::sleep_for(50ms);
  event.SetEvent();
  ASSERT_TRUE(Reaches(woken, 1));
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(woken.load(), 1);
  event.SetEvent();
  ASSERT_TRUE(Reaches(woken, 2));
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(woken.load(), 2);
  event.SetEvent();
  for (auto& t : waiters) t.join();
  EXPECT_EQ(woken.load(), 3);
}

TEST(Event, ManualResetWakesEveryWaiter) {
  CEvent event(false, true);
  std::atomic<int> woken{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 4; ++i) waiters.emplace_back([&] { if (event.Lock(5000)) ++woken; });
  std::this_thread::sleep_for(30ms);
  event.SetEvent();
  for (auto& t : waiters) t.join();
  EXPECT_EQ(woken.load(), 4);
}

TEST(Event, PulseReleasesOnlyTheWaitersOfThatMoment) {
  for (bool manual : {false, true}) {
    CEvent event(false, manual);
    std::atomic<int> waiting{0};
    std::atomic<int> woken{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 2; ++i) waiters.emplace_back([&] { ++waiting; if (event.Lock(500)) ++woken; });
    ASSERT_TRUE(Reaches(waiting, 2));
    std::this_thread::sleep_for(30ms);
    event.PulseEvent();
    for (auto& t : waiters) t.join();
    EXPECT_EQ(woken.load(), manual ? 2 : 1) << (manual ? "manual" : "auto");
    EXPECT_FALSE(event.Lock(0)) << "a pulse leaves the event clear";
  }
  CEvent nobody;
  nobody.PulseEvent();
  EXPECT_FALSE(nobody.Lock(0)) << "a pulse with no waiter is lost";
}

TEST(Event, WaitAnyAnswersTheEventThatFired) {
  CEvent queue, stop;
  std::thread signaller([&] {
    std::this_thread::sleep_for(30ms);
    stop.SetEvent();
  });
  const auto start = Clock::now();
  EXPECT_EQ(sys::WaitForAnyEvent({&queue, &stop}, 2000), 1);
  EXPECT_LT(ElapsedMs(start), 1500);
  signaller.join();
  EXPECT_FALSE(stop.Lock(0)) << "wait-any took the auto-reset signal";

  // Both set: the lowest index is answered and only it is taken.
  queue.SetEvent();
  stop.SetEvent();
  EXPECT_EQ(sys::WaitForAnyEvent({&queue, &stop}, 0), 0);
  EXPECT_EQ(sys::WaitForAnyEvent({&queue, &stop}, 0), 1);
  EXPECT_EQ(sys::WaitForAnyEvent({&queue, &stop}, 0), sys::kWaitTimeout);
  EXPECT_EQ(sys::WaitForAnyEvent({}, sys::kInfinite), sys::kWaitTimeout) << "an empty list never returns otherwise";
}

TEST(Thread, ReportsStillActiveUntilTheBodyReturns) {
  sys::Thread thread;
  sys::DWORD code = 0;
  EXPECT_FALSE(thread.GetExitCode(code));
  CEvent release;
  ASSERT_TRUE(thread.Start([&] { release.Lock(); return sys::DWORD{7}; }));
  EXPECT_FALSE(thread.Start([] { return sys::DWORD{0}; })) << "a second body while running";
  ASSERT_TRUE(thread.GetExitCode(code));
  EXPECT_EQ(code, sys::Thread::kStillActive);
  EXPECT_TRUE(thread.IsRunning());
  release.SetEvent();
  EXPECT_TRUE(thread.Join());
  ASSERT_TRUE(thread.GetExitCode(code));
  EXPECT_EQ(code, 7u);
  EXPECT_FALSE(thread.IsRunning());
  ASSERT_TRUE(thread.Start([] { return sys::DWORD{3}; }));
  thread.Join();
  thread.GetExitCode(code);
  EXPECT_EQ(code, 3u);
}

TEST(Thread, BodyCannotJoinItselfAndMayDeleteItsOwnObject) {
  auto* thread = new sys::Thread;
  std::atomic<int> self_join{-1};
  CEvent done(false, true);
  ASSERT_TRUE(thread->Start([&] {
    self_join = thread->Join() ? 1 : 0;
    delete thread;
    done.SetEvent();
    return sys::DWORD{0};
  }));
  ASSERT_TRUE(done.Lock(5000));
  EXPECT_EQ(self_join.load(), 0);
}

}  // namespace
