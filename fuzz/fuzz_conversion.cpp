// A whole unattended conversion of hostile log bytes through the conversion
// document, with its real telemetry control and processing thread, into an
// output file in the scratch folder. The first input byte picks the
// instrument (bits 0-1: the fixed binary example, the comma-separated text
// example, the test fixture with a frame counter and a check sum, or none:
// header mode) and the options that change the frame path (fits, time tags
// and their format, extra columns, frame checks, a frame limit; raw values
// with extra columns are hexadecimal); the rest is the log file.
//
// One document runs every input, as a series of conversions does: a new
// document would cost its processing thread's last half-second pass.
//
// Every conversion must end by itself; a completed conversion leaves its
// output file, and the bytes it accounts for never exceed the log's.
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "core/conversion/BrivenDoc.h"
#include "fuzz/support/FuzzScratch.h"

namespace {

// Generous for a few kilobytes: a chain still running after this is hung.
constexpr auto kLongestConversion = std::chrono::seconds(10);

void ChooseOptions(CBrivenParameters& p, std::uint8_t choice) {
  p.m_format.m_nApplyFit = (choice >> 2) & 1;
  p.m_nTimeTags = (choice >> 3) & 1;
  p.m_nTimeTagsFormatted = (choice >> 4) & 1;
  p.m_nShowExtra = (choice >> 5) & 1;
  p.m_format.m_nHexFormat = p.m_nShowExtra && !p.m_format.m_nApplyFit;
  p.m_nCheckSumChecking = (choice >> 6) & 1;
  p.m_nFrameCounterChecking = (choice >> 6) & 1;
  p.m_nProcessLimit = (choice >> 7) ? 3 : -1;
}

// Empty: header mode, which finds its definition in the program's folder.
std::string InstrumentFor(std::uint8_t choice) {
  switch (choice & 3) {
    case 0: return std::string(BRIVEN_EXAMPLES) + "/NMBP0417.tdf";
    case 1: return std::string(BRIVEN_EXAMPLES) + "/NMAC0093.tdf";
    case 2: return std::string(BRIVEN_CONVERSION_DATA) + "/binary.cal";
    default: return {};
  }
}

bool WaitUntilDone(CBrivenDoc& doc, ConversionState& state) {
  const auto give_up = std::chrono::steady_clock::now() + kLongestConversion;
  while (std::chrono::steady_clock::now() < give_up) {
    doc.GetConversionState(state);
    if (state.done) return true;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return false;
}

CBrivenDoc& Document() {
  static CBrivenDoc* doc = [] {
    auto* made = new CBrivenDoc;  // lives as long as the fuzzing process
    made->SetCommandLine(true);
    made->SetProgramDirectory(BRIVEN_CONVERSION_DATA);  // holds the header definition
    if (!made->OnNewDocument()) fuzz::Fail("a new document failed");
    return made;
  }();
  return *doc;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The document reads and writes its settings: only in the scratch store.
  const fuzz::Scratch& scratch = fuzz::Scratch::Get();
  setenv("XDG_CONFIG_HOME", scratch.PathOf("config").c_str(), 1);
  setenv("HOME", scratch.Path().c_str(), 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const fuzz::Scratch& scratch = fuzz::Scratch::Get();
  const std::uint8_t choice = data[0];
  const std::string log = scratch.Write("log.raw", data + 1, size - 1);
  const std::string output = scratch.PathOf("out.txt");
  std::error_code ignored;
  std::filesystem::remove(output, ignored);

  CBrivenDoc& doc = Document();
  doc.GetParameters() = CBrivenParameters{};
  doc.SetLogFileName(log);
  doc.SetOutputFileName(output);
  doc.SetInstrumentFileName(InstrumentFor(choice));
  ChooseOptions(doc.GetParameters(), choice);
  if (!doc.PrepareConversion()) return 0;
  if (!doc.BeginOutput(false) || doc.IsFileSkipped()) {
    doc.FinishConversion(true);
    return 0;
  }
  doc.RequestFirstFrame();
  ConversionState state;
  if (!WaitUntilDone(doc, state)) fuzz::Fail("the conversion never ended");
  const bool completed = doc.FinishConversion(false);
  doc.GetConversionState(state);
  if (state.counters.bytes_consumed > size - 1)
    fuzz::Fail("more bytes consumed than the log holds", std::to_string(state.counters.bytes_consumed));
  if (completed && !std::filesystem::exists(output)) fuzz::Fail("a completed conversion without its output");
  std::string pending;
  doc.TakePendingLogText(pending);
  return 0;
}
