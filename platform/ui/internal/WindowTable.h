// The table of live windows. A handle carries a slot and a generation, so a
// handle of a destroyed window, or a value that was never a handle, is
// refused instead of reaching another window.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "platform/ui/internal/WindowRecord.h"

namespace ui::internal {

class WindowTable {
 public:
  static WindowTable& Get();

  // Guards the table and every record's fields. Never held while a window
  // procedure runs.
  std::recursive_mutex& mutex() { return mutex_; }

  HWND Add(std::shared_ptr<WindowRecord> record);
  void Remove(HWND hwnd);
  // The live record of `hwnd`, or null; caller holds mutex().
  WindowRecord* Find(HWND hwnd);
  std::shared_ptr<WindowRecord> FindShared(HWND hwnd);

  // Top-level windows in z-order, top first; caller holds mutex().
  std::vector<HWND>& top_levels() { return top_levels_; }
  // The z-ordered list a window lives in; caller holds mutex().
  std::vector<HWND>& SiblingList(WindowRecord& record);
  // Every live window, for scans such as pending paints.
  std::vector<HWND> AllWindows();
  // Drops the windows of a thread that has ended: nothing can run their
  // procedures any more, so their handles become stale at once.
  void RemoveThreadWindows(DWORD thread_id);

 private:
  struct Slot {
    std::uint32_t generation = 0;
    std::shared_ptr<WindowRecord> record;
  };
  std::recursive_mutex mutex_;
  std::vector<Slot> slots_;
  std::vector<std::uint32_t> free_slots_;
  std::vector<HWND> top_levels_;
};

// Shorthands under the table lock.
using TableLock = std::lock_guard<std::recursive_mutex>;

}  // namespace ui::internal
