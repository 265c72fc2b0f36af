// The desktop program driven headlessly, as a user would drive it: the
// application starts interactively on the headless host, its lists show
// the example files, a log and an instrument are selected, Convert runs
// and OK dismisses the progress window. The output must be the command
// line's, byte for byte; a series of two logs by three instruments steps
// the title from 1/6 to 6/6; closing the main window saves its place.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/AppResources.h"
#include "app/BrivenApp.h"
#include "app/ConversionDlg.h"
#include "app/MainFrame.h"
#include "app/SettingsDlgIds.h"
#include "app/SavedWindowRect.h"
#include "core/conversion/BrivenDoc.h"
#include "docking/QVTStatusBar.h"
#include "platform/afx/WinApp.h"
#include "platform/sys/Notify.h"
#include "platform/sys/Profile.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/DropFiles.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/ImageResources.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/NonClient.h"
#include "platform/ui/Window.h"
#include "tests/app/DesktopProgramFixture.h"
#include "tests/app/ProgramRun.h"

namespace {

namespace fs = std::filesystem;

const std::string kExamples = BRIVEN_EXAMPLES;

class DesktopSession : public apptest::DesktopProgramFixture {
 protected:
  DesktopSession() : DesktopProgramFixture({"binary_cast.raw", "ascii_cast.raw", "NMAC0093.tdf", "NMBP0417.tdf"}) {}

  void SetUp() override {
    DesktopProgramFixture::SetUp();
    fs::copy_file(kExamples + "/NMBP0417.tdf", data_ + "ZZ0417.tdf");
  }
  // The settings a test chose, over the user's folders and extension.
  void Seed(sys::MemoryProfile& profile) override {
    for (const auto& [key, value] : seeded_) profile.WriteInt("Settings", key, value);
    if (!seeded_rect_.empty()) profile.WriteString("Window Position", "Rect", seeded_rect_);
  }
  void Start() {
    DesktopProgramFixture::Start();
    ASSERT_NE(view_, nullptr);
    view_->GetDocument()->SetProgramDirectory(std::string(BRIVEN_APP_SOURCE) + "/");
  }
  CFileListBox& List(int kind) { return view_->GetList(kind); }
  std::vector<std::string> Shown(int kind) {
    std::vector<std::string> names;
    CFileListBox& list = List(kind);
    for (int i = 0; i < list.GetCount(); ++i) {
      std::string text;
      list.GetText(i, text);
      names.push_back(text);
    }
    return names;
  }
  void Command(unsigned id) { app_->m_pMainWnd->SendMessage(ui::WM_COMMAND, id, 0); }
  bool ProgressShowsOk() {
    CConversionDlg* progress = view_->GetProgressWindow();
    return progress != nullptr && progress->GetItemText(1) == "OK";
  }
  void PressOk() {
    CConversionDlg* progress = view_->GetProgressWindow();
    ASSERT_NE(progress, nullptr);
    ASSERT_NE(progress->m_hWnd, nullptr);  // a real window, shown
    EXPECT_TRUE(progress->IsWindowVisible());
    progress->SendMessage(ui::WM_COMMAND, ui::IDOK, 0);
    RunUntil([&] { return view_->GetProgressWindow() == nullptr; });
  }
  std::string CommandLineOutput(const std::string& log, const std::string& instrument, const std::string& name) {
    apptest::ProgramOptions options;
    options.working_folder = folder_.path();
    options.config_home = folder_.Path("cli-config");
    const std::string out = folder_.Path(name);
    const apptest::ProgramRun run = apptest::RunProgram({data_ + log, out, data_ + instrument}, options);
    EXPECT_EQ(run.exit_code, 0) << run.err;
    return apptest::ReadFile(out);
  }

