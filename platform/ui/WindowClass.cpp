// The class registry. Class names compare without case, as Win32's do.
#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>

#include "platform/ui/Dialog.h"
#include "platform/ui/Window.h"
#include "platform/ui/internal/StandardClasses.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui {

namespace {

std::string Fold(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

struct ClassRegistry {
  std::mutex mutex;
  std::map<std::string, internal::ClassInfo> classes;

  ClassRegistry() {
    Add("Static", internal::StaticProc);
    Add("Button", internal::ButtonProc);
    Add("Edit", internal::EditProc);
    Add("ListBox", internal::ListBoxProc);
    Add("msctls_progress32", internal::ProgressProc);
    Add(internal::kDialogClassName, DefDlgProc);
  }
  void Add(const char* name, WNDPROC proc) { classes[Fold(name)] = internal::ClassInfo{name, CS_DBLCLKS, proc}; }
};

ClassRegistry& Registry() {
  static ClassRegistry registry;
  return registry;
}

}  // namespace

namespace internal {
bool FindClass(const std::string& name, ClassInfo& out) {
  ClassRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  const auto it = registry.classes.find(Fold(name));
  if (it == registry.classes.end()) return false;
  out = it->second;
  return true;
}
}  // namespace internal

BOOL RegisterClass(const WNDCLASS& wc) {
  if (!wc.lpszClassName || !*wc.lpszClassName || !wc.lpfnWndProc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  ClassRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  const std::string key = Fold(wc.lpszClassName);
  if (registry.classes.count(key)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return FALSE;
  }
  registry.classes[key] = internal::ClassInfo{wc.lpszClassName, wc.style, wc.lpfnWndProc};
  return TRUE;
}

BOOL UnregisterClass(const char* class_name) {
  if (!class_name) return FALSE;
  ClassRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  return registry.classes.erase(Fold(class_name)) ? TRUE : FALSE;
}

BOOL GetClassInfo(const char* class_name, WNDCLASS* out) {
  internal::ClassInfo info;
  if (!class_name || !out || !internal::FindClass(class_name, info)) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return FALSE;
  }
  out->style = info.style;
  out->lpfnWndProc = info.proc;
  out->lpszClassName = class_name;
  return TRUE;
}

std::string GetClassName(HWND hwnd) {
  internal::TableLock lock(internal::WindowTable::Get().mutex());
  internal::WindowRecord* record = internal::WindowTable::Get().Find(hwnd);
  if (!record) {
    internal::RefuseHandle();
    return {};
  }
  return record->class_name;
}

}  // namespace ui
