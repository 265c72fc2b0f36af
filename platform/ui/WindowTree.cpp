// Parent, owner, children and z-order.
#include <algorithm>

#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui {

using internal::TableLock;
using internal::WindowRecord;
using internal::WindowTable;

namespace {

// The desktop is a fixed handle value that no table slot can produce.
const HWND kDesktop = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0xB700000000FFFFFFull));

HWND Neighbour(const std::vector<HWND>& list, HWND hwnd, int step) {
  const auto it = std::find(list.begin(), list.end(), hwnd);
  if (it == list.end()) return nullptr;
  const auto index = (it - list.begin()) + step;
  if (index < 0 || index >= static_cast<std::ptrdiff_t>(list.size())) return nullptr;
  return list[static_cast<std::size_t>(index)];
}

}  // namespace

HWND GetDesktopWindow() { return kDesktop; }

HWND GetParent(HWND hwnd) {
  internal::LockedWindow record(hwnd);
  if (!record) return internal::RefuseHandle(), nullptr;
  return (record->style & WS_CHILD) ? record->parent : record->owner;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
  WindowTable& table = WindowTable::Get();
  TableLock lock(table.mutex());
  WindowRecord* record = table.Find(hwnd);
  if (!record) return internal::RefuseHandle(), nullptr;
  if (flags == GA_PARENT) return record->parent ? record->parent : kDesktop;
  while (record->parent) {
    hwnd = record->parent;
    record = table.Find(hwnd);
  }
  if (flags == GA_ROOTOWNER) {
    while (record->owner) {
      hwnd = record->owner;
      record = table.Find(hwnd);
      if (!record) break;
    }
  }
  return hwnd;
}

HWND SetParent(HWND hwnd, HWND new_parent) {
  WindowTable& table = WindowTable::Get();
  TableLock lock(table.mutex());
  WindowRecord* record = table.Find(hwnd);
  if (!record) return internal::RefuseHandle(), nullptr;
  if (new_parent == kDesktop) new_parent = nullptr;
  WindowRecord* parent = new_parent ? table.Find(new_parent) : nullptr;
  if (new_parent && !parent) return internal::RefuseHandle(), nullptr;
  // A window cannot become its own descendant.
  for (HWND up = new_parent; up; up = table.Find(up)->parent) {
    if (up == hwnd) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
  }
  const HWND old_parent = record->parent ? record->parent : kDesktop;
  std::erase(table.SiblingList(*record), hwnd);
  record->parent = new_parent;
  if (new_parent) {
    record->style = (record->style | WS_CHILD) & ~WS_POPUP;
  } else {
    record->style &= ~WS_CHILD;
  }
  table.SiblingList(*record).insert(table.SiblingList(*record).begin(), hwnd);
  return old_parent;
}

HWND GetWindow(HWND hwnd, UINT relation) {
  WindowTable& table = WindowTable::Get();
  TableLock lock(table.mutex());
  WindowRecord* record = table.Find(hwnd);
  if (!record) return internal::RefuseHandle(), nullptr;
  const std::vector<HWND>& siblings = table.SiblingList(*record);
  switch (relation) {
    case GW_HWNDFIRST: return siblings.empty() ? nullptr : siblings.front();
    case GW_HWNDLAST: return siblings.empty() ? nullptr : siblings.back();
    case GW_HWNDNEXT: return Neighbour(siblings, hwnd, 1);
    case GW_HWNDPREV: return Neighbour(siblings, hwnd, -1);
    case GW_OWNER: return record->owner;
    case GW_CHILD: return record->children.empty() ? nullptr : record->children.front();
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
  }
}

HWND GetTopWindow(HWND hwnd) {
  if (!hwnd || hwnd == kDesktop) {
    TableLock lock(WindowTable::Get().mutex());
    const auto& tops = WindowTable::Get().top_levels();
    return tops.empty() ? nullptr : tops.front();
  }
  return GetWindow(hwnd, GW_CHILD);
}

BOOL IsChild(HWND parent, HWND hwnd) {
  WindowTable& table = WindowTable::Get();
  TableLock lock(table.mutex());
  WindowRecord* record = table.Find(hwnd);
  while (record && record->parent) {
    if (record->parent == parent) return TRUE;
    record = table.Find(record->parent);
  }
  return FALSE;
}

BOOL BringWindowToTop(HWND hwnd) { return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

namespace internal {

// Moves `hwnd` in its sibling list; `after` is a sibling or HWND_TOP/BOTTOM.
bool Restack(HWND hwnd, HWND after) {
  WindowTable& table = WindowTable::Get();
  TableLock lock(table.mutex());
  WindowRecord* record = table.Find(hwnd);
  if (!record) return RefuseHandle();
  std::vector<HWND>& siblings = table.SiblingList(*record);
  if (after != HWND_TOP && after != HWND_BOTTOM && after != HWND_TOPMOST && after != HWND_NOTOPMOST &&
      std::find(siblings.begin(), siblings.end(), after) == siblings.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  std::erase(siblings, hwnd);
  if (after == HWND_BOTTOM) {
    siblings.push_back(hwnd);
  } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
    if (after == HWND_TOPMOST) record->ex_style |= WS_EX_TOPMOST;
    if (after == HWND_NOTOPMOST) record->ex_style &= ~WS_EX_TOPMOST;
    siblings.insert(siblings.begin(), hwnd);
  } else {
    siblings.insert(std::find(siblings.begin(), siblings.end(), after) + 1, hwnd);
  }
  return true;
}

}  // namespace internal

}  // namespace ui
