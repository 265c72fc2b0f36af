// The question asked before an existing output file is replaced: Yes,
// Yes to All (only in a series), No (skip this file) or Cancel (stop).
// It has no close box: one of its four buttons answers it.
#pragma once

#include <string>

#include "core/conversion/OverwriteQuestion.h"
#include "platform/afx/Dialog.h"
#include "platform/afx/Font.h"
#include "platform/afx/MessageMap.h"

class COverwriteDlg : public afx::CDialog {
 public:
  explicit COverwriteDlg(afx::CWnd* parent = nullptr);

  // True when the answer was for this file only (Yes, No), false when it
  // was for all (Yes to All, Cancel). Read after the dialog.
  bool IsThisFileOnly() const { return m_bThisFileOnly; }
  // The answer as the conversion takes it, from the dialog's result.
  OverwriteAnswer Answer(afx::INT_PTR result) const;

  std::string m_strQuestion;
  bool m_bSeries = false;

 protected:
  afx::BOOL OnInitDialog() override;
  void OnCancel() override;
  void Finish(int result, bool this_file_only);
  void OnYes() { Finish(afx::IDOK, true); }
  void OnYesToAll() { Finish(afx::IDOK, false); }
  void OnNo() { Finish(afx::IDCANCEL, true); }
  void OnCancelAll() { Finish(afx::IDCANCEL, false); }

  afx::CFont m_boldFont;
  bool m_bThisFileOnly = true;
  DECLARE_MESSAGE_MAP()
};
