// The profile-file calls of the system the program comes from, on IniFile.
#pragma once

#include "platform/sys/Types.h"

namespace sys {

// With section null: every section name; with key null: every key of the
// section; each name ends with a zero and the list with one more. When a
// list does not fit it is cut, ended with two zeros, and size - 2 is
// returned. A value (or the default, trimmed of trailing blanks) that does
// not fit is cut to size - 1 characters. Returns the characters copied.
DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* default_value, char* buffer,
                               DWORD size, const char* file);
// The leading decimal number of the value (0 when there is none); the
// default when the key is missing or its value empty.
UINT GetPrivateProfileIntA(const char* section, const char* key, int default_value, const char* file);
// key null deletes the section, value null deletes the key.
bool WritePrivateProfileStringA(const char* section, const char* key, const char* value, const char* file);

}  // namespace sys
