// How fast a file resource finds and cuts frames: fixed 22-byte binary
// frames and CR LF terminated ASCII frames, read in the conversion's chunks
// of 262144 bytes. memchr over the same bytes, in the same run, is the
// floor a byte search cannot beat.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/telemetry/TelemComm.h"

namespace {

constexpr std::size_t kTargetBytes = 16u << 20;
constexpr std::uint32_t kChunk = 262144;

struct LogFile {
  std::string path;
  std::string bytes;
  std::size_t frames = 0;
};

// The logs' folder, removed when the run ends.
struct TempFolder {
  TempFolder() {
    path = (std::filesystem::temp_directory_path() / "telemetry-bench-XXXXXX").string();
    if (mkdtemp(path.data()) == nullptr) std::abort();
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string path;
};

LogFile Write(const std::string& name, const std::string& frame_a, const std::string& frame_b) {
  static const TempFolder folder;
  LogFile log;
  log.path = folder.path + "/" + name;
  while (log.bytes.size() < kTargetBytes) {
    log.bytes += (log.frames % 2 == 0) ? frame_a : frame_b;
    ++log.frames;
  }
  std::ofstream(log.path, std::ios::binary).write(log.bytes.data(), static_cast<std::streamsize>(log.bytes.size()));
  return log;
}

const LogFile& FixedLog() {
  static const LogFile log =
      Write("fixed.raw", std::string("SATHDR0001\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c", 22),
            std::string("SATHDR0001\x10\x20\x30\x40\x50\x60\x70\x80\x90\xa0\xb0\xc0", 22));
  return log;
}

const LogFile& LineLog() {
  static const LogFile log = Write("lines.raw", "$GPSAT,0001,12.345,-0.118,1013.25,17.80\r\n",
                                   "$GPSAT,0002,12.346,-0.117,1013.31,17.79\r\n");
  return log;
}

void CutAll(benchmark::State& state, const LogFile& log, const telemetry::CInstrumentAttachment& record) {
  std::size_t frames = 0;
  for (auto _ : state) {
    sys::CFile file(log.path, sys::CFile::modeRead);
    telemetry::CTelemComm resource(nullptr);
    resource.InitFile({&file, kChunk});
    resource.AttachInstrument(record);
    resource.EnableAcquisition(record.header);
    frames = 0;
    while (std::unique_ptr<CFrameData> frame = resource.GetNextFrame()) {
      benchmark::DoNotOptimize(frame->GetFrameNumber());
      ++frames;
    }
  }
  if (frames != log.frames) state.SkipWithError("not every frame was cut");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * log.bytes.size()));
  state.counters["frames/s"] =
      benchmark::Counter(static_cast<double>(state.iterations() * frames), benchmark::Counter::kIsRate);
}

void MemchrAll(benchmark::State& state, const LogFile& log, char byte) {
  std::size_t hits = 0;
  for (auto _ : state) {
    hits = 0;
    const char* p = log.bytes.data();
    const char* end = p + log.bytes.size();
    while ((p = static_cast<const char*>(std::memchr(p, byte, static_cast<std::size_t>(end - p)))) != nullptr) {
      ++hits;
      ++p;
    }
    benchmark::DoNotOptimize(hits);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * log.bytes.size()));
  state.counters["frames/s"] =
      benchmark::Counter(static_cast<double>(state.iterations() * hits), benchmark::Counter::kIsRate);
}

telemetry::CInstrumentAttachment Record(const std::string& header, std::uint32_t size, const std::string& terminator) {
  telemetry::CInstrumentAttachment record;
  record.header = header;
  record.frame_size = size;
  record.terminator = terminator;
  return record;
}

void BM_CutFixed22ByteFrames(benchmark::State& state) { CutAll(state, FixedLog(), Record("SATHDR0001", 22, "")); }
void BM_MemchrFixedFrameHeaders(benchmark::State& state) { MemchrAll(state, FixedLog(), 'S'); }
void BM_CutCrLfAsciiFrames(benchmark::State& state) { CutAll(state, LineLog(), Record("$GPSAT", 0, "\r\n")); }
void BM_MemchrAsciiLineEnds(benchmark::State& state) { MemchrAll(state, LineLog(), '\n'); }

BENCHMARK(BM_CutFixed22ByteFrames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemchrFixedFrameHeaders)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CutCrLfAsciiFrames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemchrAsciiLineEnds)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