  std::vector<std::pair<std::string, int>> seeded_ = {{"Conversion Log", 0}};
  std::string seeded_rect_;
};

TEST_F(DesktopSession, TheListsShowTheFoldersFilesSortedAndTheFirstSelected) {
  Start();
  EXPECT_EQ(Shown(CListProperties::kLogList), (std::vector<std::string>{"ascii_cast.raw", "binary_cast.raw"}));
  EXPECT_EQ(Shown(CListProperties::kInstrumentList),
            (std::vector<std::string>{"NMAC0093.tdf", "NMBP0417.tdf", "ZZ0417.tdf"}));
  EXPECT_EQ(Shown(CListProperties::kOutputList), std::vector<std::string>{});
  // Nothing remembered: the first file of each list is the one selected.
  EXPECT_EQ(view_->GetDocument()->GetLogFileName(), data_ + "ascii_cast.raw");
  EXPECT_EQ(view_->GetDocument()->GetInstrumentFileName(), data_ + "NMAC0093.tdf");
  EXPECT_EQ(notices_, std::vector<std::string>{});
}

TEST_F(DesktopSession, ConvertingFromTheFormGivesTheCommandLinesOutput) {
  Start();
  Select(CListProperties::kLogList, {"binary_cast.raw"});
  Select(CListProperties::kInstrumentList, {"NMBP0417.tdf"});
  view_->SetDlgItemText(app::kNextOutputEdit, "desktop");
  const fs::path working_folder = fs::current_path();
  Command(app::kCmdConvert);
  RunUntil([&] { return view_->GetProgressWindow() != nullptr; });
  // The typed name is joined to the output folder, which never becomes
  // the process's current folder.
  EXPECT_EQ(view_->GetDocument()->GetOutputFileName(), out_ + "desktop.dat");
  EXPECT_EQ(fs::current_path(), working_folder);
  // While it runs, idle time greys the lists and says so in pane 2.
  auto* frame = dynamic_cast<CMainFrame*>(app_->m_pMainWnd);
  frame->SendMessage(afx::WM_IDLEUPDATECMDUI, ui::TRUE, 0);
  EXPECT_EQ(frame->GetPaneText(CMainFrame::kConvertingPane), " CONVERTING... ");
  const auto* status = dynamic_cast<docking::QVTStatusBar*>(frame->GetDlgItem(static_cast<int>(afx::AFX_IDW_STATUS_BAR)));
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->PartText(CMainFrame::kConvertingPane), " CONVERTING... ");
  EXPECT_FALSE(List(CListProperties::kLogList).IsWindowEnabled());
  // The pointer over the form and its lists is the wait cursor meanwhile.
  const auto pointer_over = [](ui::HWND window) {
    ui::SetCursor(nullptr);
    ui::SendMessage(window, ui::WM_SETCURSOR, reinterpret_cast<ui::WPARAM>(window),
                    ui::MAKELPARAM(ui::HTCLIENT, ui::WM_MOUSEMOVE));
    return ui::GetCursor();
  };
  const ui::HCURSOR wait = ui::LoadCursor(ui::IDC_WAIT);
  EXPECT_EQ(pointer_over(view_->m_hWnd), wait);
  EXPECT_EQ(pointer_over(List(CListProperties::kLogList).m_hWnd), wait);
  RunUntil([&] { return ProgressShowsOk(); });
  CConversionDlg* progress = view_->GetProgressWindow();
  // Pictures for a person to look at.
  RunUntil([&] { return true; });
  const std::string pictures = BRIVEN_TEST_BINARY_DIR;
  EXPECT_TRUE(ui::GetHeadlessHost().DumpWindowPng(app_->m_pMainWnd->m_hWnd, pictures + "/desktop_main.png"));
  EXPECT_TRUE(ui::GetHeadlessHost().DumpWindowPng(progress->m_hWnd, pictures + "/desktop_progress.png"));
  EXPECT_EQ(progress->GetItemText(app::kStatusText), "Conversion complete.");
  EXPECT_EQ(progress->GetPercent(), 100);
  EXPECT_EQ(progress->GetCounterColour(app::kFramesProcessedText), 0x00FFFFu);     // yellow
  EXPECT_EQ(progress->GetCounterColour(app::kCheckSumErrorsText), 0x0000FFu);      // red
  EXPECT_EQ(progress->GetDlgItemText(app::kFramesProcessedText), progress->GetItemText(app::kFramesProcessedText));
  // The "Next" box took the naming's extension.
  EXPECT_EQ(view_->GetNextOutputText(), "desktop.dat");
  PressOk();
  frame->SendMessage(afx::WM_IDLEUPDATECMDUI, ui::TRUE, 0);
  EXPECT_EQ(frame->GetPaneText(CMainFrame::kConvertingPane), "");
  EXPECT_TRUE(List(CListProperties::kLogList).IsWindowEnabled());
  EXPECT_NE(pointer_over(view_->m_hWnd), wait);
  EXPECT_EQ(app_->m_pMainWnd->GetWindowTextString(), "Briven");
  const std::string desktop = apptest::ReadFile(out_ + "desktop.dat");
  ASSERT_FALSE(desktop.empty());
  EXPECT_EQ(desktop, CommandLineOutput("binary_cast.raw", "NMBP0417.tdf", "cli.dat"));
  // The output list shows the new file.
  RunUntil([&] { return true; });
  Command(app::kCmdRefresh);
  EXPECT_EQ(Shown(CListProperties::kOutputList), std::vector<std::string>{"desktop.dat"});
  EXPECT_EQ(notices_, std::vector<std::string>{});
}

