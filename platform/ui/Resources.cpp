#include "platform/ui/Resources.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"

namespace ui {

namespace {

// Entries are kept behind pointers so that what callers hold stays valid
// when another resource is registered.
struct ResourceTables {
  std::mutex mutex;
  std::map<UINT, std::unique_ptr<DialogTemplate>> dialogs;
  std::map<UINT, std::string> strings;
  std::map<UINT, std::unique_ptr<std::vector<MenuItemTemplate>>> menus;
  std::map<UINT, std::unique_ptr<std::vector<ACCEL>>> accelerators;
};

ResourceTables& Tables() {
  static ResourceTables tables;
  return tables;
}

template <typename T>
void Store(std::map<UINT, std::unique_ptr<T>>& map, UINT id, T value) {
  auto& slot = map[id];
  if (slot) *slot = std::move(value);
  else slot = std::make_unique<T>(std::move(value));
}

const std::vector<ACCEL>* FindTable(HACCEL accel) {
  ResourceTables& tables = Tables();
  std::lock_guard lock(tables.mutex);
  for (const auto& [id, table] : tables.accelerators)
    if (reinterpret_cast<HACCEL>(table.get()) == accel) return table.get();
  return nullptr;
}

bool ModifiersMatch(BYTE flags) {
  const bool shift = GetKeyState(static_cast<int>(VK_SHIFT)) < 0;
  const bool control = GetKeyState(static_cast<int>(VK_CONTROL)) < 0;
  const bool alt = GetKeyState(0x12) < 0;  // VK_MENU
  return shift == ((flags & FSHIFT) != 0) && control == ((flags & FCONTROL) != 0) && alt == ((flags & FALT) != 0);
}

}  // namespace

void RegisterDialogResource(UINT id, DialogTemplate dialog) {
  std::lock_guard lock(Tables().mutex);
  Store(Tables().dialogs, id, std::move(dialog));
}

void RegisterStringResource(UINT id, std::string text) {
  std::lock_guard lock(Tables().mutex);
  Tables().strings[id] = std::move(text);
}

void RegisterMenuResource(UINT id, std::vector<MenuItemTemplate> items) {
  std::lock_guard lock(Tables().mutex);
  Store(Tables().menus, id, std::move(items));
}

void RegisterAcceleratorResource(UINT id, std::vector<ACCEL> table) {
  std::lock_guard lock(Tables().mutex);
  Store(Tables().accelerators, id, std::move(table));
}

const DialogTemplate* FindDialogResource(UINT id) {
  std::lock_guard lock(Tables().mutex);
  const auto it = Tables().dialogs.find(id);
  return it == Tables().dialogs.end() ? nullptr : it->second.get();
}

const std::vector<MenuItemTemplate>* FindMenuResource(UINT id) {
  std::lock_guard lock(Tables().mutex);
  const auto it = Tables().menus.find(id);
  return it == Tables().menus.end() ? nullptr : it->second.get();
}

bool LoadStringResource(UINT id, std::string& out) {
  std::lock_guard lock(Tables().mutex);
  const auto it = Tables().strings.find(id);
  if (it == Tables().strings.end()) return false;
  out = it->second;
  return true;
}

int LoadString(UINT id, char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  std::string text;
  if (!LoadStringResource(id, text)) {
    buffer[0] = '\0';
    return 0;
  }
  const std::size_t count = std::min<std::size_t>(text.size(), static_cast<std::size_t>(size) - 1);
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return static_cast<int>(count);
}

HACCEL LoadAccelerators(UINT id) {
  std::lock_guard lock(Tables().mutex);
  const auto it = Tables().accelerators.find(id);
  return it == Tables().accelerators.end() ? nullptr : reinterpret_cast<HACCEL>(it->second.get());
}

int TranslateAccelerator(HWND hwnd, HACCEL accel, const MSG* msg) {
  const std::vector<ACCEL>* table = FindTable(accel);
  if (!table || !msg || !IsWindow(hwnd)) return 0;
  const bool key_down = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
  const bool character = msg->message == WM_CHAR;
  if (!key_down && !character) return 0;
  for (const ACCEL& entry : *table) {
    const bool virtual_key = (entry.fVirt & FVIRTKEY) != 0;
    if (virtual_key != key_down || entry.key != msg->wParam) continue;
    if (virtual_key && !ModifiersMatch(entry.fVirt)) continue;
    SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
    return 1;
  }
  return 0;
}

}  // namespace ui
