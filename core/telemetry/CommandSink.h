// Where a resource owned by a telemetry control queues its processing
// commands. A resource names itself by its unique id as well as its name,
// so a command left over from a removed resource never reaches a later
// resource of the same name.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/instrument/FrameData.h"

namespace telemetry {

enum CommandType : int {
  kCommandStateChanged = 1,
  kCommandFileEvent = 2,
  kCommandMessages = 3,
  kCommandFramesReady = 4,
  kCommandDeliverFrame = 5,
};

class CommandSink {
 public:
  virtual ~CommandSink() = default;
  virtual void QueueCommand(const std::string& resource_name, std::uint64_t resource_id, int type) = 0;
  // A delivered frame record its receiver handed back, for the resource to
  // refill with the next frame it cuts; null when there is none to give on
  // the calling thread.
  virtual std::unique_ptr<CFrameData> TakeSpareFrame() { return nullptr; }
  // Takes a message line of a resource into the sink's own stream of log
  // text, so that it keeps its place among the lines the sink and its other
  // resources report; false leaves the line with the resource.
  virtual bool TakeResourceMessage(std::string& /*line*/) { return false; }
};

}  // namespace telemetry
