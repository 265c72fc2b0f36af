// The conversion document as the user interface drives it: the overwrite
// question, the progress window, refused outputs, instruments loaded with
// errors, a log that shrinks, header mode, settings and Properties, the
// conversion log file and the pending log text.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <chrono>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>

#include "core/conversion/BrivenDoc.h"
#include "platform/sys/Notify.h"
#include "platform/sys/Profile.h"
#include "tests/core/conversion/ConversionRunner.h"

namespace {

using conversion_test::CollectLog;
using conversion_test::FixturePath;
using conversion_test::ReadFile;
using conversion_test::TempFolder;

// Answers the overwrite question from a script and records each asking.
class ScriptedQuestion : public OverwriteQuestion {
 public:
  OverwriteAnswer Ask(const std::string& question, bool series) override {
    questions.push_back(question);
    series_flags.push_back(series);
    const OverwriteAnswer answer = answers.empty() ? OverwriteAnswer::kCancel : answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
  std::deque<OverwriteAnswer> answers;
  std::vector<std::string> questions;
  std::vector<bool> series_flags;
};

// What the progress window was asked, readable after the document owns it.
struct ProgressRecord {
  int created = 0, destroyed = 0, frames = 0, empty_advances = 0;
  bool fail_create = false;
};

class RecordingProgress : public ConversionProgress {
 public:
  explicit RecordingProgress(ProgressRecord& record) : record_(record) {}
  bool Create() override {
    ++record_.created;
    return !record_.fail_create;
  }
  void Advance(const CFrameData* frame) override { ++(frame ? record_.frames : record_.empty_advances); }
  bool IsDone() override { return false; }
  void Destroy() override { ++record_.destroyed; }

 private:
  ProgressRecord& record_;
};

// Message boxes are answered and recorded instead of shown.
class NoticeRecorder {
 public:
  explicit NoticeRecorder(int answer = sys::kAnswerOk) {
    previous_ = sys::SetNoticeSink([this, answer](const sys::Notice& n) {
      texts.push_back(n.text);
      return n.buttons == sys::NoticeButtons::yesNo ? answer : sys::kAnswerOk;
    });
  }
  ~NoticeRecorder() { sys::SetNoticeSink(previous_); }
  std::vector<std::string> texts;

 private:
  sys::NoticeSink previous_;
};

class ConversionDocumentTest : public testing::Test {
 protected:
  void SetUp() override { sys::SetAppProfile(&profile_); }
  void TearDown() override { sys::SetAppProfile(nullptr); }

  std::unique_ptr<CBrivenDoc> MakeDoc(const std::string& log = "good.raw", const std::string& instrument = "binary.cal") {
    auto doc = std::make_unique<CBrivenDoc>();
    doc->SetProgramDirectory(folder_.Path() + "/");
    doc->SetOverwriteQuestion(&question_);
    doc->SetProgressFactory([this] { return std::make_unique<RecordingProgress>(progress_); });
    EXPECT_TRUE(doc->OnNewDocument());
    doc->SetLogFileName(FixturePath(log));
    doc->SetInstrumentFileName(instrument.empty() ? "" : conversion_test::StageFixture(folder_, instrument));
    doc->SetOutputFileName(folder_.Path("out.dat"));
    return doc;
  }

