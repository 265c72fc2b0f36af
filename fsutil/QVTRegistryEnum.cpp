#include "fsutil/QVTRegistry.h"

#include <vector>

#include "platform/sys/SettingsStoreApi.h"

using namespace sys;

LONG QVTRegistry::EnumKeyRaw(DWORD index, char* name, DWORD* nameSize, char* keyClass, DWORD* classSize) {
  last_result_ = RegEnumKeyExA(current_key_, index, name, nameSize, nullptr, keyClass, classSize, nullptr);
  return last_result_;
}

bool QVTRegistry::EnumKey(DWORD index, std::string& name, std::string& keyClass) {
  // One zero beyond each buffer, so the names are terminated whatever the call left there.
  std::vector<char> name_buffer(kKeyNameBuffer + 1, '\0');
  std::vector<char> class_buffer(kKeyNameBuffer + 1, '\0');
  DWORD name_size = kKeyNameBuffer;
  DWORD class_size = kKeyNameBuffer;
  LONG result = EnumKeyRaw(index, name_buffer.data(), &name_size, class_buffer.data(), &class_size);
  if (result == ERROR_MORE_DATA && name_size >= kKeyNameBuffer) {
    // A name longer than the buffer: read it whole rather than cut.
    name_buffer.assign(name_size + 2, '\0');
    name_size += 1;
    class_size = kKeyNameBuffer;
    result = EnumKeyRaw(index, name_buffer.data(), &name_size, class_buffer.data(), &class_size);
  }
  if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) return false;
  name = name_buffer.data();
  keyClass = class_buffer.data();
  return true;
}

bool QVTRegistry::EnumKey(DWORD index, std::string& name) {
  std::string key_class;
  return EnumKey(index, name, key_class);
}

bool QVTRegistry::EnumValue(DWORD index, std::string& name, DWORD* type, BYTE* data, DWORD* dataSize) {
  std::vector<char> name_buffer(kValueNameBuffer + 1, '\0');
  DWORD name_size = kValueNameBuffer;
  const DWORD data_room = dataSize ? *dataSize : 0;
  LONG result = RegEnumValueA(current_key_, index, name_buffer.data(), &name_size, nullptr, type, data, dataSize);
  if (result == ERROR_MORE_DATA && name_size >= kValueNameBuffer) {
    name_buffer.assign(name_size + 2, '\0');
    name_size += 1;
    if (dataSize) *dataSize = data_room;
    result = RegEnumValueA(current_key_, index, name_buffer.data(), &name_size, nullptr, type, data, dataSize);
  }
  last_result_ = result;
  if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) return false;
  name = name_buffer.data();
  return true;
}

bool QVTRegistry::EnumValue(DWORD index, std::string& name, DWORD* type) {
  return EnumValue(index, name, type, nullptr, nullptr);
}
