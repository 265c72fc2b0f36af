#include "fsutil/QVTRegistry.h"

#include <unistd.h>

#include "platform/sys/SettingsStoreApi.h"

using namespace sys;

namespace {

// The local computer's name, as a 260-character buffer would hold it.
std::string LocalComputerName() {
  char name[260] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

CTime TimeFromFileTime(const FILETIME& time) {
  const std::uint64_t ticks = std::uint64_t{time.dwHighDateTime} << 32 | time.dwLowDateTime;
  constexpr std::uint64_t kTicksTo1970 = 116444736000000000ULL;
  return ticks <= kTicksTo1970 ? CTime() : CTime(static_cast<std::time_t>((ticks - kTicksTo1970) / 10000000));
}

}  // namespace

QVTRegistry::QVTRegistry() { Reset(); }

QVTRegistry::~QVTRegistry() { Close(); }

bool QVTRegistry::Store(LONG result) {
  last_result_ = result;
  return result == ERROR_SUCCESS;
}

bool QVTRegistry::Reset() {
  last_result_ = ERROR_SUCCESS;
  current_key_ = nullptr;
  root_key_ = nullptr;
  longest_subkey_name_ = longest_class_name_ = longest_value_name_ = longest_value_data_ = 0;
  security_descriptor_size_ = 0;
  last_write_file_time_ = {};
  class_name_.clear();
  computer_name_.clear();
  current_key_path_.clear();
  root_name_.clear();
  subkey_count_ = value_count_ = 0;
  last_write_time_ = CTime();
  remote_ = false;
  close_root_ = true;
  return true;
}

void QVTRegistry::CloseCurrentKey() {
  if (current_key_ && current_key_ != root_key_) RegCloseKey(current_key_);
  current_key_ = nullptr;
}

bool QVTRegistry::Close() {
  LONG result = ERROR_SUCCESS;
  if (current_key_ && current_key_ != root_key_) result = RegCloseKey(current_key_);
  if (close_root_ && root_key_) {
    const LONG root_result = RegCloseKey(root_key_);
    if (result == ERROR_SUCCESS) result = root_result;
  }
  Reset();
  return Store(result);
}

bool QVTRegistry::Connect(HKEY root, const char* computer, bool closeRoot) {
  const bool previous_close_root = close_root_;
  Close();
  const bool remote = computer && *computer;
  HKEY connected = nullptr;
  LONG result = ERROR_SUCCESS;
  if (root == HKEY_CLASSES_ROOT || root == HKEY_CURRENT_USER) {
    // These two exist only on the computer the program runs on.
    connected = root;
    if (remote) result = ERROR_INVALID_HANDLE;
  } else {
    result = RegConnectRegistryA(remote ? computer : nullptr, root, &connected);
  }
  if (result != ERROR_SUCCESS) {
    close_root_ = previous_close_root;
    return Store(result);
  }
  close_root_ = closeRoot;
  root_key_ = connected;
  current_key_ = connected;
  remote_ = remote;
  computer_name_ = remote ? std::string(computer) : LocalComputerName();
  RegistryRootName(root, root_name_);
  return Store(ERROR_SUCCESS);
}

bool QVTRegistry::Open(const char* subKey, REGSAM access) {
  if (!subKey) return Store(ERROR_INVALID_PARAMETER);
  if (!root_key_) {
    root_key_ = HKEY_CLASSES_ROOT;
    RegistryRootName(root_key_, root_name_);
  }
  CloseCurrentKey();
  std::string path = subKey;
  NormalizeRegistryPath(path, false);
  HKEY opened = nullptr;
  const LONG result = RegOpenKeyExA(root_key_, path.c_str(), 0, access, &opened);
  if (result != ERROR_SUCCESS) return Store(result);
  current_key_ = opened;
  current_key_path_ = subKey;
  QueryInfo();
  return Store(result);
}

bool QVTRegistry::Create(const char* subKey, const char* keyClass, DWORD options, REGSAM access,
                         const void* security, DWORD* disposition) {
  if (!subKey) return Store(ERROR_INVALID_PARAMETER);
  std::string path = subKey;
  NormalizeRegistryPath(path, false);
  CloseCurrentKey();
  HKEY created = nullptr;
  DWORD outcome = 0;
  const LONG result = RegCreateKeyExA(root_key_, path.c_str(), 0, keyClass ? keyClass : "", options, access,
                                      security, &created, &outcome);
  if (result != ERROR_SUCCESS) return Store(result);
  current_key_ = created;
  current_key_path_ = subKey;
  if (disposition) *disposition = outcome;
  return Store(result);
}

bool QVTRegistry::QueryInfo() {
  char key_class[2048] = {};
  DWORD class_size = sizeof key_class - 1;
  const LONG result = RegQueryInfoKeyA(current_key_, key_class, &class_size, nullptr, &subkey_count_,
                                       &longest_subkey_name_, &longest_class_name_, &value_count_,
                                       &longest_value_name_, &longest_value_data_, &security_descriptor_size_,
                                       &last_write_file_time_);
  if (result == ERROR_SUCCESS) {
    class_name_ = key_class;
    last_write_time_ = TimeFromFileTime(last_write_file_time_);
  }
  return Store(result);
}

bool QVTRegistry::Flush() { return Store(RegFlushKey(current_key_)); }

bool QVTRegistry::QueryValue(const char* name, DWORD* type, BYTE* data, DWORD* size) {
  return Store(RegQueryValueExA(current_key_, name, nullptr, type, data, size));
}

bool QVTRegistry::DeleteValue(const char* name) { return Store(RegDeleteValueA(current_key_, name)); }

bool QVTRegistry::SetValue(const char* name, DWORD type, const BYTE* data, DWORD size) {
  if (!name || !data) return Store(ERROR_INVALID_PARAMETER);
  return Store(RegSetValueExA(current_key_, name, 0, type, data, size));
}
