// Tells ThreadSanitizer about a lock built on atomics, so that a TSan build
// still sees it as a mutex: without this it sees only the atomics, finds no
// race through them, and can no longer report two locks taken in opposite
// orders (a potential deadlock) or a lock released by a thread that does not
// hold it. In every other build these are empty and cost nothing.
#pragma once

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace sys::lock_annotations {

#if defined(__SANITIZE_THREAD__)

constexpr unsigned kReentrant = __tsan_mutex_write_reentrant;
constexpr unsigned kTry = __tsan_mutex_try_lock;
constexpr unsigned kTryFailed = __tsan_mutex_try_lock_failed;

inline void Created(void* lock) { __tsan_mutex_create(lock, kReentrant); }
inline void Destroyed(void* lock) { __tsan_mutex_destroy(lock, 0); }
inline void BeforeLock(void* lock, unsigned flags) { __tsan_mutex_pre_lock(lock, kReentrant | flags); }
inline void AfterLock(void* lock, unsigned flags) { __tsan_mutex_post_lock(lock, kReentrant | flags, 0); }
inline void BeforeUnlock(void* lock) { __tsan_mutex_pre_unlock(lock, 0); }
inline void AfterUnlock(void* lock) { __tsan_mutex_post_unlock(lock, 0); }

#else

constexpr unsigned kReentrant = 0;
constexpr unsigned kTry = 0;
constexpr unsigned kTryFailed = 0;

inline void Created(void*) {}
inline void Destroyed(void*) {}
inline void BeforeLock(void*, unsigned) {}
inline void AfterLock(void*, unsigned) {}
inline void BeforeUnlock(void*) {}
inline void AfterUnlock(void*) {}

#endif

}  // namespace sys::lock_annotations
