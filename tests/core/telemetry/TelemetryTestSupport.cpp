#include "tests/core/telemetry/TelemetryTestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace telemetry_test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "telemetry-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::WriteFile(const std::string& name, const std::string& bytes) const {
  const std::string path = path_ + "/" + name;
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

int RecordingSink::Count(int type) const {
  std::lock_guard lock(mutex);
  int n = 0;
  for (const QueuedCommand& c : commands) n += c.type == type ? 1 : 0;
  return n;
}

std::vector<PulledFrame> PullAllFrames(telemetry::CTelemComm& resource) {
  std::vector<PulledFrame> frames;
  int idle_pulls = 0;
  // A pull can give nothing while frames still follow (a window of garbage
  // was dropped); only repeated empty pulls mean the file is done.
  for (int guard = 0; guard < 100000 && idle_pulls < 5; ++guard) {
    std::unique_ptr<CFrameData> frame = resource.GetNextFrame();
    if (!frame) {
      ++idle_pulls;
      continue;
    }
    idle_pulls = 0;
    const auto& bytes = frame->GetBytes();
    frames.push_back({std::string(bytes.begin(), bytes.end()), frame->GetHeader(), frame->GetFrameNumber()});
  }
  return frames;
}

std::vector<std::string> TakeMessages(telemetry::CTelemComm& resource) {
  std::vector<std::string> lines;
  for (std::string line;;) {
    resource.TakeMessage(line);
    if (line.empty()) return lines;
    lines.push_back(line);
  }
}

telemetry::CInstrumentAttachment Attachment(const std::string& header, std::uint32_t frame_size,
                                            const std::string& terminator) {
  telemetry::CInstrumentAttachment record;
  record.header = header;
  record.frame_size = frame_size;
  record.terminator = terminator;
  return record;
}

}  // namespace telemetry_test
