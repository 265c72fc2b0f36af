// The view driving conversions through its own messages and timers on the
// virtual clock, with the real document converting the example files:
// single conversions and the progress window's state, and series.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/AppResources.h"
#include "app/BrivenView.h"
#include "app/ConversionDlg.h"
#include "app/MainFrame.h"
#include "core/conversion/BrivenDoc.h"
#include "platform/afx/SingleDocTemplate.h"
#include "platform/afx/WinApp.h"
#include "platform/sys/Notify.h"
#include "platform/sys/Profile.h"
#include "platform/ui/Clock.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "tests/app/AppTestFolder.h"

namespace {

const std::string kExamples = BRIVEN_EXAMPLES;

// The output names in the order their conversions began, from the start
// blocks of the conversion log.
std::vector<std::string> StartedOutputs(const std::string& log) {
  std::vector<std::string> names;
  const std::string key = "\tOutput File: \"";
  for (std::size_t at = log.find(key); at != std::string::npos; at = log.find(key, at + 1)) {
    const std::size_t begin = at + key.size();
    names.push_back(std::filesystem::path(log.substr(begin, log.find('"', begin) - begin)).filename().string());
  }
  return names;
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

class ConversionDriving : public ::testing::Test {
 protected:
  // Private copies of the example files: a definition file is read under an
  // exclusive lock, so runs of other tests must not share ours.
  std::string Example(const std::string& name) {
    std::filesystem::create_directories(folder_ / "examples");
    const std::string copy = folder_ / ("examples/" + name);
    if (!std::filesystem::exists(copy)) std::filesystem::copy_file(kExamples + "/" + name, copy);
    return copy;
  }
  void SetUp() override {
    ui::SetClock(&clock_);
    ui::GetHeadlessHost().SetStallLimit(20000);
    sys::SetAppProfile(&profile_);
    app::RegisterResources();
    app_ = std::make_unique<afx::CWinApp>("Briven");
    app_->AddDocTemplate(new afx::CSingleDocTemplate(app::kMainResource, RUNTIME_CLASS(CBrivenDoc),
                                                     RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CBrivenView)));
    OpenHidden();
    ASSERT_NE(view_, nullptr);
    doc_->SetProgramDirectory(std::string(BRIVEN_APP_SOURCE) + "/");
    doc_->GetSettings().conversion_log = 0;
    view_->GetInstrumentNaming().m_nMode = CFileNaming::kModeFileTitles;
    view_->GetHeaderNaming().m_nMode = CFileNaming::kModeFileTitles;
  }
  void TearDown() override {
    CloseFrame();
    app_.reset();
    sys::SetAppProfile(nullptr);
    ui::SetClock(nullptr);
  }
  // The document with a hidden frame and its view, as an unattended run
  // makes them; the document stays when the frame goes, so a test can read
  // what the run left in it.
  void OpenHidden() {
    doc_ = dynamic_cast<CBrivenDoc*>(app_->GetDocTemplate(0)->OpenDocumentFile(nullptr, afx::FALSE));
    ASSERT_NE(doc_, nullptr);
    doc_->m_bAutoDelete = afx::FALSE;
    afx::POSITION position = doc_->GetFirstViewPosition();
    view_ = dynamic_cast<CBrivenView*>(doc_->GetNextView(position));
    frame_ = app_->m_pMainWnd ? app_->m_pMainWnd->m_hWnd : nullptr;
  }
  // The main window going ends the loop: its WM_QUIT is taken here, so
  // no later loop of the same thread ends early.
  void CloseFrame() {
    if (frame_ != nullptr && ui::IsWindow(frame_)) {
      ui::DestroyWindow(frame_);
      ui::MSG msg;
      ui::PeekMessage(&msg, nullptr, ui::WM_QUIT, ui::WM_QUIT, ui::PM_REMOVE);
    }
    view_ = nullptr;
  }
  bool FrameClosed() const { return !ui::IsWindow(frame_); }

  // Runs the loop until the main window has closed and so ended it (the
  // end of a run with "Dismiss Progress" on); its WM_QUIT is consumed, so
  // no later loop of the same thread ends early.
  void RunUntilClosed() {
    ui::MSG msg;
    while (ui::GetMessage(&msg, nullptr, 0, 0) > 0) ui::DispatchMessage(&msg);
    EXPECT_TRUE(FrameClosed());
    view_ = nullptr;  // it went with its frame
  }
  void RunUntil(const std::function<bool()>& done) { ui::RunNestedLoop(done, nullptr); }

  std::string TakeLog() {
    doc_->DeleteContents();  // delivers the log lines still queued
    std::string text;
    doc_->TakePendingLogText(text);
    return text;
  }
  std::string Out(const std::string& name) const { return folder_ / name; }
  std::string Copy(const std::string& from, const std::string& name) {
    std::filesystem::copy_file(from, folder_ / name);
    return folder_ / name;
  }

  apptest::TempFolder folder_;
  std::string binary_log_ = Example("binary_cast.raw");
  std::string binary_instrument_ = Example("NMBP0417.tdf");
  std::string ascii_log_ = Example("ascii_cast.raw");
  std::string ascii_instrument_ = Example("NMAC0093.tdf");
  ui::VirtualClock clock_;
  sys::MemoryProfile profile_;
  std::unique_ptr<afx::CWinApp> app_;
  CBrivenDoc* doc_ = nullptr;  // the template's
  CBrivenView* view_ = nullptr;  // its frame's
  ui::HWND frame_ = nullptr;
};

TEST_F(ConversionDriving, SeriesVariesTheInstrumentFastestAndSurvivesAFailedPair) {
  doc_->GetSettings().dismiss_progress = 1;
  view_->SetSelection({{Copy(ascii_log_, "cast1.raw"), Copy(binary_log_, "cast2.raw")},
                       {ascii_instrument_, folder_ / "missing.tdf", binary_instrument_},
                       folder_.path() + "/"});
  view_->OnConvert();
  EXPECT_TRUE(view_->IsSeries());
  EXPECT_EQ(view_->GetTotal(), 6);
  RunUntilClosed();
  const std::vector<std::string> expected = {"cast1-NMAC0093.dat", "cast1-missing.dat", "cast1-NMBP0417.dat",
                                             "cast2-NMAC0093.dat", "cast2-missing.dat", "cast2-NMBP0417.dat"};
  const std::string log = TakeLog();
  EXPECT_EQ(StartedOutputs(log), expected);
  // The pairs around the failed ones all ran to their end.
  EXPECT_EQ(Count(log, "Conversion complete."), 4u) << log;
  EXPECT_FALSE(std::filesystem::exists(Out("cast1-missing.dat")));
  EXPECT_EQ(Count(apptest::ReadFile(Out("cast1-NMAC0093.dat")), "\r\n"), 1u + 287u);
  EXPECT_EQ(Count(apptest::ReadFile(Out("cast2-NMBP0417.dat")), "\r\n"), 1u + 304u);
  // The series is over: its progress window went before the main window.
  EXPECT_EQ(doc_->GetProgressDialog(), nullptr);
}

TEST_F(ConversionDriving, HeaderSeriesStepsOnlyTheLogFiles) {
  doc_->GetSettings().dismiss_progress = 1;
  view_->SetHeaderConversion(true);
  const std::string header_lines = "BRVHDR NMBP0417 (Instrument)\r\n";
  for (const char* name : {"h1.raw", "h2.raw", "h3.raw"}) apptest::WriteFile(folder_ / name, header_lines);
  view_->SetSelection({{folder_ / "h1.raw", folder_ / "h2.raw", folder_ / "h3.raw"}, {binary_instrument_},
                       folder_.path() + "/"});
  view_->OnConvert();
  EXPECT_EQ(view_->GetTotal(), 3);
  RunUntilClosed();
  EXPECT_EQ(StartedOutputs(TakeLog()), (std::vector<std::string>{"h1.dat", "h2.dat", "h3.dat"}));
  EXPECT_EQ(apptest::ReadFile(Out("h3.dat")), "Instrument\tNMBP0417\r\n");
}

TEST_F(ConversionDriving, CancelStopsTheSeries) {
  doc_->GetSettings().dismiss_progress = 1;
  const std::string big = folder_ / "big.raw";
  const std::string command = std::string("'") + BRIVEN_GENERATE_LOG + "' fixed 60 '" + big + "' >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  view_->SetSelection({{big, Copy(binary_log_, "small.raw")}, {binary_instrument_}, folder_.path() + "/"});
  bool pressed = false;
  view_->SetProgressObserver([&](int) {
    CConversionDlg* progress = view_->GetProgressWindow();
    if (pressed || progress == nullptr) return;
    pressed = true;
    progress->OnOK();  // the button reads "Cancel" while a conversion runs
    EXPECT_TRUE(progress->IsCancelled());
  });
  view_->OnConvert();
  RunUntilClosed();
  const std::string log = TakeLog();
  EXPECT_EQ(StartedOutputs(log), (std::vector<std::string>{"big-NMBP0417.dat"}));
  EXPECT_EQ(Count(log, "Conversion aborted."), 1u) << log;
  EXPECT_FALSE(std::filesystem::exists(Out("small-NMBP0417.dat")));
}

TEST_F(ConversionDriving, DisplayedViewTitlesTheSeriesAndStepsTheIncrement) {
  view_->OnInitialUpdate();
  doc_->GetSettings().dismiss_progress = 1;
  CFileNaming& naming = view_->GetInstrumentNaming();
  naming.m_nMode = CFileNaming::kModeAutoIncrement;
  naming.m_nIncrementType = CFileNaming::kIncrementNumeric;
  naming.m_strBase = "CAST";
  naming.m_strIncrement = "7";
  view_->SetSelection({{Copy(binary_log_, "one.raw"), Copy(binary_log_, "two.raw")}, {binary_instrument_},
                       folder_.path() + "/"});
  std::set<std::string> titles;
  view_->SetProgressObserver([&](int) { titles.insert(ui::GetWindowTextString(frame_)); });
  view_->OnConvert();
  RunUntil([&] { return !view_->IsSeries() && doc_->GetProgressDialog() == nullptr; });
  EXPECT_TRUE(titles.count("Briven - Conversion in Progress - 1/2 (100%)")) << titles.size();
  EXPECT_TRUE(titles.count("Briven - Conversion in Progress - 2/2 (100%)"));
  // Back to the plain title once the series is over; the window stays.
  EXPECT_EQ(ui::GetWindowTextString(frame_), "Briven");
  EXPECT_FALSE(FrameClosed());
  EXPECT_TRUE(std::filesystem::exists(Out("CAST007.dat")));
  EXPECT_TRUE(std::filesystem::exists(Out("CAST008.dat")));
  EXPECT_EQ(naming.m_strIncrement, "9");
  // The log timer moved the conversion log into the log window's text.
  RunUntil([&] { return view_->GetConversionLog().GetText().find("two.raw") != std::string::npos; });
  EXPECT_NE(view_->GetConversionLog().GetText().find("Begin instrument conversion."), std::string::npos);
}

TEST_F(ConversionDriving, FinishedSingleConversionWaitsForOkWithItsCounts) {
  doc_->SetLogFileName(binary_log_);
  doc_->SetInstrumentFileName(binary_instrument_);
  doc_->SetOutputFileName(Out("single.dat"));
  ASSERT_TRUE(doc_->GetParameters().ParseCommandLine("-l100-2"));
  view_->OnConvert();
  RunUntil([&] {
    CConversionDlg* progress = view_->GetProgressWindow();
    return progress != nullptr && progress->GetItemText(1) == "OK";
  });
  CConversionDlg* progress = view_->GetProgressWindow();
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(progress->GetItemText(app::kStatusText), "Conversion complete.");
  EXPECT_EQ(progress->GetItemText(app::kLogFileText), "Log File: binary_cast.raw (6.53 KB)");
  EXPECT_EQ(progress->GetItemText(app::kInstrumentText), "Instrument File: NMBP0417.tdf");
  EXPECT_EQ(progress->GetItemText(app::kLimitsText),
            "Conversion Limit: 100 frames (maximum)\r\nConversion Depth: 2 frames");
  EXPECT_EQ(progress->GetItemText(app::kFramesProcessedText), "100 ");
  EXPECT_EQ(progress->GetItemText(app::kFrameCounterErrorsText), "");  // no frame counter check asked for
  EXPECT_EQ(progress->GetRange(), 100);
  EXPECT_EQ(progress->GetPercent(), 100);
  EXPECT_EQ(progress->GetTitle(), "Briven Conversion");
  EXPECT_TRUE(view_->GetOutcome().completed);
  // OK dismisses the window and ends the run.
  progress->OnOK();
  RunUntilClosed();
  EXPECT_EQ(doc_->GetProgressDialog(), nullptr);
}

TEST_F(ConversionDriving, HeaderConversionIsDrivenByTheLogLength) {
  apptest::WriteFile(folder_ / "h.raw", "BRVHDR 0417 (Serial)\r\n" + std::string(3000, 'z'));
  doc_->SetLogFileName(folder_ / "h.raw");
  doc_->SetOutputFileName(Out("h.txt"));
  view_->SetHeaderConversion(true);
  view_->OnConvert();
  RunUntil([&] {
    CConversionDlg* progress = view_->GetProgressWindow();
    return progress != nullptr && progress->GetItemText(1) == "OK";
  });
  CConversionDlg* progress = view_->GetProgressWindow();
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(progress->GetItemText(app::kInstrumentText), "Header Conversion");
  EXPECT_EQ(progress->GetRange(), 3022);
  EXPECT_EQ(progress->GetPercent(), 100);
  EXPECT_EQ(apptest::ReadFile(Out("h.txt")), "Serial\t0417\r\n");
}

TEST_F(ConversionDriving, ProgressWindowInASeriesOffersCancelUntilTheLastFile) {
  CConversionDlg progress(*doc_);
  ASSERT_TRUE(progress.CreateWindowFor(view_->GetSafeHwnd()));
  EXPECT_FALSE(progress.CreateWindowFor(view_->GetSafeHwnd()));
  // No conversion prepared: an empty log still has a range of one.
  EXPECT_EQ(progress.GetRange(), 1);
  EXPECT_EQ(progress.GetItemText(app::kLogFileText), "Log File:  (0.00 KB)");
  progress.SetFileCount(3);
  progress.SetFileNumber(1);
  progress.Refresh();
  EXPECT_EQ(progress.GetTitle(), "Briven Conversion - 1/3");
  EXPECT_FALSE(progress.IsLast());
  progress.SetFileNumber(3);
  EXPECT_TRUE(progress.IsLast());
  progress.SetFileNumber(2);
  // Cancel makes this file the last one and the window done.
  progress.OnOK();
  EXPECT_TRUE(progress.IsCancelled());
  EXPECT_TRUE(progress.IsLast());
  EXPECT_TRUE(progress.IsDone());
  progress.Refresh();
  EXPECT_EQ(progress.GetItemText(app::kStatusText), "Conversion aborted.");
  EXPECT_EQ(progress.GetItemText(1), "OK");
}

TEST_F(ConversionDriving, ClosingARunningProgressWindowAsksFirst) {
  CConversionDlg progress(*doc_);
  ASSERT_TRUE(progress.CreateWindowFor(view_->GetSafeHwnd()));
  std::vector<std::string> questions;
  int answer = sys::kAnswerNo;
  const sys::NoticeSink previous = sys::SetNoticeSink([&](const sys::Notice& notice) {
    questions.push_back(notice.text);
    EXPECT_EQ(notice.buttons, sys::NoticeButtons::yesNo);
    return answer;
  });
  progress.OnCancel();  // No: the conversion goes on
  EXPECT_FALSE(progress.IsCancelled());
  answer = sys::kAnswerYes;
  progress.OnCancel();
  EXPECT_TRUE(progress.IsCancelled());
  EXPECT_EQ(questions, (std::vector<std::string>{"Abort conversion?", "Abort conversion?"}));
  // Once it is over, the close box dismisses without a question.
  progress.OnCancel();
  EXPECT_EQ(questions.size(), 2u);
  sys::SetNoticeSink(previous);
  ui::MSG msg;
  bool ended = false;
  while (ui::PeekMessage(&msg, view_->GetSafeHwnd(), 0, 0, ui::PM_REMOVE))
    ended = ended || msg.message == CBrivenView::kMsgConversionEnded;
  EXPECT_TRUE(ended);
}

TEST_F(ConversionDriving, TheDefaultOutputNameIsKeptInTheSettings) {
  CloseFrame();
  profile_.WriteString("View", "Default Outfile", "cast.dat");
  OpenHidden();
  ASSERT_NE(view_, nullptr);
  EXPECT_EQ(view_->GetDefaultOutputName(), "cast.dat");
  view_->OnInitialUpdate();
  view_->SetDefaultOutputName("next.dat");
  CloseFrame();  // a displayed view saves its settings when it goes
  EXPECT_EQ(profile_.GetString("View", "Default Outfile", "-1"), "next.dat");
}

TEST_F(ConversionDriving, CommandsReachTheViewAsMessages) {
  // The conversion log window's toggle and close keep "Show Window".
  EXPECT_FALSE(view_->GetConversionLog().IsShown());
  ui::SendMessage(view_->GetSafeHwnd(), ui::WM_COMMAND, app::kCmdConversionLog, 0);
  EXPECT_TRUE(view_->GetConversionLog().IsShown());
  EXPECT_EQ(profile_.GetInt("Conversion Log Window", "Show Window", -1), 1);
  ui::SendMessage(view_->GetSafeHwnd(), CBrivenView::kMsgLogWindowClosed, 0, 0);
  EXPECT_FALSE(view_->GetConversionLog().IsShown());
  EXPECT_EQ(profile_.GetInt("Conversion Log Window", "Show Window", -1), 0);

  doc_->GetSettings().dismiss_progress = 1;
  doc_->SetLogFileName(binary_log_);
  doc_->SetInstrumentFileName(binary_instrument_);
  // In the naming the user types, the "Next" box names the output in the
  // output list's folder; the naming's extension is added.
  view_->GetInstrumentNaming().m_nMode = CFileNaming::kModeUserDefined;
  view_->GetListSettings(CListProperties::kOutputList).m_strWorkingFolder = folder_.path() + "/";
  view_->SetDlgItemText(app::kNextOutputEdit, "enter");
  // The Enter key's command converts, once: a second one while the first
  // conversion runs is refused.
  ui::PostMessage(view_->GetSafeHwnd(), ui::WM_COMMAND, app::kCmdEnterConvert, 0);
  ui::PostMessage(view_->GetSafeHwnd(), ui::WM_COMMAND, app::kCmdEnterConvert, 0);
  RunUntilClosed();
  const std::string log = TakeLog();
  EXPECT_EQ(StartedOutputs(log), (std::vector<std::string>{"enter.dat"}));
  EXPECT_EQ(Count(log, "Conversion complete."), 1u);
}

TEST_F(ConversionDriving, FailedPreparationLeavesNoConversionRunning) {
  doc_->SetLogFileName(binary_log_);
  doc_->SetInstrumentFileName(folder_ / "missing.tdf");
  doc_->SetOutputFileName(Out("never.dat"));
  view_->OnStartConversion(1);
  // Nothing is left marked as running: Convert is available again.
  EXPECT_EQ(doc_->GetProgressDialog(), nullptr);
  EXPECT_FALSE(std::filesystem::exists(Out("never.dat")));
}

}  // namespace
