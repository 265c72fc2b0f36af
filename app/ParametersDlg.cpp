#include "app/ParametersDlg.h"

#include <algorithm>

#include "app/SettingsDlgIds.h"
#include "core/conversion/BrivenParameters.h"
#include "platform/afx/DataExchange.h"
#include "platform/sys/Format.h"

// The message-map macros name the framework's types unqualified.
using namespace afx;

using namespace app::parameters;

namespace {

constexpr int kLargestNumber = 32767;
constexpr int kDelimiterMaxChars = 255;

// The number edits in the order OK checks them, with the smallest value
// each takes. Precision 0 (no digits after the point) is a real choice.
struct NumberEdit {
  int id;
  int lowest;
};
constexpr std::array<NumberEdit, 4> kNumberEdits = {
    {{kPrecisionEdit, 0}, {kWidthEdit, 1}, {kLimitEdit, 1}, {kSubsamplingEdit, 1}}};

// What header conversion leaves without meaning.
constexpr int kInstrumentOnly[] = {kPhysicalValues, kImmersion,      kProcessTimeTags, kFormatTimeTags, kFloatTypeCombo,
                                   kPrecisionEdit,  kErrorFrames,    kSuppressStrings, kHexadecimal,    kFrameCounter,
                                   kCheckSum,       kLimitEdit,      kSubsamplingEdit};

std::string NumberText(int value, int lowest_shown) { return value >= lowest_shown ? sys::Format("%d", value) : ""; }

}  // namespace

BEGIN_MESSAGE_MAP(CParametersDlg, CSettingsDlgBase)
  ON_BN_CLICKED(kPhysicalValues, ApplyEnablingRules)
  ON_BN_CLICKED(kProcessTimeTags, ApplyEnablingRules)
  ON_BN_CLICKED(kSuppressStrings, ApplyEnablingRules)
  ON_BN_CLICKED(kSelectRadio, OnSelectDelimiter)
  ON_BN_CLICKED(kSpecifyRadio, OnSpecifyDelimiter)
END_MESSAGE_MAP()

CParametersDlg::CParametersDlg(afx::CWnd* parent) : CSettingsDlgBase(app::kParametersDialog, parent) {}

void CParametersDlg::LoadFrom(const CBrivenParameters& p, bool header_conversion) {
  const std::string& delimiter = p.m_strDelimiter;
  m_nDelimiterChoice = 0;
  m_nDelimiterIndex = 0;
  m_strTypedDelimiter.clear();
  if (delimiter == " ") {
    m_nDelimiterIndex = 1;
  } else if (!delimiter.empty() && delimiter != "\t") {
    m_nDelimiterChoice = 1;
    m_strTypedDelimiter = delimiter;
  }
  m_bShowExtra = p.m_nShowExtra;
  m_bApplyFit = p.m_format.m_nApplyFit;
  m_bImmersed = p.m_nImmersed;
  m_bTimeTags = p.m_nTimeTags;
  m_bTimeTagsFormatted = p.m_nTimeTagsFormatted;
  m_bSuppressStrings = p.m_nSuppressStrings;
  m_bHexFormat = p.m_format.m_nHexFormat;
  m_bFrameCounter = p.m_nFrameCounterChecking;
  m_bCheckSum = p.m_nCheckSumChecking;
  m_bErrorFrames = p.m_nSensorErrorFrames;
  m_nDoubleType = p.m_format.m_nDoubleType;
  m_nPrecision = p.m_format.m_nPrecision;
  m_nWidth = p.m_format.m_nWidth;
  m_nLimit = p.m_nProcessLimit;
  m_nDepth = p.m_nProcessDepth;
  m_bHeaderConversion = header_conversion;
}

void CParametersDlg::StoreInto(CBrivenParameters& p) const {
  if (m_nDelimiterChoice == 1)
    p.m_strDelimiter = m_strTypedDelimiter.empty() ? "\t" : m_strTypedDelimiter;
  else
    p.m_strDelimiter = m_nDelimiterIndex == 1 ? " " : "\t";
  p.m_nShowExtra = m_bShowExtra;
  p.m_format.m_nApplyFit = m_bApplyFit;
  p.m_nImmersed = m_bImmersed;
  p.m_nTimeTags = m_bTimeTags;
  p.m_nTimeTagsFormatted = m_bTimeTagsFormatted;
  p.m_nSuppressStrings = m_bSuppressStrings;
  p.m_format.m_nHexFormat = m_bHexFormat;
  p.m_nFrameCounterChecking = m_bFrameCounter;
  p.m_nCheckSumChecking = m_bCheckSum;
  p.m_nSensorErrorFrames = m_bErrorFrames;
  p.m_format.m_nDoubleType = m_nDoubleType;
  p.m_format.m_nPrecision = m_nPrecision;
  p.m_format.m_nWidth = m_nWidth;
  p.m_nProcessLimit = m_nLimit;
  // Every frame is one frame in each: a depth below 1 would write none.
  p.m_nProcessDepth = std::max(m_nDepth, 1);
}

bool CParametersDlg::IsControlEnabled(int control, const Choices& c) {
  if (c.header_conversion && std::find(std::begin(kInstrumentOnly), std::end(kInstrumentOnly), control) !=
                                 std::end(kInstrumentOnly))
    return false;
  switch (control) {
    case kImmersion: return c.physical_values;
    case kHexadecimal: return !c.physical_values && !c.suppress_strings;
    case kFormatTimeTags: return c.process_time_tags && !c.suppress_strings;
    default: return true;
  }
}

