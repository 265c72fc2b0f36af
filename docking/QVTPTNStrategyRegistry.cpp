#include "docking/QVTPTNStrategyRegistry.h"

#include "fsutil/QVTRegistry.h"

namespace docking {

QVTPTNStrategyRegistry::QVTPTNStrategyRegistry(std::string base_path, sys::HKEY root)
    : base_path_(std::move(base_path)), root_(root) {
  if (base_path_.empty() || base_path_.back() != '\\') base_path_ += '\\';
}

std::string QVTPTNStrategyRegistry::ComposePath(const StringList& path) const {
  std::string key = base_path_;
  for (auto name = path.rbegin(); name != path.rend(); ++name) key += *name + "\\";
  return key;
}

// A node never saved before, or a child whose key went with its parent's,
// has nothing to delete: that is success, not failure.
bool QVTPTNStrategyRegistry::DeleteNodeData(const StringList& path) {
  const std::string key = ComposePath(path);
  QVTRegistry registry;
  if (!registry.Connect(root_)) return false;
  if (!registry.Open(key.c_str(), sys::KEY_ALL_ACCESS)) return registry.GetLastResult() == sys::ERROR_FILE_NOT_FOUND;
  registry.Close();
  if (!registry.Connect(root_)) return false;
  return registry.DeleteKey(key.c_str(), true);
}

bool QVTPTNStrategyRegistry::WriteValue(const StringList& path, const std::string& key, const std::string& value) {
  const std::string node_key = ComposePath(path);
  QVTRegistry registry;
  return registry.Connect(root_) && registry.Create(node_key.c_str()) && registry.Open(node_key.c_str()) &&
         registry.SetStringValue(key.c_str(), value);
}

bool QVTPTNStrategyRegistry::WriteChildList(const StringList&, const StringList&) { return true; }

bool QVTPTNStrategyRegistry::ReadNode(const StringList& path, StringList& child_names, StringList& keys,
                                      StringList& values) {
  child_names.clear();
  keys.clear();
  values.clear();
  const std::string node_key = ComposePath(path);
  QVTRegistry registry;
  if (!registry.Connect(root_) || !registry.Open(node_key.c_str(), sys::KEY_READ)) return false;
  std::string name;
  for (sys::DWORD index = 0; registry.EnumKey(index, name); ++index) child_names.push_back(name);
  sys::DWORD type = 0;
  for (sys::DWORD index = 0; registry.EnumValue(index, name, &type); ++index) {
    std::string value;
    if (!registry.GetStringValue(name.c_str(), value)) continue;
    keys.push_back(name);
    values.push_back(std::move(value));
  }
  return true;
}

}  // namespace docking
