// The two naming sections of the application profile. Absent keys are read
// as the default "-1" (or -1), which no stored value uses, so a first run,
// or a profile written by an older release, keeps the built-in defaults.
#include "app/FileNaming.h"
#include "platform/sys/Profile.h"

namespace {

constexpr const char* kBaseKey = "File Base";
constexpr const char* kIncrementKey = "File Increment";
constexpr const char* kExtensionKey = "File Extension";
constexpr const char* kModeKey = "File Mode";
constexpr const char* kIncrementTypeKey = "Increment Type";

constexpr const char* kAbsentText = "-1";
constexpr int kAbsentNumber = -1;

void LoadText(const std::string& section, const char* key, std::string& member) {
  std::string value = sys::AppProfile().GetString(section, key, kAbsentText);
  if (value != kAbsentText) member = std::move(value);
}

void LoadNumber(const std::string& section, const char* key, int& member) {
  const int value = sys::AppProfile().GetInt(section, key, kAbsentNumber);
  if (value != kAbsentNumber) member = value;
}

}  // namespace

void CFileNaming::LoadSettings(const std::string& section) {
  LoadText(section, kBaseKey, m_strBase);
  LoadText(section, kIncrementKey, m_strIncrement);
  LoadText(section, kExtensionKey, m_strExtension);
  LoadNumber(section, kModeKey, m_nMode);
  LoadNumber(section, kIncrementTypeKey, m_nIncrementType);
}

bool CFileNaming::SaveSettings(const std::string& section) const {
  sys::Profile& profile = sys::AppProfile();
  // Every key is written even after a refusal, so one failing key does not
  // cost the others.
  bool saved = profile.WriteString(section, kBaseKey, m_strBase);
  saved = profile.WriteString(section, kIncrementKey, m_strIncrement) && saved;
  saved = profile.WriteString(section, kExtensionKey, m_strExtension) && saved;
  saved = profile.WriteInt(section, kModeKey, m_nMode) && saved;
  saved = profile.WriteInt(section, kIncrementTypeKey, m_nIncrementType) && saved;
  return saved;
}
