#include "tests/core/conversion/ConversionRunner.h"

#include <chrono>
#include <regex>
#include <thread>

namespace conversion_test {

namespace {

constexpr auto kPoll = std::chrono::milliseconds(2);
constexpr int kPollLimit = 10000;  // a hung chain fails the test, never hangs it

bool WaitUntilDone(CBrivenDoc& doc, ConversionState& state) {
  for (int i = 0; i < kPollLimit; ++i) {
    doc.GetConversionState(state);
    if (state.done) return true;
    std::this_thread::sleep_for(kPoll);
  }
  return false;
}

std::string Resolve(const std::string& name) {
  if (name.empty() || name[0] == '/') return name;
  return FixturePath(name);
}

}  // namespace

std::string FixturePath(const std::string& name) { return std::string(BRIVEN_TEST_DATA) + "/conversion/" + name; }

std::string StageFixture(const TempFolder& folder, const std::string& name) {
  return folder.Write(name, ReadFile(FixturePath(name)));
}

std::string WithoutStamps(const std::string& log) {
  static const std::regex stamp("[0-9]{4}-[0-9]{2}-[0-9]{2}  [0-9]{2}:[0-9]{2}:[0-9]{2}> ");
  return std::regex_replace(log, stamp, "");
}

std::string CollectLog(CBrivenDoc& doc, const std::string& marker) {
  doc.LogMessage(marker);
  std::string all;
  for (int i = 0; i < kPollLimit; ++i) {
    std::string part;
    doc.TakePendingLogText(part);
    all += part;
    const std::size_t at = all.find(marker);
    if (at != std::string::npos) {
      // The marker line, stamp included, is not part of the log under test.
      const std::size_t line = all.rfind("\r\n", at);
      return WithoutStamps(all.substr(0, line == std::string::npos ? 0 : line + 2));
    }
    std::this_thread::sleep_for(kPoll);
  }
  return WithoutStamps(all) + "<no marker>";
}

ConversionRun RunConversion(const TempFolder& folder, const ConversionSetup& setup) {
  ConversionRun run;
  CBrivenDoc doc;
  doc.SetCommandLine(true);
  StageFixture(folder, "qelhdr1.tdf");
  doc.SetProgramDirectory(folder.Path() + "/");
  if (!doc.OnNewDocument()) return run;
  doc.SetLogFileName(Resolve(setup.log_file));
  doc.SetOutputFileName(folder.Path("out.dat"));
  const std::string& instrument = setup.instrument_file;
  doc.SetInstrumentFileName(instrument.empty() || instrument[0] == '/' ? instrument : StageFixture(folder, instrument));
  if (setup.parameters) setup.parameters(doc.GetParameters());
  if (setup.document) setup.document(doc);
  run.prepared = doc.PrepareConversion();
  if (run.prepared) {
    run.began = doc.BeginOutput(false) && !doc.IsFileSkipped();
    if (run.began) {
      doc.RequestFirstFrame();
      if (setup.abort_after_first_frame) {
        for (int i = 0; i < kPollLimit; ++i) {
          doc.GetConversionState(run.state);
          if (run.state.counters.frames_processed > 0 || run.state.done) break;
          std::this_thread::sleep_for(kPoll);
        }
        doc.RequestStop();
      }
      WaitUntilDone(doc, run.state);
      run.completed = doc.FinishConversion(setup.abort_after_first_frame);
    }
  }
  doc.GetConversionState(run.state);
  run.log = CollectLog(doc, "--end of test log--");
  run.output = ReadFile(folder.Path("out.dat"));
  return run;
}

}  // namespace conversion_test
