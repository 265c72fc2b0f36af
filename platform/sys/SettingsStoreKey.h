// One key of the settings tree: its values in the order they were first
// written and its subkeys in name order. Names compare without regard to
// (ASCII) case and keep the case they were first written with.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sys/Types.h"

namespace sys {

struct SettingsValue {
  std::string name;
  DWORD type = 0;
  std::string data;  // the value's bytes exactly as written
};

// Case-insensitive comparison of key and value names.
bool SameSettingsName(std::string_view a, std::string_view b);
int CompareSettingsNames(std::string_view a, std::string_view b);

// Orders names as CompareSettingsNames does; transparent, so a lookup by
// string_view needs no copy of the name.
struct SettingsNameLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return CompareSettingsNames(a, b) < 0; }
};

class SettingsKey {
 public:
  explicit SettingsKey(std::string name = {}) : name_(std::move(name)) {}

  const std::string& Name() const { return name_; }

  SettingsKey* FindSubkey(std::string_view name);
  const SettingsKey* FindSubkey(std::string_view name) const;
  // The existing subkey of that name, else a new one.
  SettingsKey& AddSubkey(std::string_view name, bool* created = nullptr);
  bool RemoveSubkey(std::string_view name);
  const std::vector<std::unique_ptr<SettingsKey>>& Subkeys() const { return subkeys_; }

  const SettingsValue* FindValue(std::string_view name) const;
  void SetValue(std::string_view name, DWORD type, std::string data);
  bool RemoveValue(std::string_view name);
  const std::vector<SettingsValue>& Values() const { return values_; }

  std::unique_ptr<SettingsKey> Clone() const;

 private:
  // Fills a tree's subkeys out of order while reading a file, and orders them after.
  friend class SettingsTreeBuilder;

  std::vector<std::unique_ptr<SettingsKey>>::iterator LowerBound(std::string_view name);

  std::string name_;
  std::vector<SettingsValue> values_;
  // Where each value lies in values_, by name: a key read with many values
  // finds each one without looking through all those before it.
  std::map<std::string, std::size_t, SettingsNameLess> value_index_;
  std::vector<std::unique_ptr<SettingsKey>> subkeys_;  // sorted by CompareSettingsNames
};

}  // namespace sys
