// Conversion > Parameters: the delimiter, what the output holds, the
// number format, the frame checks and the range of frames converted.
// Some choices exclude others; their controls are enabled by the rules
// of IsControlEnabled, re-applied whenever one of the deciding checks is
// clicked.
#pragma once

#include <array>
#include <string>

#include "app/SettingsDlgBase.h"
#include "app/SpecialEdit.h"

class CBrivenParameters;

class CParametersDlg : public CSettingsDlgBase {
 public:
  explicit CParametersDlg(afx::CWnd* parent = nullptr);

  // The dialog's values from the parameters, and back after OK.
  void LoadFrom(const CBrivenParameters& parameters, bool header_conversion);
  void StoreInto(CBrivenParameters& parameters) const;

  // The checks that decide which controls may be used.
  struct Choices {
    bool header_conversion = false;
    bool physical_values = false;
    bool process_time_tags = false;
    bool suppress_strings = false;
  };
  static bool IsControlEnabled(int control, const Choices& choices);

  // The value of a number edit's text: true with -1 for an empty text,
  // with the number when it lies in [lowest, 32767]; false otherwise.
  static bool ReadNumberText(const std::string& text, int lowest, int& value);

  // Values, as the controls show them.
  int m_nDelimiterChoice = 0;  // 0 chosen from the list, 1 typed
  int m_nDelimiterIndex = 0;   // 0 TAB, 1 SPACE
  std::string m_strTypedDelimiter;
  int m_bShowExtra = 0, m_bApplyFit = 0, m_bImmersed = 0, m_bTimeTags = 0, m_bTimeTagsFormatted = 0;
  int m_bSuppressStrings = 0, m_bHexFormat = 0, m_bFrameCounter = 0, m_bCheckSum = 0, m_bErrorFrames = 0;
  int m_nDoubleType = 0;
  int m_nPrecision = -1, m_nWidth = -1, m_nLimit = -1, m_nDepth = 1;
  bool m_bHeaderConversion = false;

 protected:
  afx::BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(afx::CDataExchange* dx) override;

  void ApplyEnablingRules() const;
  void ApplyDelimiterChoice() const;
  void ChooseDelimiter(bool typed) const;
  void OnSelectDelimiter() { ChooseDelimiter(false); }
  void OnSpecifyDelimiter() { ChooseDelimiter(true); }
  bool ValidateDelimiter() const;
  bool ValidateNumbers();

  std::array<CSpecialEdit, 4> m_numberEdits;
  DECLARE_MESSAGE_MAP()
};
