// A node tree in the settings store: one key per node below the base
// path, named by the node names from the root down; values are strings,
// children are subkeys.
#pragma once

#include "docking/QVTPTNStrategy.h"
#include "platform/sys/SettingsStoreTypes.h"

namespace docking {

class QVTPTNStrategyRegistry : public QVTPTNStrategy {
 public:
  QVTPTNStrategyRegistry(std::string base_path, sys::HKEY root);

  bool DeleteNodeData(const StringList& path) override;
  bool WriteValue(const StringList& path, const std::string& key, const std::string& value) override;
  bool WriteChildList(const StringList& path, const StringList& child_names) override;
  bool ReadNode(const StringList& path, StringList& child_names, StringList& keys, StringList& values) override;
  std::string ComposePath(const StringList& path) const;

 private:
  std::string base_path_;
  sys::HKEY root_;
};

}  // namespace docking
