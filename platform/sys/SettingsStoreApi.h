// The registry calls of the system the program comes from, on the process's
// settings store (SettingsStore::Default). Results are Win32 error numbers.
#pragma once

#include "platform/sys/SettingsStoreTypes.h"

namespace sys {

LONG RegOpenKeyExA(HKEY key, const char* sub_key, DWORD options, REGSAM access, HKEY* result);
LONG RegCreateKeyExA(HKEY key, const char* sub_key, DWORD reserved, const char* key_class, DWORD options,
                     REGSAM access, const void* security, HKEY* result, DWORD* disposition);
LONG RegCloseKey(HKEY key);
// Only the local machine can be reached; another computer gives ERROR_BAD_NETPATH.
LONG RegConnectRegistryA(const char* computer, HKEY key, HKEY* result);
LONG RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);
LONG RegSetValueExA(HKEY key, const char* name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
LONG RegDeleteValueA(HKEY key, const char* name);
// A key with subkeys is refused with ERROR_ACCESS_DENIED.
LONG RegDeleteKeyA(HKEY key, const char* sub_key);
// Key classes are not kept: the class comes back empty. Sizes are in characters.
LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* name_size, DWORD* reserved, char* key_class,
                   DWORD* class_size, FILETIME* last_write);
LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* name_size, DWORD* reserved, DWORD* type, BYTE* data,
                   DWORD* data_size);
LONG RegQueryInfoKeyA(HKEY key, char* key_class, DWORD* class_size, DWORD* reserved, DWORD* subkeys,
                      DWORD* max_subkey_name, DWORD* max_class, DWORD* values, DWORD* max_value_name,
                      DWORD* max_value_data, DWORD* security_size, FILETIME* last_write);
// Every write is on disk when it returns; nothing is left to flush.
LONG RegFlushKey(HKEY key);

}  // namespace sys
