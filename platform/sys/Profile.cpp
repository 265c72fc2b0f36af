#include "platform/sys/Profile.h"

#include <cctype>

namespace sys {

std::string MemoryProfile::Fold(const std::string& section, const std::string& key) {
  std::string folded = section + '\n' + key;
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

const MemoryProfile::Value* MemoryProfile::Find(const std::string& section, const std::string& key) const {
  const auto it = values_.find(Fold(section, key));
  return it == values_.end() ? nullptr : &it->second;
}

int MemoryProfile::GetInt(const std::string& section, const std::string& key, int default_value) {
  const Value* value = Find(section, key);
  return value && value->is_int ? value->number : default_value;
}

std::string MemoryProfile::GetString(const std::string& section, const std::string& key,
                                     const std::string& default_value) {
  const Value* value = Find(section, key);
  return value && !value->is_int ? value->text : default_value;
}

bool MemoryProfile::GetBinary(const std::string& section, const std::string& key,
                              std::vector<unsigned char>& bytes) {
  const Value* value = Find(section, key);
  if (!value || value->is_int) return false;
  bytes.assign(value->text.begin(), value->text.end());
  return true;
}

bool MemoryProfile::WriteInt(const std::string& section, const std::string& key, int number) {
  values_[Fold(section, key)] = Value{true, number, {}};
  return true;
}

bool MemoryProfile::WriteString(const std::string& section, const std::string& key, const std::string& text) {
  values_[Fold(section, key)] = Value{false, 0, text};
  return true;
}

bool MemoryProfile::WriteBinary(const std::string& section, const std::string& key,
                                const std::vector<unsigned char>& bytes) {
  values_[Fold(section, key)] = Value{false, 0, std::string(bytes.begin(), bytes.end())};
  return true;
}

bool MemoryProfile::DeleteSection(const std::string& section) {
  const std::string prefix = Fold(section, "");
  auto it = values_.lower_bound(prefix);
  while (it != values_.end() && it->first.compare(0, prefix.size(), prefix) == 0) it = values_.erase(it);
  return true;
}

std::vector<std::string> MemoryProfile::KeyNames(const std::string& section) const {
  const std::string prefix = Fold(section, "");
  std::vector<std::string> names;
  for (auto it = values_.lower_bound(prefix);
       it != values_.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it)
    names.push_back(it->first.substr(prefix.size()));
  return names;
}

namespace {
Profile* g_installed = nullptr;
}

Profile& AppProfile() {
  static MemoryProfile built_in;
  return g_installed ? *g_installed : built_in;
}

void SetAppProfile(Profile* profile) { g_installed = profile; }

}  // namespace sys
