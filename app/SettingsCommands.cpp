// The settings commands: each runs its dialog on copies and hands the
// values back only on OK.
#include "app/SettingsCommands.h"

#include "app/AppSettingsDlg.h"
#include "app/FileNamingDlg.h"
#include "app/HelpBook.h"
#include "app/ListPropertiesDlg.h"
#include "app/OverwriteDlg.h"
#include "app/ParametersDlg.h"
#include "core/conversion/BrivenParameters.h"
#include "core/conversion/DocumentSettings.h"
#include "core/conversion/OverwriteQuestion.h"

namespace {

// The question as the document asks it in an interactive run: a dialog
// over the main window, modal, answered by one of its four buttons.
class DialogOverwriteQuestion : public OverwriteQuestion {
 public:
  explicit DialogOverwriteQuestion(afx::CWnd* parent) : parent_(parent) {}
  OverwriteAnswer Ask(const std::string& question, bool series) override {
    COverwriteDlg dialog(parent_);
    dialog.m_strQuestion = question;
    dialog.m_bSeries = series;
    const afx::INT_PTR result = dialog.DoModal();
    // A dialog that could not be shown answers as the unattended run does:
    // nothing is replaced.
    if (result != afx::IDOK && result != afx::IDCANCEL) return OverwriteAnswer::kCancel;
    return dialog.Answer(result);
  }

 private:
  afx::CWnd* parent_;
};

}  // namespace

bool RunParametersDialog(afx::CWnd* parent, CBrivenParameters& parameters, bool header_conversion) {
  CParametersDlg dialog(parent);
  dialog.LoadFrom(parameters, header_conversion);
  if (dialog.DoModal() != afx::IDOK) return false;
  dialog.StoreInto(parameters);
  return true;
}

bool RunProgramPropertiesDialog(afx::CWnd* parent, DocumentSettings& settings) {
  CAppSettingsDlg dialog(parent);
  dialog.LoadFrom(settings);
  if (dialog.DoModal() != afx::IDOK) return false;
  dialog.StoreInto(settings);
  return true;
}

bool RunListPropertiesDialog(afx::CWnd* parent, CListProperties& log_list, CListProperties& instrument_list,
                             CListProperties& output_list) {
  CListPropertiesDlg dialog(parent);
  CListProperties* lists[] = {&log_list, &instrument_list, &output_list};
  for (int index = 0; index < 3; ++index) dialog.SetList(*lists[index], index);
  if (dialog.DoModal() != afx::IDOK) return false;
  for (int index = 0; index < 3; ++index) dialog.GetList(*lists[index], index);
  return true;
}

bool RunFileNamingDialog(afx::CWnd* parent, int& page, CFileNaming& instrument_naming, CFileNaming& header_naming) {
  CFileNamingDlg dialog(parent);
  dialog.m_nPage = page;
  dialog.SetNaming(instrument_naming, CFileNamingDlg::kInstrumentPage);
  dialog.SetNaming(header_naming, CFileNamingDlg::kHeaderPage);
  if (dialog.DoModal() != afx::IDOK) return false;
  page = dialog.m_nPage;
  dialog.GetNaming(instrument_naming, CFileNamingDlg::kInstrumentPage);
  dialog.GetNaming(header_naming, CFileNamingDlg::kHeaderPage);
  return true;
}

std::unique_ptr<OverwriteQuestion> CreateOverwriteDialog(afx::CWnd* parent) {
  return std::make_unique<DialogOverwriteQuestion>(parent);
}

bool ShowHelpTopic(afx::CWnd* parent, unsigned long context) {
  return app::ShowHelpContext(parent ? parent->GetSafeHwnd() : nullptr, context);
}
