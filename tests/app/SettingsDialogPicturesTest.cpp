// Each settings dialog painted as the user first sees it, written to the
// build folder for a person to look at (settings_dialog_<id>.png), with
// the checks that every control lies inside its dialog and that no two
// controls overlap except inside a group box.
#include <string>

#include "app/AppSettingsDlg.h"
#include "app/FileNamingDlg.h"
#include "app/ListPropertiesDlg.h"
#include "app/OverwriteDlg.h"
#include "app/ParametersDlg.h"
#include "app/SettingsDlgIds.h"
#include "core/conversion/BrivenParameters.h"
#include "core/conversion/DocumentSettings.h"
#include "platform/ui/MessageLoop.h"
#include "tests/app/SettingsDialogFixture.h"

namespace {

using settingstest::SettingsDialogFixture;

class SettingsDialogPicturesTest : public SettingsDialogFixture {
 protected:
  static void PaintAll() {
    ui::MSG msg;
    while (ui::PeekMessage(&msg, nullptr, 0, 0, ui::PM_REMOVE)) ui::DispatchMessage(&msg);
  }
  void Picture(afx::CDialog& dialog, int id) {
    Open(dialog, id);
    PaintAll();
    ExpectControlsInside(dialog);
    const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/settings_dialog_" + std::to_string(id) + ".png";
    EXPECT_TRUE(ui::GetHeadlessHost().DumpWindowPng(dialog.m_hWnd, path)) << path;
    dialog.DestroyWindow();
  }
  static void ExpectControlsInside(const afx::CDialog& dialog) {
    ui::RECT client{};
    ui::GetClientRect(dialog.m_hWnd, &client);
    std::vector<std::pair<ui::HWND, ui::RECT>> leaves;
    for (ui::HWND child = ui::GetWindow(dialog.m_hWnd, ui::GW_CHILD); child;
         child = ui::GetWindow(child, ui::GW_HWNDNEXT)) {
      ui::RECT r{};
      ui::GetWindowRect(child, &r);
      ui::POINT origin{0, 0};
      ui::ClientToScreen(dialog.m_hWnd, &origin);
      r = {r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y};
      const std::string text = ui::GetWindowTextString(child);
      EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
          << "control " << ui::GetDlgCtrlID(child) << " \"" << text << "\" leaves the dialog";
      const bool group = (ui::GetWindowLongPtr(child, ui::GWL_STYLE) & 0xF) == ui::BS_GROUPBOX &&
                         ui::GetClassName(child) == "Button";
      if (!group) leaves.push_back({child, r});
    }
    for (std::size_t i = 0; i < leaves.size(); ++i)
      for (std::size_t j = i + 1; j < leaves.size(); ++j) {
        const ui::RECT& a = leaves[i].second;
        const ui::RECT& b = leaves[j].second;
        // A drop-down list's rectangle includes its list, which opens over others.
        if (ui::GetClassName(leaves[i].first) == "ComboBox" || ui::GetClassName(leaves[j].first) == "ComboBox")
          continue;
        const bool overlap = a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
        EXPECT_FALSE(overlap) << "\"" << ui::GetWindowTextString(leaves[i].first) << "\" (" << ui::GetDlgCtrlID(leaves[i].first)
                              << ") overlaps \"" << ui::GetWindowTextString(leaves[j].first) << "\" ("
                              << ui::GetDlgCtrlID(leaves[j].first) << ")";
      }
  }
};

TEST_F(SettingsDialogPicturesTest, EveryDialogIsWrittenForAPersonToLookAt) {
  CBrivenParameters parameters;
  parameters.m_nProcessLimit = 500;
  parameters.m_format.m_nPrecision = 3;
  CParametersDlg parameters_dialog;
  parameters_dialog.LoadFrom(parameters, false);
  Picture(parameters_dialog, app::kParametersDialog);

  DocumentSettings settings;
  settings.conversion_log = 1;
  settings.conversion_log_folder = "/home/pat/briven/logs/";
  CAppSettingsDlg settings_dialog;
  settings_dialog.LoadFrom(settings);
  Picture(settings_dialog, app::kAppSettingsDialog);

  CListProperties list;
  list.m_strWorkingFolder = "/home/pat/casts/";
  CListPropertiesDlg lists;
  for (int index = 0; index < 3; ++index) lists.SetList(list, index);
  Picture(lists, app::kListPropertiesDialog);

  CFileNaming naming;
  naming.m_nMode = CFileNaming::kModeAutoIncrement;
  naming.m_strBase = "CAST";
  CFileNamingDlg naming_dialog;
  naming_dialog.SetNaming(naming, 0);
  Picture(naming_dialog, app::kFileNamingDialog);

  COverwriteDlg overwrite;
  overwrite.m_strQuestion =
      "The output file \"/home/pat/casts/cast1-sensor9.dat\" already exists. Do you wish to overwrite this file and "
      "continue the conversion?";
  overwrite.m_bSeries = true;
  Picture(overwrite, app::kOverwriteDialog);
}

}  // namespace
