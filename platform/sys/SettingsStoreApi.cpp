#include "platform/sys/SettingsStoreApi.h"

#include "platform/sys/SettingsStore.h"

namespace sys {

namespace {

SettingsStore& Store() { return SettingsStore::Default(); }

// Classes are not kept, so every class reads back as the empty text.
LONG EmptyClass(char* key_class, DWORD* class_size) {
  if (!key_class || !class_size) return ERROR_SUCCESS;
  if (*class_size < 1) return ERROR_MORE_DATA;
  key_class[0] = '\0';
  *class_size = 0;
  return ERROR_SUCCESS;
}

template <typename T>
void Put(T* out, T value) {
  if (out) *out = value;
}

}  // namespace

LONG RegOpenKeyExA(HKEY key, const char* sub_key, DWORD, REGSAM access, HKEY* result) {
  return Store().OpenKey(key, sub_key, access, result);
}

LONG RegCreateKeyExA(HKEY key, const char* sub_key, DWORD, const char*, DWORD, REGSAM access, const void*,
                     HKEY* result, DWORD* disposition) {
  if (!sub_key) return ERROR_INVALID_PARAMETER;
  return Store().CreateKey(key, sub_key, access, result, disposition);
}

LONG RegCloseKey(HKEY key) { return Store().CloseKey(key); }

LONG RegConnectRegistryA(const char* computer, HKEY key, HKEY* result) {
  if (computer && *computer) return ERROR_BAD_NETPATH;
  return Store().ConnectRoot(key, result);
}

LONG RegQueryValueExA(HKEY key, const char* name, DWORD*, DWORD* type, BYTE* data, DWORD* size) {
  return Store().QueryValue(key, name, type, data, size);
}

LONG RegSetValueExA(HKEY key, const char* name, DWORD, DWORD type, const BYTE* data, DWORD size) {
  return Store().SetValue(key, name, type, data, size);
}

LONG RegDeleteValueA(HKEY key, const char* name) { return Store().DeleteValue(key, name); }

LONG RegDeleteKeyA(HKEY key, const char* sub_key) { return Store().DeleteKey(key, sub_key); }

LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* name_size, DWORD*, char* key_class,
                   DWORD* class_size, FILETIME* last_write) {
  const LONG result = Store().EnumKey(key, index, name, name_size);
  if (result != ERROR_SUCCESS) return result;
  if (last_write) {
    SettingsKeyInfo info;
    if (Store().QueryInfo(key, info) == ERROR_SUCCESS) *last_write = info.last_write;
  }
  return EmptyClass(key_class, class_size);
}

LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* name_size, DWORD*, DWORD* type, BYTE* data,
                   DWORD* data_size) {
  return Store().EnumValue(key, index, name, name_size, type, data, data_size);
}

LONG RegQueryInfoKeyA(HKEY key, char* key_class, DWORD* class_size, DWORD*, DWORD* subkeys, DWORD* max_subkey_name,
                      DWORD* max_class, DWORD* values, DWORD* max_value_name, DWORD* max_value_data,
                      DWORD* security_size, FILETIME* last_write) {
  SettingsKeyInfo info;
  const LONG result = Store().QueryInfo(key, info);
  if (result != ERROR_SUCCESS) return result;
  Put(subkeys, info.subkeys);
  Put(max_subkey_name, info.max_subkey_name);
  Put(max_class, DWORD{0});
  Put(values, info.values);
  Put(max_value_name, info.max_value_name);
  Put(max_value_data, info.max_value_data);
  Put(security_size, DWORD{0});
  Put(last_write, info.last_write);
  return EmptyClass(key_class, class_size);
}

LONG RegFlushKey(HKEY key) {
  SettingsKeyInfo info;
  return Store().QueryInfo(key, info);
}

}  // namespace sys
