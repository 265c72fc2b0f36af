// How fast a whole conversion runs: a generated 100 MiB log of fixed 22-byte
// binary frames (NMBP0417: header, serial, frame counter, five sensors,
// check sum; fits and both checks on) and one of CR LF terminated ASCII
// frames (NMAC0093; fits on), each converted by the conversion document as
// a command-line run does. The note at the end gives MiB/s of input,
// frames/s, and the share of the time spent formatting rows (reading each
// field, applying its fit and printing it), measured by formatting the same
// frames again on their own.
//
//   conversion_bench [SIZE_MB]     (default 100)
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/conversion/BrivenDoc.h"
#include "core/conversion/FrameChecker.h"
#include "core/conversion/OutputFormatter.h"
#include "core/instrument/Instrument.h"

namespace {

using Clock = std::chrono::steady_clock;

struct TempFolder {
  TempFolder() {
    path = (std::filesystem::temp_directory_path() / "conversion-bench-XXXXXX").string();
    if (::mkdtemp(path.data()) == nullptr) std::abort();
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string path;
};

struct Workload {
  const char* name;
  const char* kind;        // the generator's instrument
  const char* instrument;  // in examples/
  std::vector<const char*> switches;
};

struct Result {
  double seconds = 0;
  std::uint32_t frames = 0;
  bool completed = false;
};

Result Convert(const std::string& log, const std::string& instrument, const std::string& output,
               const std::vector<const char*>& switches) {
  Result result;
  CBrivenDoc doc;
  doc.SetCommandLine(true);
  if (!doc.OnNewDocument()) return result;
  doc.SetLogFileName(log);
  doc.SetInstrumentFileName(instrument);
  doc.SetOutputFileName(output);
  for (const char* s : switches) doc.GetParameters().ParseCommandLine(s);
  if (!doc.PrepareConversion() || !doc.BeginOutput(false)) return result;
  const Clock::time_point start = Clock::now();
  doc.RequestFirstFrame();
  ConversionState state;
  for (;;) {
    doc.GetConversionState(state);
    if (state.done) break;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  result.completed = doc.FinishConversion(false);
  result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  result.frames = state.counters.frames_processed;
  return result;
}

// Serves one instrument without a telemetry control, for the formatter.
class InstrumentOnly : public CQelTelemetryDoc {
 public:
  explicit InstrumentOnly(const std::string& path) { instrument_.LoadInstrumentFile(path); }
  CSensor* GetSensor(int, int sensor) override { return instrument_.GetSensor(sensor); }
  int GetInstrumentSensorCount(int) override { return instrument_.GetSensorCount(); }
  const CInstrument& Instrument() const { return instrument_; }

 private:
  CInstrument instrument_;
};

// The first frames of the log, cut by header (the generated logs hold whole
// frames only when no garbage is asked for).
std::vector<std::unique_ptr<CFrameData>> CutFrames(const std::string& log, const CInstrument& instrument,
                                                   std::size_t limit) {
  std::FILE* in = std::fopen(log.c_str(), "rb");
  std::string bytes(64u << 20, '\0');
  bytes.resize(in ? std::fread(bytes.data(), 1, bytes.size(), in) : 0);
  if (in) std::fclose(in);
  CFrameInfo info;
  info.m_strHeader = instrument.GetHeader();
  info.m_strTerminator = instrument.GetTerminator();
  info.m_nFixedFrameSize = static_cast<int>(instrument.GetFrameSize());
  std::vector<std::unique_ptr<CFrameData>> frames;
  std::size_t at = bytes.find(info.m_strHeader);
  while (at != std::string::npos && frames.size() < limit) {
    std::size_t end = info.m_strTerminator.empty() ? at + info.m_nFixedFrameSize
                                                   : bytes.find(info.m_strTerminator, at);
    if (end == std::string::npos || end > bytes.size()) break;
    if (!info.m_strTerminator.empty()) end += info.m_strTerminator.size();
    info.m_nFrameNumber = static_cast<int>(frames.size()) + 1;
    frames.push_back(std::make_unique<CFrameData>(CFrameData::Bytes(bytes.begin() + at, bytes.begin() + end), info));
    at = bytes.find(info.m_strHeader, end);
  }
  return frames;
}

// Seconds per frame spent building rows of these frames.
double FormattingSecondsPerFrame(const std::string& log, const std::string& instrument,
                                 const std::vector<const char*>& switches) {
  InstrumentOnly doc(instrument);
  CBrivenParameters params;
  for (const char* s : switches) params.ParseCommandLine(s);
  COutputFormatter formatter;
  formatter.Prepare(doc, params, doc.Instrument().GetSerialNumber(), -1, -1);
  CFrameChecker checks;
  std::vector<std::unique_ptr<CFrameData>> frames = CutFrames(log, doc.Instrument(), 500000);
  if (frames.empty()) return 0;
  std::string row;
  const Clock::time_point start = Clock::now();
  std::size_t bytes = 0;
  for (auto& frame : frames) {
    row.clear();
    formatter.AppendRow(row, doc, *frame, checks);
    bytes += row.size();
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (bytes == 0) std::puts("no rows");
  return seconds / static_cast<double>(frames.size());
}

}  // namespace

int main(int argc, char** argv) {
  const std::string size = argc > 1 ? argv[1] : "100";
  const Workload workloads[] = {
      {"fixed 22-byte binary frames", "fixed", "NMBP0417.tdf", {"-c", "-efc"}},
      {"CR LF ASCII frames", "ascii", "NMAC0093.tdf", {"-c"}},
  };
  TempFolder folder;
  std::printf("Conversion benchmark: %s MiB logs, fits on, output to a temporary folder.\n\n", size.c_str());
  for (const Workload& w : workloads) {
    const std::string log = folder.path + "/" + w.kind + ".raw";
    const std::string command = std::string(BRIVEN_GENERATOR) + " " + w.kind + " " + size + " " + log + " --seed 1";
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "the log generator failed: %s\n", command.c_str());
      return 1;
    }
    const std::string instrument = std::string(BRIVEN_EXAMPLES) + "/" + w.instrument;
    const double mebibytes = static_cast<double>(std::filesystem::file_size(log)) / (1u << 20);
    const Result r = Convert(log, instrument, folder.path + "/" + w.kind + ".dat", w.switches);
    if (!r.completed || r.seconds <= 0) {
      std::fprintf(stderr, "%s: the conversion did not complete\n", w.name);
      return 1;
    }
    const double per_frame = FormattingSecondsPerFrame(log, instrument, w.switches);
    const double share = 100.0 * per_frame * r.frames / r.seconds;
    std::printf("%s (%s):\n  %.1f MiB, %u frames in %.2f s: %.1f MiB/s, %.0f frames/s\n"
                "  row formatting %.0f ns per frame, %.0f%% of the conversion time\n\n",
                w.name, w.instrument, mebibytes, r.frames, r.seconds, mebibytes / r.seconds, r.frames / r.seconds,
                per_frame * 1e9, share);
    std::filesystem::remove(log);
  }
  return 0;
}
