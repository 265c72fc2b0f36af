#include "core/conversion/BrivenParameters.h"

#include "platform/sys/Profile.h"

namespace {

constexpr const char* kSection = "Parameters";
// The profile answers this for a key it does not hold; a stored -1 reads
// the same way, so it never replaces a built-in value either.
constexpr int kAbsent = -1;
constexpr const char* kAbsentText = "-1";
// The largest width or precision the parameters dialog lets a user enter;
// anything larger in the store is damage, not a choice.
constexpr int kLargestFieldSize = 32767;

void LoadInt(sys::Profile& profile, const char* key, int& field) {
  const int value = profile.GetInt(kSection, key, kAbsent);
  if (value != kAbsent) field = value;
}

// The integer keys with their fields, in the order they are read and
// written.
template <typename Parameters, typename Visit>
void ForEachIntSetting(Parameters& p, Visit visit) {
  visit("Immersed", p.m_nImmersed);
  visit("Time Tags", p.m_nTimeTags);
  visit("Time Tags Formatted", p.m_nTimeTagsFormatted);
  visit("Suppress Strings", p.m_nSuppressStrings);
  visit("Show Extra", p.m_nShowExtra);
  visit("Check Sum Checking", p.m_nCheckSumChecking);
  visit("Frame Counter Checking", p.m_nFrameCounterChecking);
  visit("Sensor Error Frames", p.m_nSensorErrorFrames);
  visit("Process Limit", p.m_nProcessLimit);
  visit("Process Depth", p.m_nProcessDepth);
  visit("Double Type", p.m_format.m_nDoubleType);
  visit("Apply Fit", p.m_format.m_nApplyFit);
  visit("Hex Format", p.m_format.m_nHexFormat);
  visit("Width", p.m_format.m_nWidth);
  visit("Precision", p.m_format.m_nPrecision);
}

}  // namespace

void CBrivenParameters::LoadSettings() {
  sys::Profile& profile = sys::AppProfile();
  const std::string delimiter = profile.GetString(kSection, "Delimiter", kAbsentText);
  if (!delimiter.empty() && delimiter != kAbsentText) m_strDelimiter = delimiter;
  ForEachIntSetting(*this, [&profile](const char* key, int& field) { LoadInt(profile, key, field); });
  ValidateLoadedValues();
}

void CBrivenParameters::ValidateLoadedValues() {
  // A depth below 1 would make "every Nth frame" a division by zero.
  if (m_nProcessDepth < 1) m_nProcessDepth = 1;
  // A damaged width or precision would ask the formatter for gigabytes per
  // field; fall back to "none" as if the key were absent.
  if (m_format.m_nWidth > kLargestFieldSize) m_format.m_nWidth = -1;
  if (m_format.m_nPrecision < -1 || m_format.m_nPrecision > kLargestFieldSize) m_format.m_nPrecision = -1;
}

bool CBrivenParameters::SaveSettings() const {
  sys::Profile& profile = sys::AppProfile();
  bool saved = profile.WriteString(kSection, "Delimiter", m_strDelimiter);
  ForEachIntSetting(*this, [&profile, &saved](const char* key, const int& field) {
    saved = profile.WriteInt(kSection, key, field) && saved;
  });
  return saved;
}
