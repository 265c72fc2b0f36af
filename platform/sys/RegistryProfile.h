// The application's profile on the settings store, where the application
// framework keeps it: HKEY_CURRENT_USER\Software\<company>\<application>\<section>.
// Integers are dwords, strings are strings, binary values are bytes; a value
// of another type than asked for reads as absent, so the caller's default
// holds (never its raw bytes taken for a number or a text).
#pragma once

#include <string>
#include <vector>

#include "platform/sys/Profile.h"
#include "platform/sys/SettingsStore.h"

namespace sys {

class RegistryProfile : public Profile {
 public:
  RegistryProfile(std::string company, std::string application, SettingsStore& store = SettingsStore::Default());

  int GetInt(const std::string& section, const std::string& key, int default_value) override;
  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& default_value) override;
  bool GetBinary(const std::string& section, const std::string& key, std::vector<unsigned char>& value) override;
  bool WriteInt(const std::string& section, const std::string& key, int value) override;
  bool WriteString(const std::string& section, const std::string& key, const std::string& value) override;
  bool WriteBinary(const std::string& section, const std::string& key,
                   const std::vector<unsigned char>& value) override;
  bool DeleteSection(const std::string& section) override;

  // The section's key below HKEY_CURRENT_USER.
  std::string SectionPath(const std::string& section) const;

 private:
  // The value's type and bytes; false when the section or the value is missing.
  bool Read(const std::string& section, const std::string& key, DWORD& type, std::string& bytes);
  bool Write(const std::string& section, const std::string& key, DWORD type, const std::string& bytes);

  std::string company_;
  std::string application_;
  SettingsStore& store_;
};

}  // namespace sys
