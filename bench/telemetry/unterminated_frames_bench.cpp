// How the frame search's time grows with a log in which no variable frame
// ever reaches its terminator: ASCII lines that end in LF read by an
// instrument whose frames end in CR LF, every header given up in turn.
// The time must grow with the log's size, not with headers x the largest
// frame: the reported complexity should be O(N), from 1 to 64 MiB.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "core/telemetry/TelemComm.h"

namespace {

constexpr std::uint32_t kChunk = 262144;
const std::string kHeader = "NMAC0093";

// The logs' folder, removed when the run ends.
struct TempFolder {
  TempFolder() {
    path = (std::filesystem::temp_directory_path() / "unterminated-bench-XXXXXX").string();
    if (mkdtemp(path.data()) == nullptr) std::abort();
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string path;
};

// A log of `mebibytes` of lines in the example ASCII instrument's layout,
// each ending in LF only.
const std::string& LfLog(std::int64_t mebibytes) {
  static const TempFolder folder;
  static std::map<std::int64_t, std::string> paths;
  std::string& path = paths[mebibytes];
  if (!path.empty()) return path;
  path = folder.path + "/lf-" + std::to_string(mebibytes) + ".raw";
  const std::size_t size = static_cast<std::size_t>(mebibytes) << 20;
  std::string bytes;
  bytes.reserve(size + 64);
  for (unsigned frame = 0; bytes.size() < size; ++frame)
    bytes += kHeader + "," + std::to_string(frame % 256) + ",12.345,6.0783,32672,DOWN\n";
  bytes.resize(size);
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

void BM_GiveUpEveryHeaderOfAnLfOnlyLog(benchmark::State& state) {
  const std::string& path = LfLog(state.range(0));
  telemetry::CInstrumentAttachment record;
  record.header = kHeader;
  record.terminator = "\r\n";
  std::size_t frames = 0;
  for (auto _ : state) {
    sys::CFile file(path, sys::CFile::modeRead);
    telemetry::CTelemComm resource(nullptr);
    resource.InitFile({&file, kChunk});
    resource.AttachInstrument(record);
    resource.EnableAcquisition(kHeader);
    // A pull gives nothing while it gives a header up: the log is done
    // when pulls stop changing what is held.
    for (int idle = 0; idle < 3;) {
      const std::size_t held = resource.GetReceivedSize();
      if (std::unique_ptr<CFrameData> frame = resource.GetNextFrame()) {
        ++frames;
        idle = 0;
      } else {
        idle = resource.GetReceivedSize() == held && resource.IsEndOfFile() ? idle + 1 : 0;
      }
    }
  }
  if (frames != 0) state.SkipWithError("a frame was cut from a log without the terminator");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (state.range(0) << 20));
  state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_GiveUpEveryHeaderOfAnLfOnlyLog)
    ->RangeMultiplier(2)
    ->Range(1, 64)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
