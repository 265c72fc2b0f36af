// The settings commands as the view runs them: each dialog modal, its
// values handed back on OK and left alone on Cancel, and the overwrite
// question's answer from its dialog.
#include <filesystem>

#include "app/FileNaming.h"
#include "app/ListProperties.h"
#include "app/SettingsCommands.h"
#include "app/SettingsDlgIds.h"
#include "core/conversion/BrivenParameters.h"
#include "core/conversion/DocumentSettings.h"
#include "core/conversion/OverwriteQuestion.h"
#include "platform/ui/MessageLoop.h"
#include "tests/app/SettingsDialogFixture.h"

namespace {

using settingstest::SettingsDialogFixture;

// What a person does once the dialog is up: set a text, then press a button.
int g_button = 0;
int g_edit = 0;
const char* g_text = nullptr;

void ActOnTheDialog(ui::HWND, ui::UINT, ui::UINT_PTR id, ui::DWORD) {
  ui::KillTimer(nullptr, id);
  const ui::HWND dialog = ui::GetActiveWindow();
  if (g_edit) ui::SetDlgItemText(dialog, g_edit, g_text);
  ui::PostMessage(dialog, ui::WM_COMMAND, ui::MAKEWPARAM(static_cast<unsigned>(g_button), ui::BN_CLICKED),
                  reinterpret_cast<ui::LPARAM>(ui::GetDlgItem(dialog, g_button)));
}

class SettingsCommandsTest : public SettingsDialogFixture {
 protected:
  static void WillPress(int button, int edit = 0, const char* text = nullptr) {
    g_button = button;
    g_edit = edit;
    g_text = text;
    ui::SetTimer(nullptr, 0, 50, &ActOnTheDialog);
  }
};

TEST_F(SettingsCommandsTest, OkHandsTheValuesBackAndCancelLeavesThemAlone) {
  CBrivenParameters parameters;
  WillPress(ui::IDOK, app::parameters::kLimitEdit, "250");
  EXPECT_TRUE(RunParametersDialog(nullptr, parameters, false));
  EXPECT_EQ(parameters.m_nProcessLimit, 250);
  WillPress(ui::IDCANCEL, app::parameters::kLimitEdit, "9");
  EXPECT_FALSE(RunParametersDialog(nullptr, parameters, false));
  EXPECT_EQ(parameters.m_nProcessLimit, 250);

  DocumentSettings settings;
  WillPress(ui::IDCANCEL);
  EXPECT_FALSE(RunProgramPropertiesDialog(nullptr, settings));

  int page = 1;
  CFileNaming instrument, header;
  header.m_nMode = CFileNaming::kModeFileTitles;
  WillPress(ui::IDOK, app::naming::kExtensionEdit, "txt");
  EXPECT_TRUE(RunFileNamingDialog(nullptr, page, instrument, header));
  EXPECT_EQ(page, 1);
  EXPECT_EQ(header.m_strExtension, "txt");
  EXPECT_EQ(instrument.m_strExtension, "dat");

  CListProperties log, instruments, output;
  for (CListProperties* list : {&log, &instruments, &output}) list->m_strWorkingFolder = folder.path() + "/";
  WillPress(ui::IDOK, app::listprops::kOutputFilter, "*.txt");
  EXPECT_TRUE(RunListPropertiesDialog(nullptr, log, instruments, output));
  EXPECT_EQ(output.m_strFilter, "*.txt");
  EXPECT_EQ(log.m_strFilter, "*.*");
  EXPECT_TRUE(notices.empty());
}

TEST_F(SettingsCommandsTest, TheOverwriteQuestionIsADialogInAnInteractiveRun) {
  const std::unique_ptr<OverwriteQuestion> question = CreateOverwriteDialog(nullptr);
  ASSERT_NE(question, nullptr);
  WillPress(app::overwrite::kYesToAll);
  EXPECT_EQ(question->Ask("The output file \"b.dat\" already exists.", true), OverwriteAnswer::kYesToAll);
  WillPress(app::overwrite::kNo);
  EXPECT_EQ(question->Ask("The output file \"b.dat\" already exists.", false), OverwriteAnswer::kNo);
  WillPress(ui::IDCANCEL);  // Escape
  EXPECT_EQ(question->Ask("The output file \"b.dat\" already exists.", true), OverwriteAnswer::kCancel);
  EXPECT_TRUE(notices.empty());  // nothing went to the message box
}

}  // namespace
