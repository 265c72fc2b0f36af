// Creation and destruction of windows.
#include <algorithm>

#include "platform/ui/CreationHook.h"
#include "platform/ui/Host.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/BackBuffer.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui {

using internal::TableLock;
using internal::WindowRecord;
using internal::WindowTable;

namespace {

thread_local CreationHook creation_hook = nullptr;

constexpr int kDefaultLeft = 40;
constexpr int kDefaultTop = 40;
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

// The top-level window that owns what `hwnd` belongs to.
HWND RootOf(HWND hwnd) {
  WindowTable& table = WindowTable::Get();
  WindowRecord* record = table.Find(hwnd);
  while (record && record->parent) {
    hwnd = record->parent;
    record = table.Find(hwnd);
  }
  return record ? hwnd : nullptr;
}

RECT InitialRect(const WindowRecord* parent, int x, int y, int width, int height) {
  // CW_USEDEFAULT in x (or width) stands for both coordinates (or sizes).
  if (x == CW_USEDEFAULT) {
    x = parent ? 0 : kDefaultLeft;
    y = parent ? 0 : kDefaultTop;
  }
  if (width == CW_USEDEFAULT) {
    width = parent ? 0 : kDefaultWidth;
    height = parent ? 0 : kDefaultHeight;
  }
  width = std::max(width, 0);
  height = std::max(height, 0);
  const int left = x + (parent ? parent->client.left : 0);
  const int top = y + (parent ? parent->client.top : 0);
  return RECT{left, top, left + width, top + height};
}

// Creates the record and links it into the tree; null when refused.
HWND AddRecord(DWORD ex_style, const internal::ClassInfo& info, const char* window_name, DWORD style, int x,
               int y, int width, int height, HWND parent, HMENU menu_or_id) {
  WindowTable& table = WindowTable::Get();
  TableLock lock(table.mutex());
  auto record = std::make_shared<WindowRecord>();
  WindowRecord* parent_record = nullptr;
  if (style & WS_CHILD) {
    parent_record = table.Find(parent);
    if (!parent_record) return internal::RefuseHandle(), nullptr;
    record->parent = parent;
    record->id = reinterpret_cast<UINT_PTR>(menu_or_id);
  } else if (parent) {
    record->owner = RootOf(parent);
    if (!record->owner) return internal::RefuseHandle(), nullptr;
  }
  record->class_name = info.name;
  record->class_style = info.style;
  record->proc = info.proc;
  record->background = info.background;
  record->cursor = info.cursor;
  record->style = style & ~WS_VISIBLE;
  record->ex_style = ex_style;
  record->text = window_name ? window_name : "";
  record->rect = InitialRect(parent_record, x, y, width, height);
  record->client = record->rect;  // until WM_NCCALCSIZE says otherwise
  record->queue = internal::CurrentQueuePtr();
  record->thread_id = record->queue->thread_id();
  WindowRecord* raw = record.get();
  const HWND hwnd = table.Add(std::move(record));
  if (!hwnd) return nullptr;
  // Children stack below their older siblings (template order is tab
  // order); a new top-level window comes to the top.
  std::vector<HWND>& siblings = table.SiblingList(*raw);
  if (parent_record) siblings.push_back(hwnd);
  else siblings.insert(siblings.begin(), hwnd);
  return hwnd;
}

void Unlink(HWND hwnd) {
  WindowTable& table = WindowTable::Get();
  TableLock lock(table.mutex());
  WindowRecord* record = table.Find(hwnd);
  if (!record) return;
  std::erase(table.SiblingList(*record), hwnd);
  if (internal::ThreadQueue* queue = record->queue.get()) {
    if (queue->focus == hwnd) queue->focus = nullptr;
    if (queue->active == hwnd) queue->active = nullptr;
    if (queue->capture == hwnd) queue->capture = nullptr;
  }
  table.Remove(hwnd);
}

std::vector<HWND> ChildrenOf(HWND hwnd) {
  internal::LockedWindow record(hwnd);
  return record ? record->children : std::vector<HWND>{};
}

std::vector<HWND> OwnedBy(HWND hwnd) {
  TableLock lock(WindowTable::Get().mutex());
  std::vector<HWND> owned;
  for (HWND top : WindowTable::Get().top_levels()) {
    WindowRecord* record = WindowTable::Get().Find(top);
    if (record && record->owner == hwnd) owned.push_back(top);
  }
  return owned;
}

// WM_DESTROY goes to a window before its children; WM_NCDESTROY after.
void DestroyTree(HWND hwnd) {
  std::shared_ptr<internal::ThreadQueue> queue;
  {
    internal::LockedWindow record(hwnd);
    if (!record) return;
    record->destroying = true;
    record->style &= ~WS_VISIBLE;
    queue = record->queue;
  }
  queue->KillTimersOf(hwnd);
  internal::CallProc(hwnd, WM_DESTROY, 0, 0);
  for (HWND child : ChildrenOf(hwnd)) DestroyTree(child);
  internal::CallProc(hwnd, WM_NCDESTROY, 0, 0);
  internal::NotifyDestroyed(hwnd);
  Unlink(hwnd);
}

}  // namespace

CreationHook SetCreationHook(CreationHook hook) {
  CreationHook previous = creation_hook;
  creation_hook = hook;
  return previous;
}

CreationHook GetCreationHook() { return creation_hook; }

HWND CreateWindowEx(DWORD ex_style, const char* class_name, const char* window_name, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu_or_id, void* param) {
  internal::ClassInfo info;
  if (!class_name || !internal::FindClass(class_name, info)) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  internal::InstallThemeListener();
  const HWND hwnd = AddRecord(ex_style, info, window_name, style, x, y, width, height, parent, menu_or_id);
  if (!hwnd) return nullptr;

  CREATESTRUCT create;
  create.lpCreateParams = param;
  create.hMenu = menu_or_id;
  create.hwndParent = parent;
  create.x = x;
  create.y = y;
  create.cx = width;
  create.cy = height;
  create.style = static_cast<LONG>(style);
  create.lpszName = window_name;
  create.lpszClass = class_name;
  create.dwExStyle = ex_style;
  if (creation_hook) creation_hook(hwnd, create);

  if (!internal::CallProc(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
    DestroyTree(hwnd);
    return nullptr;
  }
  // A top-level window's menu is part of its frame from the start.
  if (!(style & WS_CHILD) && menu_or_id && IsMenu(menu_or_id)) internal::AttachMenu(hwnd, menu_or_id);
  internal::UpdateClient(hwnd);
  if (internal::CallProc(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    DestroyTree(hwnd);
    return nullptr;
  }
  RECT client;
  GetClientRect(hwnd, &client);
  internal::CallProc(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  if (HWND owner_parent = (style & WS_CHILD) ? parent : nullptr) ScreenToClient(owner_parent, &origin);
  internal::CallProc(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<unsigned>(origin.x), static_cast<unsigned>(origin.y)));
  if ((style & WS_VISIBLE) && IsWindow(hwnd)) ShowWindow(hwnd, SW_SHOW);
  return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
  {
    internal::LockedWindow record(hwnd);
    if (!record) return internal::RefuseHandle();
    if (!internal::IsOnCurrentThread(*record)) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    if (record->destroying) return FALSE;
  }
  for (HWND owned : OwnedBy(hwnd)) DestroyWindow(owned);
  DestroyTree(hwnd);
  return TRUE;
}

BOOL IsWindow(HWND hwnd) {
  TableLock lock(WindowTable::Get().mutex());
  return WindowTable::Get().Find(hwnd) ? TRUE : FALSE;
}

}  // namespace ui