TEST_F(DesktopSession, AFileDroppedOnAListIsTakenUnlessAConversionRuns) {
  fs::create_directories(folder_.Path("cal"));
  apptest::WriteFile(folder_.Path("cal/a.CAL"), apptest::ReadFile(data_ + "NMBP0417.tdf"));
  Start();
  CFileListBox& instruments = List(CListProperties::kInstrumentList);
  auto drop = [&](const std::string& path) {
    ui::RECT rect;
    instruments.GetWindowRect(&rect);
    ASSERT_TRUE(ui::DeliverFileDrop(app_->m_pMainWnd->m_hWnd, ui::POINT{rect.left + 10, rect.top + 10}, {path}));
    RunUntil([&] { return true; });
    ui::MSG msg;
    while (ui::PeekMessage(&msg, nullptr, 0, 0, ui::PM_REMOVE)) ui::DispatchMessage(&msg);
  };
  drop(folder_.Path("cal/a.CAL"));
  // The list shows the file's folder through a filter of its extension,
  // matched without case, and the document converts with it.
  EXPECT_EQ(Shown(CListProperties::kInstrumentList), std::vector<std::string>{"a.CAL"});
  EXPECT_EQ(view_->GetDocument()->GetInstrumentFileName(), folder_.Path("cal/a.CAL"));
  // While a conversion runs, a drop changes nothing.
  Select(CListProperties::kLogList, {"binary_cast.raw"});
  view_->SetDlgItemText(app::kNextOutputEdit, "during");
  Command(app::kCmdConvert);
  RunUntil([&] { return view_->GetProgressWindow() != nullptr; });
  drop(data_ + "NMAC0093.tdf");
  EXPECT_EQ(Shown(CListProperties::kInstrumentList), std::vector<std::string>{"a.CAL"});
  EXPECT_EQ(view_->GetDocument()->GetInstrumentFileName(), folder_.Path("cal/a.CAL"));
  RunUntil([&] { return ProgressShowsOk(); });
  PressOk();
  EXPECT_TRUE(fs::exists(out_ + "during.dat"));
}

// The overwrite question of an interactive run is a dialog: a timer finds
// it among the top-level windows, reads its question and presses a button.
struct OverwriteAnswerer {
  static inline int button = 0;
  static inline std::vector<std::string> questions;
  static void Tick(ui::HWND, ui::UINT, ui::UINT_PTR, ui::DWORD) {
    for (ui::HWND top = ui::GetTopWindow(nullptr); top; top = ui::GetWindow(top, ui::GW_HWNDNEXT)) {
      const ui::HWND question = ui::GetDlgItem(top, app::overwrite::kQuestionText);
      if (!question || !ui::IsWindowVisible(top)) continue;
      char text[1024] = {};
      ui::GetWindowText(question, text, sizeof text);
      questions.push_back(sys::FoldToOneLine(text));
      ui::PostMessage(top, ui::WM_COMMAND, ui::MAKEWPARAM(static_cast<ui::WORD>(button), ui::BN_CLICKED),
                      reinterpret_cast<ui::LPARAM>(ui::GetDlgItem(top, button)));
    }
  }
};

