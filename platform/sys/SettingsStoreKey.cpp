#include "platform/sys/SettingsStoreKey.h"

#include <algorithm>

namespace sys {

namespace {
unsigned char Fold(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}
}  // namespace

int CompareSettingsNames(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char x = Fold(a[i]);
    const unsigned char y = Fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SameSettingsName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareSettingsNames(a, b) == 0;
}

std::vector<std::unique_ptr<SettingsKey>>::iterator SettingsKey::LowerBound(std::string_view name) {
  return std::lower_bound(subkeys_.begin(), subkeys_.end(), name,
                          [](const std::unique_ptr<SettingsKey>& key, std::string_view wanted) {
                            return CompareSettingsNames(key->Name(), wanted) < 0;
                          });
}

SettingsKey* SettingsKey::FindSubkey(std::string_view name) {
  const auto it = LowerBound(name);
  return it != subkeys_.end() && SameSettingsName((*it)->Name(), name) ? it->get() : nullptr;
}

const SettingsKey* SettingsKey::FindSubkey(std::string_view name) const {
  return const_cast<SettingsKey*>(this)->FindSubkey(name);
}

SettingsKey& SettingsKey::AddSubkey(std::string_view name, bool* created) {
  auto it = LowerBound(name);
  const bool exists = it != subkeys_.end() && SameSettingsName((*it)->Name(), name);
  if (created) *created = !exists;
  if (exists) return **it;
  it = subkeys_.insert(it, std::make_unique<SettingsKey>(std::string(name)));
  return **it;
}

bool SettingsKey::RemoveSubkey(std::string_view name) {
  const auto it = LowerBound(name);
  if (it == subkeys_.end() || !SameSettingsName((*it)->Name(), name)) return false;
  subkeys_.erase(it);
  return true;
}

const SettingsValue* SettingsKey::FindValue(std::string_view name) const {
  const auto it = value_index_.find(name);
  return it == value_index_.end() ? nullptr : &values_[it->second];
}

void SettingsKey::SetValue(std::string_view name, DWORD type, std::string data) {
  const auto it = value_index_.lower_bound(name);
  if (it != value_index_.end() && SameSettingsName(it->first, name)) {
    SettingsValue& value = values_[it->second];
    value.type = type;
    value.data = std::move(data);
    return;
  }
  value_index_.emplace_hint(it, std::string(name), values_.size());
  values_.push_back(SettingsValue{std::string(name), type, std::move(data)});
}

bool SettingsKey::RemoveValue(std::string_view name) {
  const auto it = value_index_.find(name);
  if (it == value_index_.end()) return false;
  const std::size_t removed = it->second;
  value_index_.erase(it);
  values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(removed));
  // The values after it moved up one place; so must their index entries.
  for (auto& entry : value_index_)
    if (entry.second > removed) --entry.second;
  return true;
}

std::unique_ptr<SettingsKey> SettingsKey::Clone() const {
  auto copy = std::make_unique<SettingsKey>(name_);
  copy->values_ = values_;
  copy->value_index_ = value_index_;
  copy->subkeys_.reserve(subkeys_.size());
  for (const auto& subkey : subkeys_) copy->subkeys_.push_back(subkey->Clone());
  return copy;
}

}  // namespace sys
