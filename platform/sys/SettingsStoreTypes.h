// Names and numbers of the settings store's Win32-like interface: key
// handles, the predefined roots, value types, access rights and the Win32
// result numbers that callers keep and show.
#pragma once

#include <cstdint>

#include "platform/sys/Types.h"

namespace sys {

// An open key. Predefined roots are fixed values; opened keys are numbers
// handed out by the store and looked up in its table, so a stale or foreign
// handle is refused rather than followed.
struct HKEY__;
using HKEY = HKEY__*;
using REGSAM = DWORD;

inline HKEY PredefinedKey(std::uintptr_t value) { return reinterpret_cast<HKEY>(value); }
inline const HKEY HKEY_CLASSES_ROOT = PredefinedKey(0x80000000u);
inline const HKEY HKEY_CURRENT_USER = PredefinedKey(0x80000001u);
inline const HKEY HKEY_LOCAL_MACHINE = PredefinedKey(0x80000002u);
inline const HKEY HKEY_USERS = PredefinedKey(0x80000003u);
inline const HKEY HKEY_PERFORMANCE_DATA = PredefinedKey(0x80000004u);
inline const HKEY HKEY_CURRENT_CONFIG = PredefinedKey(0x80000005u);
inline const HKEY HKEY_DYN_DATA = PredefinedKey(0x80000006u);

// 100-nanosecond intervals since 1601-01-01 UTC.
struct FILETIME {
  DWORD dwLowDateTime = 0;
  DWORD dwHighDateTime = 0;
};

enum RegistryValueType : DWORD {
  REG_NONE = 0,
  REG_SZ = 1,
  REG_EXPAND_SZ = 2,
  REG_BINARY = 3,
  REG_DWORD = 4,
  REG_MULTI_SZ = 7,
};

enum RegistryAccess : REGSAM {
  KEY_QUERY_VALUE = 0x0001,
  KEY_SET_VALUE = 0x0002,
  KEY_CREATE_SUB_KEY = 0x0004,
  KEY_ENUMERATE_SUB_KEYS = 0x0008,
  KEY_NOTIFY = 0x0010,
  KEY_CREATE_LINK = 0x0020,
  KEY_READ = 0x20019,
  KEY_WRITE = 0x20006,
  KEY_ALL_ACCESS = 0xF003F,
};

enum RegistryDisposition : DWORD {
  REG_CREATED_NEW_KEY = 1,
  REG_OPENED_EXISTING_KEY = 2,
};

enum RegistryOption : DWORD {
  REG_OPTION_NON_VOLATILE = 0,
};

enum Win32Error : LONG {
  ERROR_SUCCESS = 0,
  ERROR_FILE_NOT_FOUND = 2,
  ERROR_ACCESS_DENIED = 5,
  ERROR_INVALID_HANDLE = 6,
  ERROR_NOT_ENOUGH_MEMORY = 8,
  ERROR_INVALID_DATA = 13,
  ERROR_WRITE_FAULT = 29,
  ERROR_READ_FAULT = 30,
  ERROR_NOT_SUPPORTED = 50,
  ERROR_BAD_NETPATH = 53,
  ERROR_INVALID_PARAMETER = 87,
  ERROR_DISK_FULL = 112,
  ERROR_CALL_NOT_IMPLEMENTED = 120,
  ERROR_BAD_PATHNAME = 161,
  ERROR_MORE_DATA = 234,
  ERROR_NO_MORE_ITEMS = 259,
  ERROR_REGISTRY_CORRUPT = 1015,
  ERROR_KEY_DELETED = 1018,
};

}  // namespace sys