TEST_F(DesktopSession, AnExistingOutputIsReplacedOnlyWhenTheUserSaysSo) {
  apptest::WriteFile(out_ + "kept.dat", "the user's file\n");
  Start();
  Select(CListProperties::kLogList, {"binary_cast.raw"});
  Select(CListProperties::kInstrumentList, {"NMBP0417.tdf"});
  struct Case {
    int button;
    bool replaced;
  };
  const ui::UINT_PTR timer = ui::SetTimer(nullptr, 0, 50, &OverwriteAnswerer::Tick);
  for (const Case& c : {Case{app::overwrite::kNo, false}, Case{app::overwrite::kYes, true}}) {
    OverwriteAnswerer::button = c.button;
    OverwriteAnswerer::questions.clear();
    view_->SetDlgItemText(app::kNextOutputEdit, "kept.dat");
    Command(app::kCmdConvert);
    RunUntil([&] {
      return !OverwriteAnswerer::questions.empty() && (ProgressShowsOk() || view_->GetProgressWindow() == nullptr);
    });
    ASSERT_FALSE(OverwriteAnswerer::questions.empty());
    EXPECT_NE(OverwriteAnswerer::questions[0].find("kept.dat\" already exists."), std::string::npos)
        << OverwriteAnswerer::questions[0];
    if (view_->GetProgressWindow() != nullptr) PressOk();
    const bool replaced = apptest::ReadFile(out_ + "kept.dat") != "the user's file\n";
    EXPECT_EQ(replaced, c.replaced) << c.button;
  }
  ui::KillTimer(nullptr, timer);
}

TEST_F(DesktopSession, ASeriesOfTwoLogsByThreeInstrumentsTitlesEachStep) {
  Start();
  // Titles from log and instrument, so several files can be selected.
  view_->GetInstrumentNaming().m_nMode = CFileNaming::kModeFileTitles;
  view_->UpdateSelectionModes();
  Select(CListProperties::kLogList, {"ascii_cast.raw", "binary_cast.raw"});
  Select(CListProperties::kInstrumentList, {"NMAC0093.tdf", "NMBP0417.tdf", "ZZ0417.tdf"});
  std::set<std::string> titles;
  view_->SetProgressObserver([&](int) { titles.insert(app_->m_pMainWnd->GetWindowTextString()); });
  Command(app::kCmdConvert);
  EXPECT_EQ(view_->GetTotal(), 6);
  RunUntil([&] { return !view_->IsSeries() && ProgressShowsOk(); });
  for (int step = 1; step <= 6; ++step) {
    const std::string prefix = "Briven - Conversion in Progress - " + std::to_string(step) + "/6 ";
    const bool seen = std::any_of(titles.begin(), titles.end(),
                                  [&](const std::string& title) { return title.rfind(prefix, 0) == 0; });
    EXPECT_TRUE(seen) << prefix;
  }
  EXPECT_EQ(view_->GetProgressWindow()->GetTitle(), "Briven Conversion - 6/6");
  PressOk();
  // The instrument varied fastest; every pair has its output.
  for (const char* name : {"ascii_cast-NMAC0093.dat", "ascii_cast-NMBP0417.dat", "ascii_cast-ZZ0417.dat",
                           "binary_cast-NMAC0093.dat", "binary_cast-NMBP0417.dat", "binary_cast-ZZ0417.dat"})
    EXPECT_TRUE(fs::exists(out_ + name)) << name;
  EXPECT_EQ(apptest::ReadFile(out_ + "binary_cast-NMBP0417.dat"),
            CommandLineOutput("binary_cast.raw", "NMBP0417.tdf", "cli.dat"));
}

