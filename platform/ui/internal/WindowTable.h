// The live windows: their records in the handle table, and the z-ordered
// list of top-level windows.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "platform/ui/internal/HandleTable.h"
#include "platform/ui/internal/WindowRecord.h"

namespace ui::internal {

class WindowTable {
 public:
  static WindowTable& Get();

  // The handle table's lock: guards every record's fields. Never held
  // while a window procedure runs.
  std::recursive_mutex& mutex() { return HandleTable::Get().mutex(); }

  HWND Add(std::shared_ptr<WindowRecord> record);
  void Remove(HWND hwnd);
  // The live record of `hwnd`, or null; caller holds mutex().
  WindowRecord* Find(HWND hwnd) { return HandleTable::Get().Find<WindowRecord>(hwnd, HandleKind::kWindow); }
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
  std::vector<HWND> top_levels_;
};

// Finds and locks a window record for the length of one call, so a call
// reads `LockedWindow window(hwnd); if (!window) return Refuse...;`.
class LockedWindow {
 public:
  explicit LockedWindow(HWND hwnd) : lock_(WindowTable::Get().mutex()), record_(WindowTable::Get().Find(hwnd)) {}
  LockedWindow(const LockedWindow&) = delete;
  LockedWindow& operator=(const LockedWindow&) = delete;

  explicit operator bool() const { return record_ != nullptr; }
  WindowRecord* get() const { return record_; }
  WindowRecord* operator->() const { return record_; }
  WindowRecord& operator*() const { return *record_; }

 private:
  std::lock_guard<std::recursive_mutex> lock_;
  WindowRecord* record_;
};

}  // namespace ui::internal
