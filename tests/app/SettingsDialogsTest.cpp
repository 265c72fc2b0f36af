// The program properties, file list properties and file naming dialogs
// and the overwrite question: refusals with their focus, enabling, the
// choosers and what OK hands back.
#include <filesystem>
#include <functional>

#include "app/AppSettingsDlg.h"
#include "app/FileNamingDlg.h"
#include "app/ListPropertiesDlg.h"
#include "app/OverwriteDlg.h"
#include "app/SettingsDlgIds.h"
#include "core/conversion/DocumentSettings.h"
#include "platform/ui/FileChooser.h"
#include "platform/ui/GdiObjects.h"
#include "tests/app/SettingsDialogFixture.h"

namespace {

using settingstest::SettingsDialogFixture;

// Choosers that answer with a fixed path and record what they were asked.
class FakeChoosers : public ui::FileChooserService {
 public:
  bool ChooseFolder(const ui::FolderChoice& choice, std::string& chosen) override {
    titles.push_back(choice.title);
    starts.push_back(choice.start_folder);
    chosen = answer;
    return !answer.empty();
  }
  bool ChooseFile(const ui::FileChoice& choice, std::string& chosen) override {
    titles.push_back(choice.title);
    wildcards.push_back(choice.wildcard);
    chosen = answer;
    return !answer.empty();
  }
  std::string answer;
  std::vector<std::string> titles, starts, wildcards;
};

class SettingsDialogsTest : public SettingsDialogFixture {
 protected:
  void SetUp() override {
    SettingsDialogFixture::SetUp();
    ui::SetFileChooserService(&choosers);
    std::filesystem::create_directories(folder / "logs");
  }
  void TearDown() override {
    ui::SetFileChooserService(nullptr);
    SettingsDialogFixture::TearDown();
  }
  FakeChoosers choosers;
};

// ---- program properties

TEST_F(SettingsDialogsTest, ProgramPropertiesCheckTheLogFolderOnlyWhileLogging) {
  using namespace app::appsettings;
  DocumentSettings settings;
  settings.conversion_log = 0;
  settings.conversion_log_folder = "/nowhere/at/all/";
  CAppSettingsDlg dialog;
  dialog.LoadFrom(settings);
  Open(dialog, app::kAppSettingsDialog);
  EXPECT_FALSE(Enabled(dialog, kLogFolderEdit));
  EXPECT_FALSE(Enabled(dialog, kLogFolderChooser));
  Click(dialog, kConversionLog);
  EXPECT_TRUE(Enabled(dialog, kLogFolderEdit));
  EXPECT_TRUE(Enabled(dialog, kLogFolderChooser));

  for (const char* bad : {"/nowhere/at/all/", "", "logs", "x"}) {
    SCOPED_TRACE(bad);
    notices.clear();
    dialog.SetDlgItemText(kLogFolderEdit, bad);
    Press(dialog, ui::IDOK);
    EXPECT_TRUE(StillOpen(dialog));
    EXPECT_EQ(notices, std::vector<std::string>{"The Conversion Log File directory is invalid or does not exist."});
    EXPECT_EQ(FocusId(dialog), kLogFolderEdit);
  }
  choosers.answer = folder / "logs";
  Press(dialog, kLogFolderChooser);
  EXPECT_EQ(choosers.titles, std::vector<std::string>{"Select Conversion Log File Path:"});
  EXPECT_EQ(choosers.starts, std::vector<std::string>{"x"});
  EXPECT_EQ(dialog.GetDlgItemText(kLogFolderEdit), folder / "logs");
  Click(dialog, kSaveSettings);
  Press(dialog, ui::IDOK);
  ASSERT_FALSE(StillOpen(dialog));
  dialog.StoreInto(settings);
  EXPECT_EQ(settings.conversion_log, 1);
  EXPECT_EQ(settings.save_settings, 0);
  EXPECT_EQ(settings.conversion_log_folder, folder / "logs/");  // with its separator
}

// ---- file list properties

struct ListCase {
  const char* what;
  std::function<void(CListPropertiesDlg&)> change;
  const char* message;  // nullptr: accepted
  int focus;
};

TEST_F(SettingsDialogsTest, ListPropertiesRefuseInTheirOrder) {
  using namespace app::listprops;
  const std::string good = folder.path();
  const auto text = [](int id, std::string value) { return [=](CListPropertiesDlg& d) { d.SetDlgItemText(id, value); }; };
  const ListCase cases[] = {
      {"no sort type", [](CListPropertiesDlg& d) { ui::SendDlgItemMessage(d.m_hWnd, kSortCombo, ui::CB_SETCURSEL, static_cast<ui::WPARAM>(-1), 0); }, "Please specify a Sort By type.", kSortCombo},
      {"no sort order", [](CListPropertiesDlg& d) { ui::CheckDlgButton(d.m_hWnd, kAscending, 0); }, "Please specify a sort order (Ascending/Descending).", kAscending},
      {"log folder missing", text(kLogFolder, good + "/missing"), "The specified Log Files Working Directory is invalid or does not exist.", kLogFolder},
      {"log folder relative", text(kLogFolder, "logs"), "The specified Log Files Working Directory is invalid or does not exist.", kLogFolder},
      {"log filter empty", text(kLogFilter, ""), "No Log File Filter has been specified.", kLogFilter},
      {"instrument folder missing", text(kInstrumentFolder, "/no/such"), "The specified Instrument Files Working Directory is invalid or does not exist.", kInstrumentFolder},
      {"instrument filter empty", text(kInstrumentFilter, ""), "No Instrument File Filter has been specified.", kInstrumentFilter},
      {"package source skips the folder", [](CListPropertiesDlg& d) { d.SetDlgItemText(kInstrumentFolder, "/no/such"); Click(d, kFromPackage); }, nullptr, 0},
      {"output folder a file", text(kOutputFolder, folder.Write("file.txt", "x")), "The specified Output Files Working Directory is invalid or does not exist.", kOutputFolder},
      {"output filter empty", text(kOutputFilter, ""), "No Output File Filter has been specified.", kOutputFilter},
      {"the root folder", text(kLogFolder, "/"), nullptr, 0},
      {"a folder without its last separator", text(kOutputFolder, good), nullptr, 0},
      {"all good", [](CListPropertiesDlg&) {}, nullptr, 0},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.what);
    CListProperties list;
    list.m_strWorkingFolder = good + "/";
    CListPropertiesDlg d;
    for (int index = 0; index < 3; ++index) d.SetList(list, index);
    Open(d, app::kListPropertiesDialog);
    notices.clear();
    c.change(d);
    Press(d, ui::IDOK);
    if (c.message == nullptr) {
      EXPECT_FALSE(StillOpen(d));
      EXPECT_TRUE(notices.empty());
    } else {
      EXPECT_TRUE(StillOpen(d));
      EXPECT_EQ(notices, std::vector<std::string>{c.message});
      EXPECT_EQ(FocusId(d), c.focus);
    }
    d.DestroyWindow();
  }
}

