#include "platform/sys/SettingsStoreTreeBuilder.h"

#include <algorithm>

namespace sys {

SettingsKey& SettingsTreeBuilder::Subkey(SettingsKey& parent, std::string_view name) {
  const auto it = index_.lower_bound(Entry{&parent, name});
  if (it != index_.end() && it->first.first == &parent && SameSettingsName(it->first.second, name))
    return *it->second;
  unsorted_.insert(&parent);
  parent.subkeys_.push_back(std::make_unique<SettingsKey>(std::string(name)));
  SettingsKey& added = *parent.subkeys_.back();
  index_.emplace_hint(it, Entry{&parent, added.Name()}, &added);
  return added;
}

void SettingsTreeBuilder::Finish() {
  for (SettingsKey* key : unsorted_) {
    std::sort(key->subkeys_.begin(), key->subkeys_.end(),
              [](const std::unique_ptr<SettingsKey>& a, const std::unique_ptr<SettingsKey>& b) {
                return CompareSettingsNames(a->Name(), b->Name()) < 0;
              });
  }
  unsorted_.clear();
}

}  // namespace sys
