#include "platform/sys/IniFile.h"

#include "platform/sys/SettingsStoreFile.h"
#include "platform/sys/SettingsStoreTypes.h"

namespace sys {

bool IniFile::Fail(LONG result, const std::string& reason) {
  last_result_ = result;
  last_error_ = path_ + ": " + reason;
  return false;
}

bool IniFile::Read(IniDocument& document) {
  std::string text;
  FileIdentity identity;
  if (const FileProblem problem = SettingsStoreFile(path_).Read(text, identity))
    return Fail(problem.error, problem.reason);
  document = IniDocument(text);
  last_result_ = ERROR_SUCCESS;
  return true;
}

std::optional<std::string> IniFile::GetString(const std::string& section, const std::string& key) {
  IniDocument document;
  if (!Read(document)) return std::nullopt;
  return document.Value(section, key);
}

std::vector<std::string> IniFile::SectionNames() {
  IniDocument document;
  return Read(document) ? document.SectionNames() : std::vector<std::string>{};
}

std::vector<std::string> IniFile::KeyNames(const std::string& section) {
  IniDocument document;
  return Read(document) ? document.KeyNames(section) : std::vector<std::string>{};
}

template <typename Change>
bool IniFile::Update(Change change) {
  SettingsStoreFile file(path_);
  if (const FileProblem problem = file.Lock(false)) return Fail(problem.error, problem.reason);
  file.RemoveStrayTemporaries();
  IniDocument document;
  if (!Read(document)) return false;
  if (!change(document)) return true;  // nothing to change: the file stays as it is
  if (const FileProblem problem = file.Replace(document.Text())) return Fail(problem.error, problem.reason);
  last_result_ = ERROR_SUCCESS;
  return true;
}

bool IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  if (!IniDocument::IsValidSectionName(section)) return Fail(ERROR_INVALID_PARAMETER, "bad section name");
  if (!IniDocument::IsValidKeyName(key)) return Fail(ERROR_INVALID_PARAMETER, "bad key name");
  if (!IniDocument::IsValidValue(value)) return Fail(ERROR_INVALID_PARAMETER, "a value cannot hold a line break");
  return Update([&](IniDocument& document) { return document.SetValue(section, key, value); });
}

bool IniFile::DeleteKey(const std::string& section, const std::string& key) {
  return Update([&](IniDocument& document) { return document.RemoveKey(section, key); });
}

bool IniFile::DeleteSection(const std::string& section) {
  return Update([&](IniDocument& document) { return document.RemoveSection(section); });
}

}  // namespace sys