TEST_F(SettingsDialogsTest, ListPropertiesShareOneSortAndChooseTheInstrumentSource) {
  using namespace app::listprops;
  CListProperties log, instruments, output;
  log.m_strWorkingFolder = folder.path() + "/";
  instruments.m_nSortType = CListProperties::kSortBySize;  // the last list given wins
  output.m_strWorkingFolder = folder.path() + "/";
  output.m_nSortType = CListProperties::kSortByDate;
  output.m_nSortDirection = CListProperties::kDescending;
  instruments.m_bUseWorkingFolder = 0;
  instruments.m_strPackageFile = "/packs/a.hip";
  CListPropertiesDlg dialog;
  dialog.SetList(log, 0);
  dialog.SetList(instruments, 1);
  dialog.SetList(output, 2);
  EXPECT_FALSE(dialog.SetList(log, 3));
  Open(dialog, app::kListPropertiesDialog);
  EXPECT_EQ(Selection(dialog, kSortCombo), CListProperties::kSortByDate);
  EXPECT_TRUE(Checked(dialog, kDescending));
  EXPECT_TRUE(Checked(dialog, kFromPackage));
  EXPECT_TRUE(Enabled(dialog, kPackageEdit));
  EXPECT_FALSE(Enabled(dialog, kInstrumentFolder));
  EXPECT_FALSE(Enabled(dialog, kInstrumentChooser));
  EXPECT_EQ(dialog.GetDlgItemText(kPackageEdit), "/packs/a.hip");

  choosers.answer = folder / "pack.hip";
  Press(dialog, kPackageChooser);
  choosers.answer = folder / "logs";
  Press(dialog, kLogChooser);
  EXPECT_EQ(choosers.titles, (std::vector<std::string>{"Select Instrument Package File:", "Select Log File Path:"}));
  EXPECT_EQ(choosers.wildcards, std::vector<std::string>{"Instrument Package Files (*.hip)|*.hip|"});
  Select(dialog, kSortCombo, CListProperties::kSortByName);
  Click(dialog, kAscending);
  Click(dialog, kLogSubfolders);
  Press(dialog, ui::IDOK);
  ASSERT_FALSE(StillOpen(dialog));
  CListProperties back[3];
  for (int index = 0; index < 3; ++index) {
    ASSERT_TRUE(dialog.GetList(back[index], index));
    EXPECT_EQ(back[index].m_nSortType, CListProperties::kSortByName) << index;
    EXPECT_EQ(back[index].m_nSortDirection, CListProperties::kAscending) << index;
  }
  EXPECT_EQ(back[0].m_strWorkingFolder, folder / "logs/");
  EXPECT_EQ(back[0].m_bRecursive, 1);
  EXPECT_EQ(back[2].m_bRecursive, 0);
  EXPECT_EQ(back[1].m_bUseWorkingFolder, 0);
  EXPECT_EQ(back[1].m_strPackageFile, folder / "pack.hip");
}

