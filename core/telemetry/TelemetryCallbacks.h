// What the telemetry control calls on its owner (the telemetry document),
// always on the processing thread and in the order the commands were
// queued.
#pragma once

#include <memory>
#include <string>

#include "core/instrument/FrameData.h"

namespace telemetry {

class TelemetryCallbacks {
 public:
  virtual ~TelemetryCallbacks() = default;
  // The text may be rewritten in place (time stamps).
  virtual void OnTelemetryMessage(std::string& text) = 0;
  // The frame, or none when the resource had none to give; the receiver
  // owns it.
  virtual void OnFrameReceived(const std::string& resource, std::unique_ptr<CFrameData> frame) = 0;
  // Whether this receiver reads a frame within OnFrameLent and keeps
  // nothing of it. Its frames then go out one after the other in one
  // record, refilled in place for the next, instead of each record being
  // handed over and back. A frame lent is never none: "no frame" still
  // arrives in OnFrameReceived.
  virtual bool ReadsLentFrames() const { return false; }
  virtual void OnFrameLent(const std::string& /*resource*/, CFrameData& /*frame*/) {}
  // A file event: the file error cause, the end-of-file flag, and whether
  // the file is still open.
  virtual void OnCommEvent(const std::string& resource, int event_code, int end_flag, int open) = 0;
  virtual void OnResourceState(const std::string& resource, int state) = 0;
  virtual void OnResourceInfo(const std::string& line, int value) = 0;
};

}  // namespace telemetry
