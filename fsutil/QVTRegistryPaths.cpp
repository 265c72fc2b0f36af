#include "fsutil/QVTRegistry.h"

using namespace sys;

namespace {

struct RootName {
  HKEY key;
  const char* name;
};

const RootName kRootNames[] = {
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},   {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"}, {HKEY_USERS, "HKEY_USERS"},
    {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"}, {HKEY_DYN_DATA, "HKEY_DYN_DATA"},
};

}  // namespace

bool RegistryRootName(HKEY root, std::string& name) {
  for (const RootName& entry : kRootNames) {
    if (entry.key == root) {
      name = entry.name;
      return true;
    }
  }
  return false;
}

HKEY RegistryRootFromName(const std::string& name) {
  for (const RootName& entry : kRootNames)
    if (name == entry.name) return entry.key;
  return nullptr;
}

void NormalizeRegistryPath(std::string& path, bool stripLeading) {
  if (!path.empty() && path.back() == '\\') path.pop_back();
  if (stripLeading && !path.empty() && path.front() == '\\') path.erase(0, 1);
}

std::string JoinRegistryPath(const std::string& first, const std::string& second) {
  std::string head = first;
  if (!head.empty() && head.back() == '\\') head.pop_back();
  std::string tail = second;
  NormalizeRegistryPath(tail, true);
  return head + "\\" + tail;
}
