// The three list sections of the application profile. Absent keys read
// back as "-1" (or -1), a value no list stores, and keep the defaults.
#include "app/ListProperties.h"

#include "platform/sys/Profile.h"

namespace {

constexpr const char* kAbsentText = "-1";
constexpr int kAbsentNumber = -1;

void LoadText(const char* section, const char* key, std::string& member, bool empty_keeps) {
  std::string value = sys::AppProfile().GetString(section, key, kAbsentText);
  if (value == kAbsentText || (empty_keeps && value.empty())) return;
  member = std::move(value);
}

void LoadNumber(const char* section, const char* key, int& member) {
  const int value = sys::AppProfile().GetInt(section, key, kAbsentNumber);
  if (value != kAbsentNumber) member = value;
}

std::string WithSeparator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

const char* CListProperties::SectionName(int kind) {
  switch (kind) {
    case kInstrumentList:
      return "Instrument View";
    case kOutputList:
      return "Output View";
    default:
      return "Log View";
  }
}

const char* CListProperties::DefaultFilter(int kind) {
  switch (kind) {
    case kInstrumentList:
      return "*.cal";
    case kOutputList:
      return "*.dat";
    default:
      return "*.raw";
  }
}

void CListProperties::LoadSettings(int kind, const std::string& start_folder) {
  const char* section = SectionName(kind);
  m_strWorkingFolder = WithSeparator(start_folder);
  LoadText(section, "Working Directory", m_strWorkingFolder, true);
  m_strWorkingFolder = WithSeparator(m_strWorkingFolder);
  LoadText(section, "File Selected", m_strFileSelected, false);
  m_strFilter = DefaultFilter(kind);
  LoadText(section, "File Filter", m_strFilter, true);
  LoadNumber(section, "Sort Type", m_nSortType);
  LoadNumber(section, "Sort Direction", m_nSortDirection);
  LoadNumber(section, "Recursive", m_bRecursive);
  if (kind == kInstrumentList) {
    LoadNumber(section, "Use Working Directory", m_bUseWorkingFolder);
    LoadText(section, "Instrument Package File", m_strPackageFile, false);
  }
}

bool CListProperties::SaveSettings(int kind) const {
  sys::Profile& profile = sys::AppProfile();
  const char* section = SectionName(kind);
  // Every key is written even after a refusal, so one failing key does not
  // cost the others.
  bool saved = true;
  if (kind == kInstrumentList) {
    saved = profile.WriteInt(section, "Use Working Directory", m_bUseWorkingFolder) && saved;
    saved = profile.WriteString(section, "Instrument Package File", m_strPackageFile) && saved;
  }
  saved = profile.WriteString(section, "Working Directory", m_strWorkingFolder) && saved;
  saved = profile.WriteString(section, "File Selected", m_strFileSelected) && saved;
  saved = profile.WriteString(section, "File Filter", m_strFilter) && saved;
  saved = profile.WriteInt(section, "Sort Type", m_nSortType) && saved;
  saved = profile.WriteInt(section, "Sort Direction", m_nSortDirection) && saved;
  saved = profile.WriteInt(section, "Recursive", m_bRecursive) && saved;
  return saved;
}
