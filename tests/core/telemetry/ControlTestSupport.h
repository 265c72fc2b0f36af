// A telemetry document stand-in for the control tests: it records every
// callback with the thread it came on, and can drive a conversion's chain
// of frame requests.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/telemetry/TelemControl.h"
#include "core/telemetry/TelemetryCallbacks.h"

namespace telemetry_test {

struct Callback {
  std::string kind;  // "message", "frame", "event", "state", "info"
  std::string resource;
  std::string text;  // message text, frame bytes, info line
  int value = 0;     // frame number (0: none), event code, state
  std::thread::id thread;
};

class RecordingDocument : public telemetry::TelemetryCallbacks {
 public:
  void OnTelemetryMessage(std::string& text) override;
  void OnFrameReceived(const std::string& resource, std::unique_ptr<CFrameData> frame) override;
  bool ReadsLentFrames() const override { return lend_from != nullptr; }
  void OnFrameLent(const std::string& resource, CFrameData& frame) override;
  void OnCommEvent(const std::string& resource, int event_code, int end_flag, int open) override;
  void OnResourceState(const std::string& resource, int state) override;
  void OnResourceInfo(const std::string& line, int value) override;

  // Waits (bounded) until the recorded callbacks satisfy the condition.
  bool WaitFor(const std::function<bool(const std::vector<Callback>&)>& done, int timeout_ms = 10000);
  // Waits for the control's own text up to and including `marker`.
  std::string WaitForText(telemetry::CTelemControl& control, const std::string& marker);
  std::vector<Callback> Snapshot();

  // Set by a test: called on the processing thread after each frame
  // callback is recorded.
  std::function<void(const std::string&, const CFrameData*)> on_frame;
  // Set by a test: called on the processing thread after each message
  // callback is recorded.
  std::function<void(const std::string&)> on_message;
  // Set by a test: each frame, once recorded and seen by on_frame, is
  // handed back to this control, as a conversion hands its frames back.
  telemetry::CTelemControl* recycle_to = nullptr;
  // Set by a test: frames are lent by this control, and each wants the
  // next, as a conversion's do: the frames that follow in the bytes read
  // are cut into the same record within the callback, and the next after
  // them is asked for with RetrieveFrame.
  telemetry::CTelemControl* lend_from = nullptr;

 private:
  void Record(Callback c);
  void RecordFrame(const std::string& resource, const CFrameData* frame);
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Callback> calls_;
};

}  // namespace telemetry_test
