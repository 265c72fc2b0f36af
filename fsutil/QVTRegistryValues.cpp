#include "fsutil/QVTRegistry.h"

#include <new>

#include "platform/sys/SettingsStoreApi.h"

using namespace sys;

// Every getter asks the store for the value's size first and reads into a
// buffer of that size, so a read never depends on an earlier QueryInfo and
// never cuts a long value; texts read back always end where the value ends.
bool QVTRegistry::ReadValue(const char* name, DWORD wanted, DWORD alternative, std::string& bytes) {
  bytes.clear();
  if (!name) return Store(ERROR_INVALID_PARAMETER);
  try {
    // A value rewritten between the two calls just goes round again.
    for (int attempt = 0; attempt < 4; ++attempt) {
      DWORD type = 0;
      DWORD size = 0;
      LONG result = RegQueryValueExA(current_key_, name, nullptr, &type, nullptr, &size);
      if (result != ERROR_SUCCESS) return Store(result);
      if (type != wanted && type != alternative) return Store(ERROR_INVALID_DATA);
      bytes.assign(size, '\0');
      result = RegQueryValueExA(current_key_, name, nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size);
      if (result == ERROR_MORE_DATA) continue;
      if (result == ERROR_SUCCESS && type != wanted && type != alternative) result = ERROR_INVALID_DATA;
      bytes.resize(result == ERROR_SUCCESS ? size : 0);
      return Store(result);
    }
  } catch (const std::bad_alloc&) {
    bytes.clear();
    return Store(ERROR_NOT_ENOUGH_MEMORY);
  }
  return Store(ERROR_MORE_DATA);
}

bool QVTRegistry::GetBinaryValue(const char* name, ByteArray& data) {
  std::string bytes;
  if (!ReadValue(name, REG_BINARY, REG_BINARY, bytes)) return false;
  data.assign(bytes.begin(), bytes.end());
  return true;
}

bool QVTRegistry::GetDWordValue(const char* name, DWORD* value) {
  if (!value) return Store(ERROR_INVALID_PARAMETER);
  std::string bytes;
  if (!ReadValue(name, REG_DWORD, REG_DWORD, bytes)) return false;
  if (bytes.size() != 4) return Store(ERROR_INVALID_DATA);
  DWORD number = 0;  // stored little-endian
  for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(bytes[i]);
  *value = number;
  return true;
}

bool QVTRegistry::GetStringValue(const char* name, std::string& value) {
  value.clear();
  std::string bytes;
  if (!ReadValue(name, REG_SZ, REG_EXPAND_SZ, bytes)) return false;
  const std::size_t end = bytes.find('\0');
  if (end != std::string::npos) bytes.resize(end);
  value = std::move(bytes);
  return true;
}

bool QVTRegistry::GetMultiStringValue(const char* name, StringList& values) {
  values.clear();
  std::string bytes;
  if (!ReadValue(name, REG_MULTI_SZ, REG_MULTI_SZ, bytes)) return false;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\0', start);
    if (end == std::string::npos) end = bytes.size();  // a last string without its zero still counts
    if (end == start) break;                           // the empty string that ends the list
    values.push_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  return true;
}

bool QVTRegistry::GetValue(const char* name, std::string& value) {
  if (!name) return Store(ERROR_INVALID_PARAMETER);
  return GetStringValue(name, value);
}

bool QVTRegistry::GetValue(const char* name, StringList& values) {
  if (!name) return Store(ERROR_INVALID_PARAMETER);
  return GetMultiStringValue(name, values);
}

bool QVTRegistry::GetValue(const char* name, DWORD* value) {
  if (!name) return Store(ERROR_INVALID_PARAMETER);
  return GetDWordValue(name, value);
}

bool QVTRegistry::GetValue(const char* name, ByteArray& data) {
  if (!name) return Store(ERROR_INVALID_PARAMETER);
  return GetBinaryValue(name, data);
}

bool QVTRegistry::SetBinaryValue(const char* name, const ByteArray& data) {
  // An empty array still has somewhere to point, so it is written as an empty value.
  static const BYTE kNothing = 0;
  return SetValue(name, REG_BINARY, data.empty() ? &kNothing : data.data(), static_cast<DWORD>(data.size()));
}

bool QVTRegistry::SetDWordValue(const char* name, DWORD value) {
  BYTE bytes[4];
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<BYTE>(value >> (8 * i) & 0xFF);
  return SetValue(name, REG_DWORD, bytes, 4);
}

bool QVTRegistry::SetStringValue(const char* name, const std::string& value) {
  return SetValue(name, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(value.size() + 1));
}

bool QVTRegistry::SetMultiStringValue(const char* name, const StringList& values) {
  std::size_t total = 1;
  for (const std::string& value : values) {
    if (value.empty()) return Store(ERROR_INVALID_PARAMETER);
    total += value.size() + 1;
  }
  std::string buffer(total, '\0');
  std::size_t at = 0;
  for (const std::string& value : values) {
    buffer.replace(at, value.size(), value);
    at += value.size() + 1;
  }
  return SetValue(name, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(buffer.data()), static_cast<DWORD>(total));
}

bool QVTRegistry::SetValue(const char* name, const std::string& value) {
  if (!name) return Store(ERROR_INVALID_PARAMETER);
  return SetStringValue(name, value);
}

bool QVTRegistry::SetValue(const char* name, const StringList& values) {
  if (!name) return Store(ERROR_INVALID_PARAMETER);
  return SetMultiStringValue(name, values);
}

bool QVTRegistry::SetValue(const char* name, DWORD value) {
  if (!name) return Store(ERROR_INVALID_PARAMETER);
  return SetDWordValue(name, value);
}

bool QVTRegistry::SetValue(const char* name, const ByteArray& data) {
  if (!name) return Store(ERROR_INVALID_PARAMETER);
  return SetBinaryValue(name, data);
}
