#include "platform/ui/internal/WindowTable.h"

#include <algorithm>

namespace ui::internal {

WindowTable& WindowTable::Get() {
  static WindowTable table;
  return table;
}

HWND WindowTable::Add(std::shared_ptr<WindowRecord> record) {
  TableLock lock(mutex());
  WindowRecord* raw = record.get();
  const HWND hwnd = HandleTable::Get().Add<HWND>(HandleKind::kWindow, std::move(record));
  if (hwnd) raw->handle = hwnd;
  return hwnd;
}

void WindowTable::Remove(HWND hwnd) { HandleTable::Get().Remove(hwnd, HandleKind::kWindow); }

std::shared_ptr<WindowRecord> WindowTable::FindShared(HWND hwnd) {
  return HandleTable::Get().FindShared<WindowRecord>(hwnd, HandleKind::kWindow);
}

std::vector<HWND>& WindowTable::SiblingList(WindowRecord& record) {
  if (record.parent) {
    if (WindowRecord* parent = Find(record.parent)) return parent->children;
  }
  return top_levels_;
}

std::vector<HWND> WindowTable::AllWindows() {
  std::vector<HWND> all;
  for (void* handle : HandleTable::Get().HandlesOf(HandleKind::kWindow)) all.push_back(static_cast<HWND>(handle));
  return all;
}

void WindowTable::RemoveThreadWindows(DWORD thread_id) {
  TableLock lock(mutex());
  std::vector<HWND> ended;
  for (HWND hwnd : AllWindows())
    if (WindowRecord* record = Find(hwnd); record && record->thread_id == thread_id) ended.push_back(hwnd);
  for (HWND hwnd : ended) {
    if (WindowRecord* record = Find(hwnd)) std::erase(SiblingList(*record), hwnd);
  }
  for (HWND hwnd : ended) Remove(hwnd);
}

}  // namespace ui::internal
