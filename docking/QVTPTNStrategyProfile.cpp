#include "docking/QVTPTNStrategyProfile.h"

#include <vector>

#include "platform/sys/IniProfileFunctions.h"

namespace docking {

namespace {

constexpr sys::DWORD kFirstBuffer = 512;

}  // namespace

std::string QVTPTNStrategyProfile::SectionName(const StringList& path) {
  std::string section;
  for (auto name = path.rbegin(); name != path.rend(); ++name) {
    if (!section.empty()) section += kPathSeparator;
    section += *name;
  }
  return section;
}

bool QVTPTNStrategyProfile::DeleteNodeData(const StringList& path) {
  const std::string section = SectionName(path);
  if (section.empty()) return false;
  return sys::WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, file_.c_str());
}

bool QVTPTNStrategyProfile::WriteValue(const StringList& path, const std::string& key, const std::string& value) {
  return sys::WritePrivateProfileStringA(SectionName(path).c_str(), key.c_str(), value.c_str(), file_.c_str());
}

bool QVTPTNStrategyProfile::WriteChildList(const StringList& path, const StringList& child_names) {
  bool ok = true;
  for (std::size_t n = 0; n < child_names.size(); ++n)
    ok = WriteValue(path, kChildPrefix + std::to_string(n + 1), child_names[n]) && ok;
  return ok;
}

// A list that does not fit comes back cut with size - 2: the buffer grows
// until it fits, so no key name is ever cut into a bogus one.
bool QVTPTNStrategyProfile::ReadKeyNames(const std::string& section, StringList& keys) const {
  keys.clear();
  if (section.empty()) return false;
  std::vector<char> buffer(kFirstBuffer);
  sys::DWORD length = 0;
  for (;;) {
    const auto size = static_cast<sys::DWORD>(buffer.size());
    length = sys::GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(), size, file_.c_str());
    if (length != size - 2) break;
    buffer.assign(buffer.size() * 2, '\0');
  }
  for (std::size_t start = 0; start < length && buffer[start] != '\0';) {
    keys.emplace_back(&buffer[start]);
    start += keys.back().size() + 1;
  }
  return !keys.empty();
}

// A value that does not fit comes back cut with size - 1 characters.
std::string QVTPTNStrategyProfile::ReadValue(const std::string& section, const std::string& key) const {
  std::vector<char> buffer(256);
  for (;;) {
    const auto size = static_cast<sys::DWORD>(buffer.size());
    const sys::DWORD length =
        sys::GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(), size, file_.c_str());
    if (length < size - 1) return std::string(buffer.data(), length);
    buffer.assign(buffer.size() * 2, '\0');
  }
}

bool QVTPTNStrategyProfile::ReadNode(const StringList& path, StringList& child_names, StringList& keys,
                                     StringList& values) {
  child_names.clear();
  keys.clear();
  values.clear();
  const std::string section = SectionName(path);
  StringList names;
  if (!ReadKeyNames(section, names)) return false;
  const std::string prefix = kChildPrefix;
  for (const std::string& name : names) {
    std::string value = ReadValue(section, name);
    if (name.compare(0, prefix.size(), prefix) == 0) {
      child_names.push_back(std::move(value));
    } else {
      keys.push_back(name);
      values.push_back(std::move(value));
    }
  }
  return true;
}

}  // namespace docking
