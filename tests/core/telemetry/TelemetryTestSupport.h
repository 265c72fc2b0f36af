// Shared pieces of the telemetry tests: a private temporary folder, a file
// resource over a file written from bytes, a recording command queue, and a
// driver that pulls frames the way the conversion does.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/telemetry/CommandSink.h"
#include "core/telemetry/TelemComm.h"
#include "platform/sys/File.h"

namespace telemetry_test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& Path() const { return path_; }
  std::string WriteFile(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

struct QueuedCommand {
  std::string name;
  std::uint64_t id;
  int type;
};

// A serial resource's reader thread queues commands while the test's
// thread does: like a real control, the sink takes them under a lock.
class RecordingSink : public telemetry::CommandSink {
 public:
  void QueueCommand(const std::string& name, std::uint64_t id, int type) override {
    std::lock_guard lock(mutex);
    commands.push_back({name, id, type});
  }
  int Count(int type) const;
  mutable std::mutex mutex;  // guards commands
  std::vector<QueuedCommand> commands;
};

struct PulledFrame {
  std::string bytes;
  std::string header;
  int number;
};

// Pulls frames until the resource has nothing more to give.
std::vector<PulledFrame> PullAllFrames(telemetry::CTelemComm& resource);

// Every message line the resource holds, oldest first.
std::vector<std::string> TakeMessages(telemetry::CTelemComm& resource);

telemetry::CInstrumentAttachment Attachment(const std::string& header, std::uint32_t frame_size,
                                            const std::string& terminator = {});

}  // namespace telemetry_test