  // The view's road after BeginOutput: frames flow until done.
  static bool RunToEnd(CBrivenDoc& doc) {
    doc.RequestFirstFrame();
    ConversionState state;
    for (int i = 0; i < 5000; ++i) {
      doc.GetConversionState(state);
      if (state.done) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return doc.FinishConversion(false);
  }

  sys::MemoryProfile profile_;
  TempFolder folder_;
  ScriptedQuestion question_;
  ProgressRecord progress_;
};

TEST_F(ConversionDocumentTest, OverwriteAnswers) {
  struct Case {
    OverwriteAnswer answer;
    bool series;
    bool begins;
    bool skipped;
  } cases[] = {
      {OverwriteAnswer::kYes, false, true, false},     {OverwriteAnswer::kYesToAll, true, true, false},
      {OverwriteAnswer::kNo, true, true, true},        {OverwriteAnswer::kNo, false, false, false},
      {OverwriteAnswer::kCancel, true, false, false},
  };
  for (const Case& c : cases) {
    folder_.Write("out.dat", "keep me");
    auto doc = MakeDoc();
    question_.answers = {c.answer};
    question_.questions.clear();
    ASSERT_TRUE(doc->PrepareConversion());
    EXPECT_EQ(doc->BeginOutput(c.series), c.begins);
    EXPECT_EQ(doc->IsFileSkipped(), c.skipped);
    ASSERT_EQ(question_.questions.size(), 1u);
    EXPECT_EQ(question_.questions[0], "The output file \"" + folder_.Path("out.dat") +
                                          "\" already exists. Do you wish to overwrite this file and continue the "
                                          "conversion?");
    EXPECT_EQ(question_.series_flags.back(), c.series);
    if (c.begins && !c.skipped) {
      EXPECT_TRUE(RunToEnd(*doc));
      EXPECT_EQ(ReadFile(folder_.Path("out.dat")).rfind("SN\t", 0), 0u);
    } else {
      EXPECT_EQ(ReadFile(folder_.Path("out.dat")), "keep me");
    }
  }
}

TEST_F(ConversionDocumentTest, YesToAllHoldsUntilTheProgressWindowGoes) {
  folder_.Write("out.dat", "old");
  auto doc = MakeDoc();
  question_.answers = {OverwriteAnswer::kYesToAll, OverwriteAnswer::kYes};
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(doc->PrepareConversion());
    ASSERT_TRUE(doc->BeginOutput(true));
    EXPECT_TRUE(RunToEnd(*doc));
  }
  EXPECT_EQ(question_.questions.size(), 1u);
  EXPECT_TRUE(doc->DestroyProgressDialog());
  ASSERT_TRUE(doc->PrepareConversion());
  ASSERT_TRUE(doc->BeginOutput(true));
  EXPECT_TRUE(RunToEnd(*doc));
  EXPECT_EQ(question_.questions.size(), 2u);
  EXPECT_EQ(progress_.created, 2);
  EXPECT_EQ(progress_.destroyed, 1);
}

TEST_F(ConversionDocumentTest, NoQuestionWhenThePromptIsOffOrTheCommandLineSaysYes) {
  folder_.Write("out.dat", "old");
  auto doc = MakeDoc();
  doc->GetSettings().overwrite_prompt = 0;
  ASSERT_TRUE(doc->PrepareConversion());
  ASSERT_TRUE(doc->BeginOutput(false));
  EXPECT_TRUE(RunToEnd(*doc));
  auto cmd = MakeDoc();
  ASSERT_TRUE(cmd->GetParameters().ParseCommandLine("-ow=yes"));
  ASSERT_TRUE(cmd->PrepareConversion());
  ASSERT_TRUE(cmd->BeginOutput(false));
  EXPECT_TRUE(RunToEnd(*cmd));
  EXPECT_TRUE(question_.questions.empty());
  cmd.reset();
  // The command line's answer is for that run only.
  EXPECT_EQ(profile_.GetInt("Settings", "Overwrite Prompt", -1), -1);
  EXPECT_EQ(profile_.GetInt("Settings", "Save Settings", -1), 1);
}

TEST_F(ConversionDocumentTest, ProgressFollowsEveryWrittenFrame) {
  auto doc = MakeDoc();
  ASSERT_TRUE(doc->PrepareConversion());
  ASSERT_TRUE(doc->BeginOutput(false));
  EXPECT_TRUE(RunToEnd(*doc));
  EXPECT_EQ(progress_.created, 1);
  EXPECT_EQ(progress_.frames, 5);
}

TEST_F(ConversionDocumentTest, AProgressWindowThatCannotBeMadeAbortsThePreparation) {
  NoticeRecorder notices;
  progress_.fail_create = true;
  auto doc = MakeDoc();
  EXPECT_FALSE(doc->PrepareConversion());
  ASSERT_EQ(notices.texts.size(), 1u);
  EXPECT_EQ(notices.texts[0], "Unable to create Conversion Progress Dialog Box.\r\nConversion aborted.");
  EXPECT_NE(CollectLog(*doc, "--end--").find("\r\nConversion aborted.\r\n"), std::string::npos);
}

TEST_F(ConversionDocumentTest, AnOutputThatIsTheLogFileIsRefusedBeforeItIsEmptied) {
  NoticeRecorder notices;
  const std::string log = folder_.Write("copy.raw", ReadFile(FixturePath("good.raw")));
  auto doc = MakeDoc();
  doc->SetLogFileName(log);
  doc->SetOutputFileName(log);
  doc->GetSettings().overwrite_prompt = 0;
  ASSERT_TRUE(doc->PrepareConversion());
  EXPECT_FALSE(doc->BeginOutput(false));
  EXPECT_EQ(ReadFile(log), ReadFile(FixturePath("good.raw")));
  const std::string text = CollectLog(*doc, "--end--");
  EXPECT_NE(text.find("An error occured opening the output file.\r\n\t"
                      "A sharing violation occured, or a shared region was locked.\r\n"),
            std::string::npos)
      << text;
  ASSERT_FALSE(notices.texts.empty());
  EXPECT_EQ(notices.texts[0], "An error occured opening the output file\r\n\"" + log + "\".\r\nConversion aborted.");
  EXPECT_EQ(doc->GetResourceCount(), 0);
  EXPECT_EQ(doc->GetInstrumentCount(), 0);
}

TEST_F(ConversionDocumentTest, InstrumentLoadedWithErrorsAbortsFromTheCommandLineAndUndoesEverything) {
  auto doc = MakeDoc("good.raw", "witherr.cal");
  doc->SetCommandLine(true);
  EXPECT_FALSE(doc->PrepareConversion());
  EXPECT_EQ(doc->GetResourceCount(), 0);
  EXPECT_EQ(doc->GetInstrumentCount(), 0);
  const std::string text = CollectLog(*doc, "--end--");
  EXPECT_NE(text.find("Errors found in the following Calibration\\Telemetry Definition File:\r\n\"" +
                      folder_.Path("witherr.cal") + "\"\r\nConversion aborted.\r\n"),
            std::string::npos)
      << text;
  // The document is ready for the next conversion.
  doc->SetInstrumentFileName(conversion_test::StageFixture(folder_, "binary.cal"));
  ASSERT_TRUE(doc->PrepareConversion());
  ASSERT_TRUE(doc->BeginOutput(false));
  EXPECT_TRUE(RunToEnd(*doc));
}

// A stop (a signal during an unattended run) that comes while the
// definition is read ends the preparation as aborted: no error box, no
// output file, and the document ready for the next conversion.
TEST_F(ConversionDocumentTest, AStopDuringTheInstrumentLoadAbortsWithoutAnError) {
  NoticeRecorder notices;
  auto doc = MakeDoc();
  doc->SetCommandLine(true);
  doc->SetLoadStopRequest([] { return true; });
  EXPECT_FALSE(doc->PrepareConversion());
  EXPECT_EQ(doc->GetResourceCount(), 0);
  EXPECT_EQ(doc->GetInstrumentCount(), 0);
  EXPECT_TRUE(notices.texts.empty()) << notices.texts.front();
  EXPECT_FALSE(std::filesystem::exists(folder_.Path("out.dat")));
  const std::string text = CollectLog(*doc, "--end--");
  EXPECT_NE(text.find("Unable to load instrument.\r\n\tThe load was stopped.\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Conversion aborted.\r\n"), std::string::npos) << text;
  doc->SetLoadStopRequest({});
  ASSERT_TRUE(doc->PrepareConversion());
  ASSERT_TRUE(doc->BeginOutput(false));
  EXPECT_TRUE(RunToEnd(*doc));
}

TEST_F(ConversionDocumentTest, InstrumentLoadedWithErrorsConvertsWhenTheUserSaysYes) {
  for (int answer : {sys::kAnswerYes, sys::kAnswerNo}) {
    NoticeRecorder notices(answer);
    auto doc = MakeDoc("good.raw", "witherr.cal");
    const bool prepared = doc->PrepareConversion();
    EXPECT_EQ(prepared, answer == sys::kAnswerYes);
    ASSERT_FALSE(notices.texts.empty());
    EXPECT_NE(notices.texts[0].find("Do you wish to continue the conversion?"), std::string::npos);
    if (prepared) {
      ASSERT_TRUE(doc->BeginOutput(false));
      EXPECT_TRUE(RunToEnd(*doc));
    } else {
      EXPECT_EQ(doc->GetResourceCount(), 0);
      EXPECT_EQ(doc->GetInstrumentCount(), 0);
    }
  }
}

TEST_F(ConversionDocumentTest, ConversionLogFileKeepsEveryStampedLineAndASecondCopyWritesBriven2) {
  const std::string folder = folder_.Path() + "/";
  auto first = MakeDoc();
  auto second = MakeDoc();
  for (CBrivenDoc* doc : {first.get(), second.get()}) {
    doc->GetSettings().conversion_log = 1;
    doc->GetSettings().conversion_log_folder = folder;
    doc->GetSettings().overwrite_prompt = 0;
    ASSERT_TRUE(doc->PrepareConversion());
    ASSERT_TRUE(doc->BeginOutput(false));
    EXPECT_TRUE(RunToEnd(*doc));
    CollectLog(*doc, "--end--");
  }
  const std::string one = ReadFile(folder + "Briven.log");
  const std::string two = ReadFile(folder + "Briven2.log");
  EXPECT_EQ(conversion_test::WithoutStamps(one).rfind("Begin instrument conversion.\r\n", 0), 0u) << one;
  EXPECT_NE(one.find("> Conversion complete.\r\n\tFrames processed: 5\r\n"), std::string::npos) << one;
  EXPECT_NE(two.find("> Conversion complete.\r\n"), std::string::npos) << two;
  EXPECT_EQ(one.size() - conversion_test::WithoutStamps(one).size(),
            22u * static_cast<std::size_t>(std::count(one.begin(), one.end(), '>')));
}

TEST_F(ConversionDocumentTest, ACommandLineLogPathKeepsItsCase) {
  auto doc = MakeDoc();
  ASSERT_TRUE(doc->GetParameters().ParseCommandLine("-cl=" + folder_.Path("Run.LOG")));
  ASSERT_TRUE(doc->PrepareConversion());
  ASSERT_TRUE(doc->BeginOutput(false));
  EXPECT_TRUE(RunToEnd(*doc));
  CollectLog(*doc, "--end--");
  EXPECT_NE(ReadFile(folder_.Path("Run.LOG")).find("Conversion complete."), std::string::npos);
}

TEST_F(ConversionDocumentTest, PendingLogTextIsBounded) {
  CBrivenDoc doc;  // no control: texts arrive as they are
  const std::string line = std::string(1000, 'x') + "\r\n";
  std::string big;
  for (int i = 0; i < 600; ++i) big += line;
  for (int i = 0; i < 3; ++i) {
    std::string text = big;
    doc.OnTelemetryMessage(text);
  }
  std::string last = "last\r\n";
  doc.OnTelemetryMessage(last);
  std::string pending;
  doc.TakePendingLogText(pending);
  EXPECT_LE(pending.size(), 1u << 20);
  EXPECT_EQ(pending.substr(pending.size() - 6), "last\r\n");
  EXPECT_EQ(pending.substr(0, 1000), std::string(1000, 'x'));  // whole lines only
  doc.TakePendingLogText(pending);
  EXPECT_EQ(pending, "");
}

TEST_F(ConversionDocumentTest, CommandLineFilesFillLogOutputInstrument) {
  CBrivenDoc doc;
  EXPECT_FALSE(doc.AddCommandLineFile("-x"));
  EXPECT_FALSE(doc.AddCommandLineFile(""));
  EXPECT_TRUE(doc.AddCommandLineFile("/data/cast.raw"));  // "/" begins a path here
  EXPECT_TRUE(doc.AddCommandLineFile("out.dat"));
  EXPECT_TRUE(doc.AddCommandLineFile("inst.cal"));
  EXPECT_FALSE(doc.AddCommandLineFile("fourth"));
  EXPECT_EQ(doc.GetFileCount(), 3);
  EXPECT_EQ(doc.GetLogFileName(), "/data/cast.raw");
  EXPECT_EQ(doc.GetOutputFileName(), "out.dat");
  EXPECT_EQ(doc.GetInstrumentFileName(), "inst.cal");
}

TEST_F(ConversionDocumentTest, SettingsAreReadWithTheirBuiltInValuesForAbsentKeys) {
  profile_.WriteInt("Settings", "Dismiss Progress", 1);
  profile_.WriteString("Settings", "Conversion Log Directory", "-1");
  CBrivenDoc doc;
  EXPECT_EQ(doc.GetDismissProgress(), 1);
  EXPECT_EQ(doc.GetSaveSettings(), 1);
  EXPECT_EQ(doc.GetSettings().conversion_log_folder, doc.GetStartDirectory());
  EXPECT_EQ(doc.GetStartDirectory().back(), '/');
}

}  // namespace

namespace {

TEST_F(ConversionDocumentTest, ALogThatShrinksUnderTheConversionEndsItAsAborted) {
  const std::string log = folder_.Write("shrinks.raw", ReadFile(FixturePath("good.raw")));
  auto doc = MakeDoc();
  doc->SetLogFileName(log);
  ASSERT_TRUE(doc->PrepareConversion());
  ASSERT_TRUE(doc->BeginOutput(false));
  ASSERT_EQ(::truncate(log.c_str(), 0), 0);
  EXPECT_FALSE(RunToEnd(*doc));  // ends, and is never called complete
  const std::string text = CollectLog(*doc, "--end--");
  EXPECT_NE(text.find("\r\nConversion aborted.\r\n"), std::string::npos) << text;
}

TEST_F(ConversionDocumentTest, HeaderModeNeedsTheOneSensorHeaderDefinition) {
  folder_.Write("qelhdr1.tdf", ReadFile(FixturePath("binary.cal")));
  auto doc = MakeDoc("headers.raw", "");
  ASSERT_TRUE(doc->PrepareConversion());
  EXPECT_FALSE(doc->BeginOutput(false));
  const std::string text = CollectLog(*doc, "--end--");
  EXPECT_NE(text.find("Begin header conversion.\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nConversion aborted.\r\n"), std::string::npos) << text;
  EXPECT_EQ(doc->GetResourceCount(), 0);
}

TEST_F(ConversionDocumentTest, PropertiesTakeEffectAtOnce) {
  auto doc = MakeDoc();
  doc->OnProperties([](DocumentSettings&) { return false; });  // Cancel changes nothing
  EXPECT_EQ(doc->GetSettings().conversion_log, 0);
  const std::string folder = folder_.Path() + "/";
  doc->OnProperties([&](DocumentSettings& s) {
    s.conversion_log = 1;
    s.conversion_log_folder = folder;
    return true;
  });
  EXPECT_TRUE(std::filesystem::exists(folder + "Briven.log"));
  doc->LogMessage("written at once");
  CollectLog(*doc, "--end--");
  EXPECT_NE(ReadFile(folder + "Briven.log").find("> written at once\r\n"), std::string::npos);
}

TEST_F(ConversionDocumentTest, ALogFolderWithoutItsSeparatorKeepsOneLogAcrossConversions) {
  // A folder stored by hand, without its trailing separator.
  profile_.WriteInt("Settings", "Conversion Log", 1);
  profile_.WriteString("Settings", "Conversion Log Directory", folder_.Path());
  auto doc = MakeDoc();
  doc->GetSettings().overwrite_prompt = 0;
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(doc->PrepareConversion());
    ASSERT_TRUE(doc->BeginOutput(false));
    EXPECT_TRUE(RunToEnd(*doc));
  }
  CollectLog(*doc, "--end--");
  const std::string log = ReadFile(folder_.Path("Briven.log"));
  std::size_t blocks = 0;
  for (std::size_t at = log.find("Begin instrument conversion."); at != std::string::npos;
       at = log.find("Begin instrument conversion.", at + 1))
    ++blocks;
  EXPECT_EQ(blocks, 2u) << log;
  EXPECT_FALSE(std::filesystem::exists(folder_.Path() + "Briven.log"));
}

// A control that refuses to let the file resource go.
class StubbornResourceDoc : public CBrivenDoc {
 public:
  std::uint32_t RemoveResource(const std::string& name) override {
    CBrivenDoc::RemoveResource(name);
    return 0x40000001;
  }
  std::uint32_t AddInstrument(const std::string& path) override {
    return fail_load ? 0x30000001 : CBrivenDoc::AddInstrument(path);
  }
  bool fail_load = false;
};

TEST_F(ConversionDocumentTest, AResourceThatStaysIsReportedInTheWordsOfEachFailure) {
  const std::string log_path = FixturePath("good.raw");
  struct Case {
    const char* instrument;
    bool fail_load;
    int answer;
    std::string resource_box;
  } cases[] = {
      // Loaded with errors, and the user says No.
      {"witherr.cal", false, sys::kAnswerNo, "An error occured removing the file resource for\r\n" + log_path + "."},
      // Not loaded at all.
      {"binary.cal", true, sys::kAnswerOk, "An error occured removing the file resource for " + log_path + ".\r\n"},
  };
  for (const Case& c : cases) {
    NoticeRecorder notices(c.answer);
    StubbornResourceDoc doc;
    doc.fail_load = c.fail_load;
    doc.SetProgramDirectory(folder_.Path() + "/");
    doc.SetProgressFactory([this] { return std::make_unique<RecordingProgress>(progress_); });
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetLogFileName(log_path);
    doc.SetInstrumentFileName(conversion_test::StageFixture(folder_, c.instrument));
    doc.SetOutputFileName(folder_.Path("out.dat"));
    EXPECT_FALSE(doc.PrepareConversion());
    ASSERT_GE(notices.texts.size(), 2u);
    EXPECT_EQ(notices.texts[1], c.resource_box) << c.instrument;
    const std::string log = CollectLog(doc, "--end--");
    EXPECT_NE(log.find("An error occured removing the file resource for " + log_path + ".\r\n"), std::string::npos)
        << log;
    // The processing thread ends before the derived part of the document goes.
    doc.DeleteContents();
  }
}

// A frame of an earlier resource that the processing thread delivers while
// the next conversion is being prepared.
class LateFrameDoc : public CBrivenDoc {
 public:
  std::uint32_t AddInstrument(const std::string& path) override {
    OnFrameReceived("old", conversion_test::MakeFrame("TSTB0123", 9));
    return CBrivenDoc::AddInstrument(path);
  }
};

TEST_F(ConversionDocumentTest, AFrameThatArrivesWhileTheNextConversionIsPreparedDoesNotEndIt) {
  LateFrameDoc doc;
  doc.SetProgramDirectory(folder_.Path() + "/");
  doc.SetProgressFactory([this] { return std::make_unique<RecordingProgress>(progress_); });
  ASSERT_TRUE(doc.OnNewDocument());
  doc.SetLogFileName(FixturePath("good.raw"));
  doc.SetInstrumentFileName(conversion_test::StageFixture(folder_, "binary.cal"));
  doc.SetOutputFileName(folder_.Path("out.dat"));
  ASSERT_TRUE(doc.PrepareConversion());
  ConversionState state;
  doc.GetConversionState(state);
  EXPECT_EQ(state.done, 0u);
  ASSERT_TRUE(doc.BeginOutput(false));
  EXPECT_TRUE(RunToEnd(doc));
  doc.GetConversionState(state);
  EXPECT_EQ(state.counters.frames_processed, 5u);
  doc.DeleteContents();
}

// Boxes raised on the processing thread wait for the user-interface thread:
// a box that the processing thread showed itself would hold the control's
// lock while the user-interface thread may be waiting for it.
TEST_F(ConversionDocumentTest, AFailedConversionLogWriteIsShownOnTheUserInterfaceThread) {
  struct Shown {
    std::string text;
    std::thread::id thread;
  };
  std::vector<Shown> shown;
  std::mutex shown_lock;
  const sys::NoticeSink previous = sys::SetNoticeSink([&](const sys::Notice& n) {
    std::lock_guard<std::mutex> lock(shown_lock);
    shown.push_back({n.text, std::this_thread::get_id()});
    return sys::kAnswerOk;
  });
  auto doc = MakeDoc();
  const std::string folder = folder_.Path() + "/";
  doc->OnProperties([&](DocumentSettings& s) {
    s.conversion_log = 1;
    s.conversion_log_folder = folder;
    return true;
  });
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 1000;
  ::setrlimit(RLIMIT_FSIZE, &small);
  doc->LogMessage(std::string(2000, 'x') + "\r\n");
  CollectLog(*doc, "--end--");
  ::setrlimit(RLIMIT_FSIZE, &old);
  sys::SetNoticeSink(previous);
  std::lock_guard<std::mutex> lock(shown_lock);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text.rfind("An error occured writing to the conversion log file:\r\n\"" + folder + "Briven.log\".\r\n", 0),
            0u)
      << shown[0].text;
  EXPECT_NE(shown[0].text.find("\r\nConversion log aborted."), std::string::npos);
  EXPECT_EQ(shown[0].thread, std::this_thread::get_id());
}

}  // namespace
