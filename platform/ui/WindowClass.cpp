// The class registry. Class names compare without case, as Win32's do.
#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>

#include "platform/ui/Dialog.h"
#include "platform/ui/SystemMetrics.h"
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
    Add("ComboBox", internal::ComboBoxProc);
    // A combo box's dropped list: a list box as a popup.
    Add("ComboLBox", internal::ListBoxProc);
    Add("ScrollBar", internal::ScrollBarProc);
    Add("msctls_statusbar32", internal::StatusBarProc);
    Add("msctls_progress32", internal::ProgressProc);
    Add("tooltips_class32", internal::TooltipProc);
    Add(internal::kDialogClassName, DefDlgProc, SysColorBrushValue(COLOR_3DFACE));
    Add("MDICLIENT", internal::MDIClientProc);
    Add("SysTabControl32", internal::TabControlProc);
    Add("ToolbarWindow32", internal::ToolbarProc);
    Add("ReBarWindow32", internal::RebarProc);
  }
  void Add(const char* name, WNDPROC proc, HBRUSH background = nullptr) {
    classes[Fold(name)] = internal::ClassInfo{name, CS_DBLCLKS, proc, background, nullptr};
  }
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
  registry.classes[key] = internal::ClassInfo{wc.lpszClassName, wc.style, wc.lpfnWndProc, wc.hbrBackground, wc.hCursor};
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
  out->hbrBackground = info.background;
  out->hCursor = info.cursor;
  return TRUE;
}

std::string GetClassName(HWND hwnd) {
  internal::LockedWindow record(hwnd);
  if (!record) {
    internal::RefuseHandle();
    return {};
  }
  return record->class_name;
}

namespace {

std::mutex& MessageNamesMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

UINT RegisterWindowMessage(const char* name) {
  if (!name || !*name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  // Names compare without case; numbers run from 0xC000 up, never reused.
  static std::map<std::string, UINT> numbers;
  std::lock_guard lock(MessageNamesMutex());
  const std::string key = Fold(name);
  const auto it = numbers.find(key);
  if (it != numbers.end()) return it->second;
  const UINT number = 0xC000 + static_cast<UINT>(numbers.size());
  if (number > 0xFFFF) return 0;
  numbers.emplace(key, number);
  return number;
}

}  // namespace ui
