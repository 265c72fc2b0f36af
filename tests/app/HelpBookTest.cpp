// The help book against the program: every context the program asks for
// has an entry in the book's contents whose page and anchor exist, every
// control with a topic is in its dialog, and F1, the Help button and the
// main window's numbers reach the viewer as the right contexts.
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "app/AppSettingsDlg.h"
#include "app/FileNamingDlg.h"
#include "app/HelpBook.h"
#include "app/ListPropertiesDlg.h"
#include "app/ParametersDlg.h"
#include "app/SettingsDlgIds.h"
#include "core/conversion/BrivenParameters.h"
#include "platform/ui/HelpViewer.h"
#include "tests/app/SettingsDialogFixture.h"

namespace {

using settingstest::SettingsDialogFixture;

const std::string kBookSource = std::string(BRIVEN_APP_SOURCE) + "/help/";

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Context number -> the page (with its anchor) of the contents file.
std::multimap<unsigned long, std::string> ContentsEntries(const std::string& contents) {
  std::multimap<unsigned long, std::string> entries;
  const std::regex entry(R"re(<param name="Local" value="([^"]+)"><param name="ID" value="(\d+)">)re");
  for (std::sregex_iterator it(contents.begin(), contents.end(), entry), end; it != end; ++it)
    entries.emplace(std::stoul((*it)[2]), (*it)[1]);
  return entries;
}

class RecordingViewer : public ui::HelpViewerService {
 public:
  bool ShowHelp(ui::HWND, const std::string& book, unsigned long context) override {
    books.push_back(book);
    contexts.push_back(context);
    return true;
  }
  std::vector<std::string> books;
  std::vector<unsigned long> contexts;
};

class HelpBookTest : public SettingsDialogFixture {
 protected:
  void SetUp() override {
    SettingsDialogFixture::SetUp();
    ui::SetHelpViewerService(&viewer);
  }
  void TearDown() override {
    ui::SetHelpViewerService(nullptr);
    SettingsDialogFixture::TearDown();
  }
  // F1 as the dialog's loop hands it over with the focus on `control`.
  static void PressF1(afx::CDialog& dialog, int control) {
    ui::MSG msg{};
    msg.hwnd = ui::GetDlgItem(dialog.m_hWnd, control);
    msg.message = ui::WM_KEYDOWN;
    msg.wParam = ui::VK_F1;
    EXPECT_TRUE(dialog.PreTranslateMessage(&msg)) << control;
  }
  RecordingViewer viewer;
};

TEST_F(HelpBookTest, EveryContextInUseHasOneEntryWhosePageAndAnchorExist) {
  const std::string contents = Read(kBookSource + "briven.hhc");
  const std::string project = Read(kBookSource + "briven.hhp");
  ASSERT_FALSE(contents.empty());
  ASSERT_NE(project.find("Contents file=briven.hhc"), std::string::npos);
  const auto entries = ContentsEntries(contents);
  const std::vector<unsigned long> in_use = app::HelpContextsInUse();
  EXPECT_EQ(std::set<unsigned long>(in_use.begin(), in_use.end()).size(), in_use.size()) << "a context twice";
  for (unsigned long context : in_use) {
    SCOPED_TRACE(::testing::Message() << "context 0x" << std::hex << context);
    ASSERT_EQ(entries.count(context), 1u);
    const std::string local = entries.find(context)->second;
    const std::string page = local.substr(0, local.find('#'));
    EXPECT_NE(project.find("\n" + page + "\n"), std::string::npos) << page << " is not in the project's files";
    const std::string html = Read(kBookSource + page);
    ASSERT_FALSE(html.empty()) << page;
    if (local.find('#') != std::string::npos) {
      const std::string anchor = local.substr(local.find('#') + 1);
      EXPECT_NE(html.find("<a name=\"" + anchor + "\">"), std::string::npos) << local;
    }
  }
  // And the book promises nothing the program never asks for.
  for (const auto& [context, local] : entries)
    EXPECT_NE(std::find(in_use.begin(), in_use.end(), context), in_use.end()) << context << " " << local;
}

TEST_F(HelpBookTest, EveryControlWithATopicIsInItsDialogAndTheContextsFollowTheRule) {
  for (int dialog : {app::kParametersDialog, app::kAppSettingsDialog, app::kListPropertiesDialog, app::kFileNamingDialog}) {
    const ui::DialogTemplate* t = app::LoadAppDialog(dialog);
    ASSERT_NE(t, nullptr) << dialog;
    std::set<int> ids;
    for (const auto& item : t->items) ids.insert(item.id);
    ASSERT_FALSE(app::HelpControlsOf(dialog).empty()) << dialog;
    for (int control : app::HelpControlsOf(dialog)) {
      EXPECT_TRUE(ids.count(control)) << dialog << ": " << control;
      EXPECT_EQ(app::ControlHelpContextOrNone(dialog, control),
                static_cast<unsigned long>(control) * 65536 + static_cast<unsigned long>(dialog));
    }
  }
  EXPECT_EQ(app::DialogHelpContext(app::kParametersDialog), 0x20087u);
  EXPECT_EQ(app::DialogHelpContext(app::kListPropertiesDialog), 0x20086u);
  EXPECT_EQ(app::DialogHelpContext(app::kAppSettingsDialog), 0x20092u);
  EXPECT_EQ(app::DialogHelpContext(app::kFileNamingDialog), 0x2008Fu);
  // The naming dialog's box around the conventions has no topic.
  EXPECT_EQ(app::ControlHelpContextOrNone(app::kFileNamingDialog, app::naming::kConventionGroup), 0u);
}

TEST_F(HelpBookTest, TheMainWindowsNumbersMapToTheBarsTopics) {
  constexpr unsigned kMenuBarId = 0xE803;
  const std::pair<unsigned long, unsigned long> cases[] = {
      {0x80010001, 0x10066}, {0x80010002, 0x10067}, {0x80010003, 0x10068}, {0x80010004, 0x10069},
      {0x50000 + kMenuBarId, 0x1006A}, {0x80010005, 0x80010005}, {0x20080, 0x20080}, {0x20087, 0x20087}};
  for (const auto& [data, context] : cases) EXPECT_EQ(app::MapFrameHelpContext(data, kMenuBarId), context) << data;
}

TEST_F(HelpBookTest, F1OnAControlAndTheHelpButtonOpenTheirTopicsAndALabelOpensNothing) {
  CParametersDlg parameters;
  parameters.LoadFrom(CBrivenParameters{}, false);
  Open(parameters, app::kParametersDialog);
  PressF1(parameters, app::parameters::kLimitEdit);
  PressF1(parameters, app::parameters::kDelimiterCombo);
  Press(parameters, app::kHelpButton);
  EXPECT_EQ(viewer.contexts, (std::vector<unsigned long>{1003 * 65536 + 135, 1020 * 65536 + 135, 0x20087}));
  ASSERT_FALSE(viewer.books.empty());
  EXPECT_EQ(viewer.books[0], app::HelpBookPath());
  EXPECT_NE(viewer.books[0].find("share/briven/help/briven.hhp"), std::string::npos) << viewer.books[0];

  CFileNamingDlg naming;
  Open(naming, app::kFileNamingDialog);
  viewer.contexts.clear();
  ui::MSG msg{};
  msg.hwnd = ui::GetDlgItem(naming.m_hWnd, app::naming::kConventionGroup);
  msg.message = ui::WM_KEYDOWN;
  msg.wParam = ui::VK_F1;
  EXPECT_TRUE(naming.PreTranslateMessage(&msg));
  EXPECT_TRUE(viewer.contexts.empty());
  PressF1(naming, app::naming::kIncrementEdit);
  EXPECT_EQ(viewer.contexts, std::vector<unsigned long>{1041 * 65536 + 143});
  EXPECT_TRUE(notices.empty());
}

TEST_F(HelpBookTest, WithoutAViewerTheUserIsTold) {
  ui::SetHelpViewerService(nullptr);
  EXPECT_FALSE(app::ShowHelpContext(nullptr, app::kHelpMainWindow));
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find("No help could be shown"), std::string::npos) << notices[0];
}

}  // namespace

namespace {

ui::HWND g_labelled = nullptr;
unsigned long ContextOfClicked(ui::HWND clicked) { return clicked == g_labelled ? 0x203EF : 0; }

TEST_F(HelpBookTest, HelpModeShowsTheTopicOfTheWindowClickedAndEscapeLeavesIt) {
  const ui::HWND top = ui::CreateWindowEx(0, "Static", "main", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 300, 200,
                                          nullptr, nullptr, nullptr);
  ASSERT_NE(top, nullptr);
  g_labelled = ui::CreateWindowEx(0, "Static", "list", ui::WS_CHILD | ui::WS_VISIBLE, 10, 10, 100, 100, top,
                                  nullptr, nullptr);
  ui::PostMessage(g_labelled, ui::WM_LBUTTONDOWN, 0, ui::MAKELPARAM(5, 5));
  EXPECT_TRUE(app::RunHelpMode(top, &ContextOfClicked));
  ui::PostMessage(top, ui::WM_LBUTTONDOWN, 0, ui::MAKELPARAM(200, 150));
  EXPECT_TRUE(app::RunHelpMode(top, &ContextOfClicked));
  ui::PostMessage(top, ui::WM_KEYDOWN, ui::VK_ESCAPE, 0);
  EXPECT_FALSE(app::RunHelpMode(top, &ContextOfClicked));
  // The form's control, then the main window's own topic for the rest.
  EXPECT_EQ(viewer.contexts, (std::vector<unsigned long>{0x203EF, app::kHelpMainWindow}));
  ui::DestroyWindow(top);
}

TEST_F(HelpBookTest, AClickOnTheFormIsTheTopicOfItsControl) {
  app::RegisterResources();
  ui::DialogTemplate form = *app::LoadAppDialog(app::kFormView);
  form.style = (form.style & ~ui::WS_CHILD) | ui::WS_POPUP;
  const ui::HWND view = ui::CreateDialogIndirectParam(&form, nullptr, nullptr, 0);
  ASSERT_NE(view, nullptr);
  const std::pair<int, unsigned long> cases[] = {
      {app::kLogList, 0x20000 + 1007}, {app::kInstrumentList, 0x20000 + 1008},
      {app::kOutputList, 0x20000 + 1009}, {app::kNextOutputEdit, 0x20000 + 1017}};
  for (const auto& [id, context] : cases)
    EXPECT_EQ(app::HelpContextOfFormControl(view, ui::GetDlgItem(view, id)), context) << id;
  EXPECT_EQ(app::HelpContextOfFormControl(view, view), 0u);
  EXPECT_EQ(app::HelpContextOfFormControl(view, nullptr), 0u);
  // The headings have no id.
  const ui::HWND heading = ui::GetWindow(view, ui::GW_CHILD);
  EXPECT_EQ(app::HelpContextOfFormControl(view, heading), 0u);
  ui::DestroyWindow(view);
}

}  // namespace