TEST_F(SettingsDialogsTest, AListNotGivenStartsInTheHomeFolderAndNothingIsCreated) {
  using namespace app::listprops;
  const std::string home = folder / "home";
  ::setenv("HOME", home.c_str(), 1);
  CListPropertiesDlg dialog;
  EXPECT_EQ(dialog.m_strDefaultFolder, home + "/");
  EXPECT_FALSE(std::filesystem::exists(home));
  Open(dialog, app::kListPropertiesDialog);
  EXPECT_EQ(dialog.GetDlgItemText(kOutputFolder), home + "/");
  EXPECT_EQ(dialog.GetDlgItemText(kOutputFilter), "*.*");
  EXPECT_TRUE(Checked(dialog, kFromFiles));
  Press(dialog, ui::IDCANCEL);
  EXPECT_FALSE(std::filesystem::exists(home));
}

// ---- file naming

struct NamingCase {
  const char* what;
  int mode_radio;  // 0: none checked
  int type;        // -1: none selected
  const char* increment;
  const char* message;  // nullptr: accepted
  int focus;
  const char* stored_increment;
  int stored_type;
};

TEST_F(SettingsDialogsTest, FileNamingChecksThePageItLeaves) {
  using namespace app::naming;
  const NamingCase cases[] = {
      {"no convention", 0, 0, "A", "Please specify a File Naming Convention.", kUserDefined, "", 0},
      {"two letters", kAutoIncrement, 0, "AB", "Please specify a single character increment value.", kIncrementEdit, "", 0},
      {"a digit as letter", kAutoIncrement, 0, "7", "Please specify a single character increment value.", kIncrementEdit, "", 0},
      {"1000", kAutoIncrement, 1, "1000", "Please specify an increment value from 0 to 999.", kIncrementEdit, "", 0},
      {"empty number", kAutoIncrement, 1, "", "Please specify an increment value from 0 to 999.", kIncrementEdit, "", 0},
      {"no type", kAutoIncrement, -1, "A", "Please specify an Increment type.", kIncrementTypeCombo, "", 0},
      {"small letter", kAutoIncrement, 0, "b", nullptr, 0, "B", 0},
      {"number normalised", kAutoIncrement, 1, "007", nullptr, 0, "7", 1},
      {"letters ignored when typed", kUserDefined, 0, "xyz", nullptr, 0, "A", 0},
      {"number ignored with titles", kFileTitles, 1, "5000", nullptr, 0, "0", 1},
      {"no type with titles", kFileTitles, -1, "", nullptr, 0, "A", 0},
  };
  for (const NamingCase& c : cases) {
    SCOPED_TRACE(c.what);
    CFileNamingDlg d;
    d.SetNaming(CFileNaming{}, CFileNamingDlg::kInstrumentPage);
    Open(d, app::kFileNamingDialog);
    notices.clear();
    for (int radio : {kUserDefined, kFileTitles, kAutoIncrement}) ui::CheckDlgButton(d.m_hWnd, radio, radio == c.mode_radio);
    ui::SendDlgItemMessage(d.m_hWnd, kIncrementTypeCombo, ui::CB_SETCURSEL, static_cast<ui::WPARAM>(c.type), 0);
    d.SetDlgItemText(kIncrementEdit, c.increment);
    Press(d, ui::IDOK);
    if (c.message) {
      EXPECT_TRUE(StillOpen(d));
      EXPECT_EQ(notices, std::vector<std::string>{c.message});
      EXPECT_EQ(FocusId(d), c.focus);
    } else {
      EXPECT_FALSE(StillOpen(d));
      EXPECT_TRUE(notices.empty());
      CFileNaming back;
      ASSERT_TRUE(d.GetNaming(back, 0));
      EXPECT_EQ(back.m_strIncrement, c.stored_increment);
      EXPECT_EQ(back.m_nIncrementType, c.stored_type);
    }
    d.DestroyWindow();
  }
}

