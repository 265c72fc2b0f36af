#include "platform/sys/IniProfileFunctions.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/sys/IniFile.h"

namespace sys {

namespace {

DWORD CopyList(const std::vector<std::string>& names, char* buffer, DWORD size) {
  if (size < 2) {
    if (size == 1) buffer[0] = '\0';
    return 0;
  }
  DWORD at = 0;
  for (const std::string& name : names) {
    if (at + name.size() + 2 > size) {
      // Cut: what fits of this name, then the two zeros.
      const DWORD room = at < size - 2 ? size - 2 - at : 0;
      std::memcpy(buffer + at, name.data(), room);
      buffer[size - 2] = buffer[size - 1] = '\0';
      return size - 2;
    }
    std::memcpy(buffer + at, name.data(), name.size());
    at += static_cast<DWORD>(name.size());
    buffer[at++] = '\0';
  }
  buffer[at] = '\0';
  return at;
}

DWORD CopyText(std::string text, char* buffer, DWORD size) {
  if (size == 0) return 0;
  if (text.size() > size - 1) text.resize(size - 1);
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  return static_cast<DWORD>(text.size());
}

}  // namespace

DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* default_value, char* buffer,
                               DWORD size, const char* file) {
  if (!buffer || size == 0) return 0;
  IniFile ini(file ? file : "");
  if (!section) return CopyList(file ? ini.SectionNames() : std::vector<std::string>{}, buffer, size);
  if (!key) return CopyList(file ? ini.KeyNames(section) : std::vector<std::string>{}, buffer, size);
  std::optional<std::string> value = file ? ini.GetString(section, key) : std::nullopt;
  if (!value) {
    std::string fallback = default_value ? default_value : "";
    while (!fallback.empty() && fallback.back() == ' ') fallback.pop_back();
    value = fallback;
  }
  return CopyText(*value, buffer, size);
}

UINT GetPrivateProfileIntA(const char* section, const char* key, int default_value, const char* file) {
  if (!section || !key || !file) return static_cast<UINT>(default_value);
  const std::optional<std::string> value = IniFile(file).GetString(section, key);
  if (!value || value->empty()) return static_cast<UINT>(default_value);
  return static_cast<UINT>(std::strtol(value->c_str(), nullptr, 10));
}

bool WritePrivateProfileStringA(const char* section, const char* key, const char* value, const char* file) {
  if (!section || !file) return false;
  IniFile ini(file);
  if (!key) return ini.DeleteSection(section);
  if (!value) return ini.DeleteKey(section, key);
  return ini.WriteString(section, key, value);
}

}  // namespace sys