TEST_F(DesktopSession, TheMainFrameHasAFixedSizeTheMenuAndTheHelpMapping) {
  Start();
  afx::CWnd* frame = app_->m_pMainWnd;
  EXPECT_EQ(frame->GetStyle() & (ui::WS_THICKFRAME | ui::WS_MAXIMIZEBOX), 0u);
  // The menu is the docking menu bar's four titles, not the window's.
  auto* main = dynamic_cast<CMainFrame*>(frame);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(frame->GetMenu(), nullptr);
  ASSERT_NE(main->GetMenuBarOfFrame(), nullptr);
  EXPECT_EQ(main->GetMenuBarOfFrame()->GetButtonCount(), 4);
  // The frame follows the form: its client area is the bars, the form and
  // the status bar below it; a size given to it from outside does not
  // stay.
  const auto* status = dynamic_cast<docking::QVTStatusBar*>(frame->GetDlgItem(static_cast<int>(afx::AFX_IDW_STATUS_BAR)));
  ASSERT_NE(status, nullptr);
  ui::RECT fitted;
  frame->GetWindowRect(&fitted);
  for (const int grow : {0, 120}) {
    SCOPED_TRACE(grow);
    if (grow != 0)
      frame->SetWindowPos(nullptr, 0, 0, fitted.right - fitted.left + grow, fitted.bottom - fitted.top + grow,
                          ui::SWP_NOMOVE | ui::SWP_NOZORDER);
    ui::RECT now, client, view_rect, status_rect;
    frame->GetWindowRect(&now);
    EXPECT_EQ(now, fitted);
    frame->GetClientRect(&client);
    view_->GetClientRect(&view_rect);
    EXPECT_EQ(view_rect.right, view_->GetTotalSize().cx);
    EXPECT_EQ(view_rect.bottom, view_->GetTotalSize().cy);
    // Below the form (which stands below the toolbar), the status bar.
    ui::RECT form;
    view_->GetWindowRect(&form);
    frame->ScreenToClient(&form);
    EXPECT_EQ(form.bottom - form.top, view_rect.bottom);
    status->GetWindowRect(&status_rect);
    frame->ScreenToClient(&status_rect);
    EXPECT_EQ(status_rect, (ui::RECT{0, form.bottom, client.right, client.bottom}));
    EXPECT_GT(status_rect.bottom - status_rect.top, 0);
  }
  // The status bar: a stretching pane, then one as wide as " H " and one
  // as wide as " CONVERTING... "; no size grip on a frame of fixed size.
  ASSERT_EQ(status->GetCount(), 3);
  EXPECT_EQ(status->GetItemID(CMainFrame::kHeaderPane), app::kStringHeaderPane);
  EXPECT_EQ(status->GetItemID(CMainFrame::kConvertingPane), app::kStringConvertingPane);
  ui::RECT header_part, converting_part;
  status->GetItemRect(CMainFrame::kHeaderPane, &header_part);
  status->GetItemRect(CMainFrame::kConvertingPane, &converting_part);
  EXPECT_GT(converting_part.right - converting_part.left, 2 * (header_part.right - header_part.left));
  EXPECT_FALSE(status->HasSizeGrip());
  // The system menu's Size and Maximize are grey once it opens.
  afx::CMenu* system = frame->GetSystemMenu(ui::FALSE);
  ASSERT_NE(system, nullptr);
  frame->SendMessage(ui::WM_INITMENU, reinterpret_cast<ui::WPARAM>(system->m_hMenu), 0);
  EXPECT_NE(system->GetMenuState(static_cast<ui::UINT>(ui::SC_SIZE), ui::MF_BYCOMMAND) & ui::MF_GRAYED, 0u);
  EXPECT_NE(system->GetMenuState(static_cast<ui::UINT>(ui::SC_MAXIMIZE), ui::MF_BYCOMMAND) & ui::MF_GRAYED, 0u);
  struct HelpCase {
    unsigned long asked, shown;
  };
  for (const HelpCase& c : {HelpCase{0x50000 + CMainFrame::kMenuBarId, 0x1006A}, HelpCase{0x80010001, 0x10066},
                            HelpCase{0x80010004, 0x10069}, HelpCase{0x20080, 0x20080}, HelpCase{0x2008F, 0x2008F}})
    EXPECT_EQ(CMainFrame::MapHelpContext(c.asked), c.shown) << std::hex << c.asked;
  // Header conversion shows " H " in pane 1; a conversion " CONVERTING... "
  // in pane 2 (at the next idle update).
  EXPECT_EQ(status->PartText(CMainFrame::kHeaderPane), "");
  Command(app::kCmdHeader);
  EXPECT_EQ(main->GetPaneText(CMainFrame::kHeaderPane), " H ");
  EXPECT_EQ(status->PartText(CMainFrame::kHeaderPane), " H ");
  EXPECT_FALSE(List(CListProperties::kInstrumentList).IsWindowEnabled());
  Command(app::kCmdHeader);
  EXPECT_EQ(main->GetPaneText(CMainFrame::kHeaderPane), "");
  EXPECT_TRUE(List(CListProperties::kInstrumentList).IsWindowEnabled());
}

