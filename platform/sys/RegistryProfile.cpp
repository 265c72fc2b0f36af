#include "platform/sys/RegistryProfile.h"

namespace sys {

namespace {

// Closes a key handle of the store when it goes out of scope.
class ScopedKey {
 public:
  explicit ScopedKey(SettingsStore& store) : store_(store) {}
  ~ScopedKey() {
    if (key_) store_.CloseKey(key_);
  }
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  HKEY* Out() { return &key_; }
  HKEY Get() const { return key_; }

 private:
  SettingsStore& store_;
  HKEY key_ = nullptr;
};

}  // namespace

RegistryProfile::RegistryProfile(std::string company, std::string application, SettingsStore& store)
    : company_(std::move(company)), application_(std::move(application)), store_(store) {}

std::string RegistryProfile::SectionPath(const std::string& section) const {
  return "Software\\" + company_ + "\\" + application_ + "\\" + section;
}

bool RegistryProfile::Read(const std::string& section, const std::string& key, DWORD& type, std::string& bytes) {
  ScopedKey opened(store_);
  if (store_.OpenKey(HKEY_CURRENT_USER, SectionPath(section).c_str(), KEY_READ, opened.Out()) != ERROR_SUCCESS)
    return false;
  // The size first, then the bytes; a value rewritten in between is read again.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD size = 0;
    if (store_.QueryValue(opened.Get(), key.c_str(), &type, nullptr, &size) != ERROR_SUCCESS) return false;
    bytes.resize(size);
    const LONG result =
        store_.QueryValue(opened.Get(), key.c_str(), &type, reinterpret_cast<BYTE*>(bytes.data()), &size);
    if (result == ERROR_SUCCESS) {
      bytes.resize(size);
      return true;
    }
    if (result != ERROR_MORE_DATA) return false;
  }
  return false;
}

bool RegistryProfile::Write(const std::string& section, const std::string& key, DWORD type,
                            const std::string& bytes) {
  ScopedKey created(store_);
  DWORD disposition = 0;
  if (store_.CreateKey(HKEY_CURRENT_USER, SectionPath(section).c_str(), KEY_WRITE | KEY_QUERY_VALUE,
                       created.Out(), &disposition) != ERROR_SUCCESS)
    return false;
  return store_.SetValue(created.Get(), key.c_str(), type, reinterpret_cast<const BYTE*>(bytes.data()),
                         static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

int RegistryProfile::GetInt(const std::string& section, const std::string& key, int default_value) {
  DWORD type = 0;
  std::string bytes;
  if (!Read(section, key, type, bytes) || type != REG_DWORD || bytes.size() != sizeof(DWORD)) return default_value;
  DWORD number = 0;  // dwords are stored little-endian
  for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(bytes[i]);
  return static_cast<int>(number);
}

std::string RegistryProfile::GetString(const std::string& section, const std::string& key,
                                       const std::string& default_value) {
  DWORD type = 0;
  std::string bytes;
  if (!Read(section, key, type, bytes) || (type != REG_SZ && type != REG_EXPAND_SZ)) return default_value;
  // The text ends at its terminating zero, whether or not the writer stored one.
  const std::size_t end = bytes.find('\0');
  if (end != std::string::npos) bytes.resize(end);
  return bytes;
}

bool RegistryProfile::GetBinary(const std::string& section, const std::string& key,
                                std::vector<unsigned char>& value) {
  DWORD type = 0;
  std::string bytes;
  if (!Read(section, key, type, bytes) || type != REG_BINARY) return false;
  value.assign(bytes.begin(), bytes.end());
  return true;
}

bool RegistryProfile::WriteInt(const std::string& section, const std::string& key, int value) {
  const auto number = static_cast<DWORD>(value);
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>(number >> (8 * i) & 0xFF));
  return Write(section, key, REG_DWORD, bytes);
}

bool RegistryProfile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  // Stored with its terminating zero, as every reader of strings expects.
  return Write(section, key, REG_SZ, std::string(value.c_str(), value.size() + 1));
}

bool RegistryProfile::WriteBinary(const std::string& section, const std::string& key,
                                  const std::vector<unsigned char>& value) {
  return Write(section, key, REG_BINARY, std::string(value.begin(), value.end()));
}

bool RegistryProfile::DeleteSection(const std::string& section) {
  ScopedKey application(store_);
  const std::string application_path = "Software\\" + company_ + "\\" + application_;
  const LONG opened = store_.OpenKey(HKEY_CURRENT_USER, application_path.c_str(), KEY_WRITE, application.Out());
  if (opened == ERROR_FILE_NOT_FOUND) return true;
  if (opened != ERROR_SUCCESS) return false;
  const LONG deleted = store_.DeleteKey(application.Get(), section.c_str());
  return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

}  // namespace sys
