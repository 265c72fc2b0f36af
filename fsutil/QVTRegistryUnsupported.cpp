#include "fsutil/QVTRegistry.h"

using namespace sys;

// Key security, hive files and change notification have no counterpart in
// the settings store: these calls fail with ERROR_NOT_SUPPORTED, after the
// argument checks callers may test for.
bool QVTRegistry::Unsupported() { return Store(ERROR_NOT_SUPPORTED); }

bool QVTRegistry::GetSecurity(DWORD, void* descriptor, DWORD*) {
  if (!descriptor) return Store(ERROR_INVALID_PARAMETER);
  return Unsupported();
}

bool QVTRegistry::SetSecurity(DWORD, const void* descriptor) {
  if (!descriptor) return Store(ERROR_INVALID_PARAMETER);
  return Unsupported();
}

bool QVTRegistry::LoadKey(const char*, const char*) { return Unsupported(); }
bool QVTRegistry::UnLoadKey(const char*) { return Unsupported(); }
bool QVTRegistry::ReplaceKey(const char*, const char*, const char*) { return Unsupported(); }
bool QVTRegistry::RestoreKey(const char*, DWORD) { return Unsupported(); }
bool QVTRegistry::SaveKey(const char*, const void*) { return Unsupported(); }
bool QVTRegistry::NotifyChange(void*, DWORD, bool, bool) { return Unsupported(); }