// Each command of the menu opens its window over the main window, and Esc
// closes it: a timer takes the caption of the window that is up and
// presses Esc in it.
struct EscapePresser {
  static inline std::vector<std::string> captions;
  static void Tick(ui::HWND, ui::UINT, ui::UINT_PTR, ui::DWORD) {
    const ui::HWND active = ui::GetActiveWindow();
    const std::string caption = active ? ui::GetWindowTextString(active) : "";
    if (caption == "Briven" || caption.empty()) return;  // the main window: nothing is up yet
    captions.push_back(caption);
    ui::PostMessage(ui::GetFocus() ? ui::GetFocus() : active, ui::WM_KEYDOWN, ui::VK_ESCAPE, 0);
  }
};

TEST_F(DesktopSession, EachMenuCommandOpensItsDialogAndEscapeClosesIt) {
  Start();
  struct Case {
    unsigned command;
    const char* caption;
  };
  const Case cases[] = {
      {app::kCmdDocumentProperties, "Briven Properties"},
      {app::kCmdParameters, "Conversion Parameters"},
      {app::kCmdFileNaming, "Output File Naming"},
      {app::kCmdViewProperties, "File List Properties"},
      {app::kCmdAppAbout, "About Briven"},
  };
  const ui::UINT_PTR timer = ui::SetTimer(nullptr, 0, 50, &EscapePresser::Tick);
  for (const Case& c : cases) {
    EscapePresser::captions.clear();
    Command(c.command);  // returns when the modal dialog has gone
    EXPECT_EQ(EscapePresser::captions, std::vector<std::string>{c.caption}) << c.command;
    EXPECT_TRUE(app_->m_pMainWnd->IsWindowEnabled()) << c.command;
  }
  ui::KillTimer(nullptr, timer);
  // Escape left every setting as it was: Cancel hands nothing back.
  EXPECT_EQ(view_->GetDocument()->GetSettings().overwrite_prompt, 1);
  // The form's headings and the About box's icon are the program's pictures.
  int pictures = 0;
  for (ui::HWND child = ui::GetWindow(view_->m_hWnd, ui::GW_CHILD); child;
       child = ui::GetWindow(child, ui::GW_HWNDNEXT)) {
    if (ui::GetClassName(child) != "Static") continue;
    EXPECT_NE(ui::SendMessage(child, ui::STM_GETIMAGE, 0, 0), 0);
    ++pictures;
  }
  EXPECT_EQ(pictures, 4);
  EXPECT_EQ(notices_, std::vector<std::string>{});
}

TEST_F(DesktopSession, AScriptsCommandFileReachesTheMainWindow) {
  const std::string commands = folder_.Path("commands");
  ::setenv("BRIVEN_COMMAND_FILE", commands.c_str(), 1);
  Start();
  ::unsetenv("BRIVEN_COMMAND_FILE");
  EXPECT_FALSE(view_->GetConversionLog().IsShown());
  apptest::WriteFile(commands, std::to_string(app::kCmdConversionLog) + "\n");
  const std::int64_t written_at = clock_.NowMs();
  RunUntil([&] { return clock_.NowMs() >= written_at + 500; });
  EXPECT_TRUE(view_->GetConversionLog().IsShown());
  EXPECT_NE(view_->GetConversionLog().m_hWnd, nullptr);
  EXPECT_FALSE(fs::exists(commands));
}

TEST_F(DesktopSession, TheMainWindowComesBackWhereItWasKeptOnTheScreen) {
  struct Case {
    std::string saved;
    ui::LONG left, top;
  };
  const Case cases[] = {
      {"0100 0050 0700 0550", 100, 50},
      {"-3000 0050 -2400 0550", 0, 50},  // saved on a screen that is gone
      {"01oo 0050 0700 0550", -1, -1},   // damaged: where the window system puts it
  };
  for (const Case& c : cases) {
    seeded_rect_ = c.saved;
    Start();
    ui::RECT before;
    app_->m_pMainWnd->GetWindowRect(&before);
    // The place is given a moment after the window is shown.
    const std::int64_t shown_at = clock_.NowMs();
    RunUntil([&] { return clock_.NowMs() >= shown_at + 1000; });
    ui::RECT shown;
    app_->m_pMainWnd->GetWindowRect(&shown);
    if (c.left < 0) {
      EXPECT_EQ(shown, before) << c.saved;
    } else {
      EXPECT_EQ(shown.left, c.left) << c.saved;
      EXPECT_EQ(shown.top, c.top) << c.saved;
    }
    EXPECT_EQ(shown.right - shown.left, before.right - before.left) << "the frame keeps its own size";
    app_.reset();
    ui::MSG quit;  // the main window going ended the loop: not the next one
    ui::PeekMessage(&quit, nullptr, ui::WM_QUIT, ui::WM_QUIT, ui::PM_REMOVE);
  }
}