TEST_F(SettingsDialogsTest, FileNamingPagesEnablingAndTheIncrementFilter) {
  using namespace app::naming;
  CFileNaming instrument, header;
  instrument.m_nMode = CFileNaming::kModeAutoIncrement;
  instrument.m_strBase = "CAST";
  header.m_nMode = CFileNaming::kModeFileTitles;
  header.m_strExtension = "txt";
  CFileNamingDlg dialog;
  dialog.SetNaming(instrument, 0);
  dialog.SetNaming(header, 1);
  EXPECT_FALSE(dialog.SetNaming(header, 2));
  Open(dialog, app::kFileNamingDialog);
  EXPECT_TRUE(Checked(dialog, kAutoIncrement));
  EXPECT_TRUE(Enabled(dialog, kBaseEdit));
  EXPECT_EQ(dialog.GetDlgItemText(kBaseEdit), "CAST");

  // Typing: a small letter shows as a capital, a digit is refused while
  // the increment counts in letters, letters while it counts in numbers.
  const ui::HWND increment = ui::GetDlgItem(dialog.m_hWnd, kIncrementEdit);
  dialog.SetDlgItemText(kIncrementEdit, "");
  for (char c : std::string("q7")) ui::SendMessage(increment, ui::WM_CHAR, static_cast<ui::WPARAM>(c), 1);
  EXPECT_EQ(dialog.GetDlgItemText(kIncrementEdit), "Q");
  Select(dialog, kIncrementTypeCombo, CFileNaming::kIncrementNumeric);
  EXPECT_EQ(dialog.GetDlgItemText(kIncrementEdit), "0");
  dialog.SetDlgItemText(kIncrementEdit, "");
  for (char c : std::string("x05")) ui::SendMessage(increment, ui::WM_CHAR, static_cast<ui::WPARAM>(c), 1);
  EXPECT_EQ(dialog.GetDlgItemText(kIncrementEdit), "05");
  Select(dialog, kIncrementTypeCombo, CFileNaming::kIncrementAlphabetic);
  EXPECT_EQ(dialog.GetDlgItemText(kIncrementEdit), "A");

  Click(dialog, kUserDefined);
  EXPECT_FALSE(Enabled(dialog, kBaseEdit));
  EXPECT_FALSE(Enabled(dialog, kIncrementEdit));
  EXPECT_FALSE(Enabled(dialog, kIncrementTypeCombo));
  Click(dialog, kAutoIncrement);
  EXPECT_TRUE(Enabled(dialog, kIncrementTypeCombo));

  // A page that fails its check stays the page shown.
  dialog.SetDlgItemText(kIncrementEdit, "AB");
  Select(dialog, kPageCombo, CFileNamingDlg::kHeaderPage);
  EXPECT_EQ(notices, std::vector<std::string>{"Please specify a single character increment value."});
  EXPECT_EQ(Selection(dialog, kPageCombo), CFileNamingDlg::kInstrumentPage);
  EXPECT_EQ(FocusId(dialog), kIncrementEdit);
  dialog.SetDlgItemText(kIncrementEdit, "C");
  Select(dialog, kPageCombo, CFileNamingDlg::kHeaderPage);
  EXPECT_TRUE(Checked(dialog, kFileTitles));
  EXPECT_EQ(dialog.GetDlgItemText(kExtensionEdit), "txt");
  EXPECT_FALSE(Enabled(dialog, kBaseEdit));
  Press(dialog, ui::IDOK);
  ASSERT_FALSE(StillOpen(dialog));
  EXPECT_EQ(dialog.m_nPage, CFileNamingDlg::kHeaderPage);
  CFileNaming back;
  dialog.GetNaming(back, 0);
  EXPECT_EQ(back.m_strIncrement, "C");
  EXPECT_EQ(back.m_strBase, "CAST");
  dialog.GetNaming(back, 1);
  EXPECT_EQ(back.m_nMode, CFileNaming::kModeFileTitles);
}

