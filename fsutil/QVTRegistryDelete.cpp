#include "fsutil/QVTRegistry.h"

#include "platform/sys/SettingsStoreApi.h"

using namespace sys;

// The key to delete is always the one subKey names from the root. Taking it
// first as relative to the open key would delete a different key whenever
// the open key happens to hold a subkey of the same name.
bool QVTRegistry::DeleteKey(const char* subKey, bool recursive) {
  if (!subKey) return Store(ERROR_INVALID_PARAMETER);
  std::string path = subKey;
  NormalizeRegistryPath(path, true);
  NormalizeRegistryPath(path, false);
  if (recursive && path.empty() && RegistryRootFromName(root_name_))
    return Store(ERROR_INVALID_PARAMETER);  // a root is never emptied

  // A second object on the same root does the walking, so this one keeps
  // its own open key (unless that key is among the deleted).
  QVTRegistry helper;
  if (!helper.Connect(RegistryRootFromName(root_name_), remote_ ? computer_name_.c_str() : nullptr, true))
    return Store(helper.GetLastResult());
  if (!helper.Open(path.c_str(), KEY_ALL_ACCESS)) return Store(helper.GetLastResult());

  if (recursive) {
    std::string child;
    while (helper.EnumKey(0, child)) {
      if (!helper.DeleteKey(JoinRegistryPath(path, child).c_str(), true)) return Store(helper.GetLastResult());
    }
  }

  const std::size_t split = path.rfind('\\');
  const std::string parent = split == std::string::npos ? std::string() : path.substr(0, split);
  const std::string leaf = split == std::string::npos ? path : path.substr(split + 1);
  if (!helper.Open(parent.c_str(), KEY_ALL_ACCESS)) return Store(helper.GetLastResult());
  const LONG result = RegDeleteKeyA(helper.GetCurrentKey(), leaf.c_str());
  if (result == ERROR_SUCCESS && !current_key_path_.empty() && !helper.Open(current_key_path_.c_str(), KEY_READ)) {
    // Our own key went with the deleted tree: stand on its parent instead.
    Open(parent.c_str(), KEY_ALL_ACCESS);
  }
  return Store(result);
}