bool CParametersDlg::ReadNumberText(const std::string& text, int lowest, int& value) {
  if (text.empty()) {
    value = -1;
    return true;
  }
  if (text.size() > 5 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  const int number = std::stoi(text);
  if (number < lowest || number > kLargestNumber) return false;
  value = number;
  return true;
}

afx::BOOL CParametersDlg::OnInitDialog() {
  CSettingsDlgBase::OnInitDialog();
  for (std::size_t i = 0; i < kNumberEdits.size(); ++i) {
    m_numberEdits[i].SubclassDlgItem(static_cast<afx::UINT>(kNumberEdits[i].id), this);
    m_numberEdits[i].m_filter.digits_only = true;
  }
  LimitEditText(kDelimiterEdit, kDelimiterMaxChars);
  ApplyEnablingRules();
  ApplyDelimiterChoice();
  return TRUE;
}

void CParametersDlg::DoDataExchange(afx::CDataExchange* dx) {
  afx::DDX_Check(dx, kExtraHeading, m_bShowExtra);
  afx::DDX_Check(dx, kPhysicalValues, m_bApplyFit);
  afx::DDX_Check(dx, kImmersion, m_bImmersed);
  afx::DDX_Check(dx, kProcessTimeTags, m_bTimeTags);
  afx::DDX_Check(dx, kFormatTimeTags, m_bTimeTagsFormatted);
  afx::DDX_Check(dx, kSuppressStrings, m_bSuppressStrings);
  afx::DDX_Check(dx, kHexadecimal, m_bHexFormat);
  afx::DDX_Check(dx, kFrameCounter, m_bFrameCounter);
  afx::DDX_Check(dx, kCheckSum, m_bCheckSum);
  afx::DDX_Check(dx, kErrorFrames, m_bErrorFrames);
  afx::DDX_Text(dx, kDelimiterEdit, m_strTypedDelimiter);
  if (dx->m_bSaveAndValidate) {
    m_nDelimiterChoice = IsChecked(kSpecifyRadio) ? 1 : 0;
    m_nDelimiterIndex = std::max(ComboSelection(kDelimiterCombo), 0);
    m_nDoubleType = std::max(ComboSelection(kFloatTypeCombo), 0);
    return;
  }
  SetComboSelection(kDelimiterCombo, m_nDelimiterIndex);
  SetComboSelection(kFloatTypeCombo, m_nDoubleType);
  SetDlgItemText(kPrecisionEdit, NumberText(m_nPrecision, 0));
  SetDlgItemText(kWidthEdit, NumberText(m_nWidth, 1));
  SetDlgItemText(kLimitEdit, NumberText(m_nLimit, 1));
  // A rate of 1 is every frame, the same as none.
  SetDlgItemText(kSubsamplingEdit, NumberText(m_nDepth, 2));
  SetChecked(kSelectRadio, m_nDelimiterChoice == 0);
  SetChecked(kSpecifyRadio, m_nDelimiterChoice == 1);
}

void CParametersDlg::ApplyEnablingRules() const {
  const Choices choices{m_bHeaderConversion, IsChecked(kPhysicalValues), IsChecked(kProcessTimeTags),
                        IsChecked(kSuppressStrings)};
  for (int control : kInstrumentOnly) EnableControl(control, IsControlEnabled(control, choices));
}

void CParametersDlg::ApplyDelimiterChoice() const {
  const bool typed = IsChecked(kSpecifyRadio);
  EnableControl(kDelimiterCombo, !typed);
  EnableControl(kDelimiterEdit, typed);
}

// The two radios sit in tab groups of their own (each leads to its
// control), so a click unchecks the other here.
void CParametersDlg::ChooseDelimiter(bool typed) const {
  SetChecked(kSpecifyRadio, typed);
  SetChecked(kSelectRadio, !typed);
  ApplyDelimiterChoice();
}

bool CParametersDlg::ValidateDelimiter() const {
  if (IsChecked(kSpecifyRadio)) {
    if (GetDlgItemText(kDelimiterEdit).empty()) return Refuse("Please specify an output field delimiter.", kDelimiterEdit);
    return true;
  }
  if (ComboSelection(kDelimiterCombo) < 0) return Refuse("Please select an output field delimiter.", kDelimiterCombo);
  return true;
}

bool CParametersDlg::ValidateNumbers() {
  int values[kNumberEdits.size()] = {};
  for (std::size_t i = 0; i < kNumberEdits.size(); ++i) {
    const NumberEdit& edit = kNumberEdits[i];
    if (!ReadNumberText(GetDlgItemText(edit.id), edit.lowest, values[i]))
      return Refuse(sys::Format("Please enter an integer between %d and %d.", edit.lowest, kLargestNumber), edit.id);
  }
  m_nPrecision = values[0];
  m_nWidth = values[1];
  m_nLimit = values[2];
  // An empty rate is every frame.
  m_nDepth = values[3] < 1 ? 1 : values[3];
  return true;
}

void CParametersDlg::OnOK() {
  if (!ValidateDelimiter() || !ValidateNumbers()) return;
  if (!UpdateData(TRUE)) return;
  EndDialog(afx::IDOK);
}