// ---- the overwrite question

TEST_F(SettingsDialogsTest, OverwriteAnswersAndYesToAllOnlyInASeries) {
  using namespace app::overwrite;
  struct Case {
    int button;
    bool series;
    OverwriteAnswer answer;
  };
  const Case cases[] = {
      {kYes, false, OverwriteAnswer::kYes},         {kNo, false, OverwriteAnswer::kNo},
      {kCancel, false, OverwriteAnswer::kCancel},   {kYesToAll, true, OverwriteAnswer::kYesToAll},
      {ui::IDCANCEL, true, OverwriteAnswer::kCancel},  // Escape stops, it does not skip
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    COverwriteDlg d;
    d.m_strQuestion = "The output file \"/data/b.dat\" already exists. Do you wish to overwrite this file and continue the conversion?";
    d.m_bSeries = c.series;
    Open(d, app::kOverwriteDialog);
    EXPECT_EQ(Enabled(d, kYesToAll), c.series);
    EXPECT_EQ(d.GetDlgItemText(kQuestionText), d.m_strQuestion);
    EXPECT_EQ(d.GetStyle() & ui::WS_SYSMENU, 0u);
    // The question and the answers are in bold.
    for (int id : {kQuestionText, kYes, kCancel}) {
      ui::LOGFONT font{};
      const auto handle = reinterpret_cast<ui::HGDIOBJ>(ui::SendDlgItemMessage(d.m_hWnd, id, ui::WM_GETFONT, 0, 0));
      ASSERT_NE(handle, nullptr) << id;
      ASSERT_GT(ui::GetObject(handle, sizeof font, &font), 0) << id;
      EXPECT_EQ(font.lfWeight, 700) << id;
    }
    Press(d, c.button);
    EXPECT_FALSE(StillOpen(d));
    const afx::INT_PTR result = c.button == kYes || c.button == kYesToAll ? afx::IDOK : afx::IDCANCEL;
    EXPECT_EQ(d.Answer(result), c.answer);
    d.DestroyWindow();
  }
}

}  // namespace
