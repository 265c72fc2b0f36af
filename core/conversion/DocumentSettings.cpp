#include "core/conversion/DocumentSettings.h"

#include "platform/sys/Profile.h"

namespace {

constexpr const char kSection[] = "Settings";

void ReadInt(const char* key, int& value) {
  const int stored = sys::AppProfile().GetInt(kSection, key, -1);
  if (stored != -1) value = stored;
}

}  // namespace

void DocumentSettings::Load() {
  ReadInt("Save Settings", save_settings);
  ReadInt("Overwrite Prompt", overwrite_prompt);
  ReadInt("Dismiss Progress", dismiss_progress);
  ReadInt("Conversion Log", conversion_log);
  const std::string folder = sys::AppProfile().GetString(kSection, "Conversion Log Directory", "-1");
  if (!folder.empty() && folder != "-1") conversion_log_folder = folder;
}

bool DocumentSettings::Save(const RunOverrides& overrides) const {
  sys::Profile& profile = sys::AppProfile();
  bool ok = profile.WriteInt(kSection, "Save Settings", save_settings);
  if (!overrides.overwrite) ok = profile.WriteInt(kSection, "Overwrite Prompt", overwrite_prompt) && ok;
  if (!overrides.endwindow) ok = profile.WriteInt(kSection, "Dismiss Progress", dismiss_progress) && ok;
  if (!overrides.conversion_log) ok = profile.WriteInt(kSection, "Conversion Log", conversion_log) && ok;
  // A run that could not tell its working folder has none to store, and
  // leaves the stored one alone.
  if (!conversion_log_folder.empty())
    ok = profile.WriteString(kSection, "Conversion Log Directory", conversion_log_folder) && ok;
  return ok;
}
