// One open key of the settings store below one root key, with the result
// of the last store call kept in the object: callers test the bool an
// operation returns and then read GetLastResult() for the reason.
//
// Key paths use "\" between names. The store reaches only the local
// computer; a computer name for a root that must be connected gives
// ERROR_BAD_NETPATH.
#pragma once

#include <string>
#include <vector>

#include "platform/sys/SettingsStoreTypes.h"
#include "platform/sys/Time.h"

class QVTRegistry {
 public:
  using StringList = std::vector<std::string>;
  using ByteArray = std::vector<sys::BYTE>;

  // The name buffers of the enumerations, in characters.
  static constexpr sys::DWORD kKeyNameBuffer = 2047;
  static constexpr sys::DWORD kValueNameBuffer = 2048;

  QVTRegistry();
  virtual ~QVTRegistry();
  QVTRegistry(const QVTRegistry&) = delete;
  QVTRegistry& operator=(const QVTRegistry&) = delete;

  // Empties the strings, zeroes handles, counts and times (the last result
  // too) and sets the close-root flag; closes nothing.
  virtual bool Reset();
  virtual bool Create(const char* subKey, const char* keyClass = nullptr,
                      sys::DWORD options = sys::REG_OPTION_NON_VOLATILE, sys::REGSAM access = sys::KEY_ALL_ACCESS,
                      const void* security = nullptr, sys::DWORD* disposition = nullptr);
  virtual bool Close();
  virtual bool Connect(sys::HKEY root = sys::HKEY_CURRENT_USER, const char* computer = nullptr,
                       bool closeRoot = true);
  // subKey always names a key from the root (a leading "\" is allowed); the
  // key currently open never changes which key that is.
  virtual bool DeleteKey(const char* subKey, bool recursive = false);
  virtual bool DeleteValue(const char* name);
  virtual sys::LONG EnumKeyRaw(sys::DWORD index, char* name, sys::DWORD* nameSize, char* keyClass,
                               sys::DWORD* classSize);
  virtual bool EnumKey(sys::DWORD index, std::string& name, std::string& keyClass);
  virtual bool EnumKey(sys::DWORD index, std::string& name);
  // The data part works as QueryValue's: a buffer too small still gives the
  // name and true, with ERROR_MORE_DATA kept and *dataSize the size needed.
  virtual bool EnumValue(sys::DWORD index, std::string& name, sys::DWORD* type, sys::BYTE* data,
                         sys::DWORD* dataSize);
  virtual bool EnumValue(sys::DWORD index, std::string& name, sys::DWORD* type);
  virtual bool Flush();
  virtual bool GetBinaryValue(const char* name, ByteArray& data);
  virtual bool GetDWordValue(const char* name, sys::DWORD* value);
  virtual bool GetSecurity(sys::DWORD information, void* descriptor, sys::DWORD* size);
  virtual bool GetStringValue(const char* name, std::string& value);
  virtual bool GetMultiStringValue(const char* name, StringList& values);
  virtual bool GetValue(const char* name, std::string& value);
  virtual bool GetValue(const char* name, StringList& values);
  virtual bool GetValue(const char* name, sys::DWORD* value);
  virtual bool GetValue(const char* name, ByteArray& data);
  virtual bool LoadKey(const char* subKey, const char* file);
  virtual bool NotifyChange(void* event, sys::DWORD filter, bool subtree, bool async);
  virtual bool Open(const char* subKey, sys::REGSAM access = sys::KEY_ALL_ACCESS);
  virtual bool QueryInfo();
  virtual bool QueryValue(const char* name, sys::DWORD* type, sys::BYTE* data, sys::DWORD* size);
  virtual bool ReplaceKey(const char* subKey, const char* newFile, const char* oldFile);
  virtual bool RestoreKey(const char* file, sys::DWORD flags);
  virtual bool SaveKey(const char* file, const void* security);
  virtual bool SetBinaryValue(const char* name, const ByteArray& data);
  virtual bool SetDWordValue(const char* name, sys::DWORD value);
  virtual bool SetSecurity(sys::DWORD information, const void* descriptor);
  virtual bool SetStringValue(const char* name, const std::string& value);
  // An empty string inside the list would end the list for every reader,
  // so such a list is refused with ERROR_INVALID_PARAMETER.
  virtual bool SetMultiStringValue(const char* name, const StringList& values);
  virtual bool SetValue(const char* name, sys::DWORD type, const sys::BYTE* data, sys::DWORD size);
  virtual bool SetValue(const char* name, const std::string& value);
  virtual bool SetValue(const char* name, const StringList& values);
  virtual bool SetValue(const char* name, sys::DWORD value);
  virtual bool SetValue(const char* name, const ByteArray& data);
  virtual bool UnLoadKey(const char* subKey);

  sys::LONG GetLastResult() const { return last_result_; }
  sys::HKEY GetCurrentKey() const { return current_key_; }
  sys::HKEY GetRootKey() const { return root_key_; }
  sys::DWORD GetLongestSubkeyName() const { return longest_subkey_name_; }
  sys::DWORD GetLongestClassName() const { return longest_class_name_; }
  sys::DWORD GetLongestValueName() const { return longest_value_name_; }
  sys::DWORD GetLongestValueData() const { return longest_value_data_; }
  sys::DWORD GetSecurityDescriptorSize() const { return security_descriptor_size_; }
  const sys::FILETIME& GetLastWriteFileTime() const { return last_write_file_time_; }
  const std::string& GetClassName() const { return class_name_; }
  const std::string& GetComputerName() const { return computer_name_; }
  const std::string& GetCurrentKeyPath() const { return current_key_path_; }
  const std::string& GetRootName() const { return root_name_; }
  sys::DWORD GetSubkeyCount() const { return subkey_count_; }
  sys::DWORD GetValueCount() const { return value_count_; }
  const sys::CTime& GetLastWriteTime() const { return last_write_time_; }
  bool IsRemote() const { return remote_; }
  bool GetCloseRoot() const { return close_root_; }

 private:
  bool Store(sys::LONG result);
  void CloseCurrentKey();
  // Reads a value of one of the given types whole, however long it is.
  bool ReadValue(const char* name, sys::DWORD wanted, sys::DWORD alternative, std::string& bytes);
  bool Unsupported();

  sys::LONG last_result_ = 0;
  sys::HKEY current_key_ = nullptr;
  sys::HKEY root_key_ = nullptr;
  sys::DWORD longest_subkey_name_ = 0;
  sys::DWORD longest_class_name_ = 0;
  sys::DWORD longest_value_name_ = 0;
  sys::DWORD longest_value_data_ = 0;
  sys::DWORD security_descriptor_size_ = 0;
  sys::FILETIME last_write_file_time_;
  std::string class_name_;
  std::string computer_name_;
  std::string current_key_path_;
  std::string root_name_;
  sys::DWORD subkey_count_ = 0;
  sys::DWORD value_count_ = 0;
  sys::CTime last_write_time_;
  bool remote_ = false;
  bool close_root_ = true;
};

// The names of the predefined roots ("HKEY_CURRENT_USER" ...); false and
// name unchanged for any other handle.
bool RegistryRootName(sys::HKEY root, std::string& name);
// The inverse, by exact comparison; nullptr for any other text.
sys::HKEY RegistryRootFromName(const std::string& name);
// Removes one trailing "\"; with stripLeading also one leading "\".
void NormalizeRegistryPath(std::string& path, bool stripLeading);
// first without its trailing "\", "\", second without its leading and trailing "\".
std::string JoinRegistryPath(const std::string& first, const std::string& second);