TEST_F(DesktopSession, AnUnattendedRunShowsNothingAndWritesNoPlacement) {
  app_ = std::make_unique<CBrivenApp>();
  ASSERT_TRUE(app_->Start({"briven", data_ + "binary_cast.raw", out_ + "unattended.dat", data_ + "NMBP0417.tdf"}));
  EXPECT_FALSE(app_->m_pMainWnd->IsWindowVisible());
  EXPECT_EQ(app_->m_pMainWnd->GetMenu(), nullptr);  // a frame never shown gets no menu
  EXPECT_EQ(app_->Run(), 0);
  EXPECT_EQ(app_->m_pMainWnd, nullptr);  // it went when its conversion ended
  EXPECT_EQ(apptest::ReadFile(out_ + "unattended.dat"),
            CommandLineOutput("binary_cast.raw", "NMBP0417.tdf", "cli.dat"));
  EXPECT_EQ(profile_->GetString("Window Position", "Rect", "none"), "none");
}

TEST_F(DesktopSession, ClosingTheMainWindowSavesItsPlaceAndTheLists) {
  Start();
  app_->m_pMainWnd->SetWindowPos(nullptr, 120, 80, 0, 0, ui::SWP_NOSIZE | ui::SWP_NOZORDER);
  Select(CListProperties::kLogList, {"binary_cast.raw"});
  const ui::HWND frame = app_->m_pMainWnd->m_hWnd;
  ui::SendMessage(frame, ui::WM_CLOSE, 0, 0);
  EXPECT_FALSE(ui::IsWindow(frame));
  ui::RECT saved;
  const std::string rect = profile_->GetString("Window Position", "Rect", "");
  ASSERT_TRUE(app::ParseWindowRect(rect, saved)) << rect;
  EXPECT_EQ(saved.left, 120);
  EXPECT_EQ(saved.top, 80);
  EXPECT_EQ(profile_->GetString("Log View", "File Selected", ""), "binary_cast.raw");
}

TEST_F(DesktopSession, ALogNamedOnTheCommandLineIsTheOneSelected) {
  fs::create_directories(folder_.Path("other"));
  apptest::WriteFile(folder_.Path("other/CAST"), apptest::ReadFile(data_ + "binary_cast.raw"));
  const fs::path working_folder = fs::current_path();
  struct Case {
    const char* what;
    std::string named;
    std::string folder, filter, selected;  // the log list's after the start
    std::string log;                       // the document's log file
  };
  const Case cases[] = {
      {"a log of the list's folder", data_ + "binary_cast.raw", data_, "*.raw", "binary_cast.raw",
       data_ + "binary_cast.raw"},
      {"by a name relative to where it started", "data/binary_cast.raw", data_, "*.raw", "binary_cast.raw",
       data_ + "binary_cast.raw"},
      {"one elsewhere, without extension", folder_.Path("other/CAST"), folder_.Path("other") + "/", "*.*", "CAST",
       folder_.Path("other/CAST")},
      {"one that is not there: the list as it was", folder_.Path("gone.raw"), data_, "*.raw", "ascii_cast.raw",
       data_ + "ascii_cast.raw"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::current_path(folder_.path());
    StartWith({c.named});
    fs::current_path(working_folder);
    const CListProperties& settings = *List(CListProperties::kLogList).GetSettings();
    EXPECT_EQ(settings.m_strWorkingFolder, c.folder);
    EXPECT_EQ(settings.m_strFilter, c.filter);
    EXPECT_EQ(settings.m_strFileSelected, c.selected);
    EXPECT_EQ(view_->GetDocument()->GetLogFileName(), c.log);
    EXPECT_TRUE(app_->m_pMainWnd->IsWindowVisible());
    app_.reset();
    Drain();
  }
  EXPECT_EQ(notices_, std::vector<std::string>{});
}

}  // namespace
