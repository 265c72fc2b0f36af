// The application's profile settings: named values in sections, kept under
// the application's own settings key. The application object installs the
// store-backed profile at start; code below the framework reads and writes
// through AppProfile(), and tests install a MemoryProfile.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace sys {

class Profile {
 public:
  virtual ~Profile() = default;
  virtual int GetInt(const std::string& section, const std::string& key, int default_value) = 0;
  virtual std::string GetString(const std::string& section, const std::string& key,
                                const std::string& default_value) = 0;
  virtual bool GetBinary(const std::string& section, const std::string& key, std::vector<unsigned char>& value) = 0;
  virtual bool WriteInt(const std::string& section, const std::string& key, int value) = 0;
  virtual bool WriteString(const std::string& section, const std::string& key, const std::string& value) = 0;
  virtual bool WriteBinary(const std::string& section, const std::string& key,
                           const std::vector<unsigned char>& value) = 0;
  // Removes the section with every key in it; a missing section is no
  // failure. Writers of optional keys clear their section first, so a key
  // written once and left out later cannot outlive its value.
  virtual bool DeleteSection(const std::string& section) = 0;
};

// Values held in memory only: the profile of tests and of runs that must
// not touch the user's settings. Section and key names compare without case.
class MemoryProfile : public Profile {
 public:
  int GetInt(const std::string& section, const std::string& key, int default_value) override;
  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& default_value) override;
  bool GetBinary(const std::string& section, const std::string& key, std::vector<unsigned char>& value) override;
  bool WriteInt(const std::string& section, const std::string& key, int value) override;
  bool WriteString(const std::string& section, const std::string& key, const std::string& value) override;
  bool WriteBinary(const std::string& section, const std::string& key,
                   const std::vector<unsigned char>& value) override;
  bool DeleteSection(const std::string& section) override;
  // The section's key names, lower-cased, in sorted order.
  std::vector<std::string> KeyNames(const std::string& section) const;

 private:
  struct Value {
    bool is_int = false;
    int number = 0;
    std::string text;  // strings, and the bytes of binary values
  };
  const Value* Find(const std::string& section, const std::string& key) const;
  static std::string Fold(const std::string& section, const std::string& key);
  std::map<std::string, Value> values_;
};

// The process's profile; a MemoryProfile until one is installed.
Profile& AppProfile();
// Installs a profile (not owned; nullptr restores the built-in memory one).
void SetAppProfile(Profile* profile);

}  // namespace sys
