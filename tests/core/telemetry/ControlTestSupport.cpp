#include "tests/core/telemetry/ControlTestSupport.h"

#include <chrono>

namespace telemetry_test {

void RecordingDocument::Record(Callback c) {
  c.thread = std::this_thread::get_id();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back(std::move(c));
  }
  changed_.notify_all();
}

void RecordingDocument::OnTelemetryMessage(std::string& text) {
  Record({"message", "", text, 0, {}});
  if (on_message) on_message(text);
}

void RecordingDocument::RecordFrame(const std::string& resource, const CFrameData* frame) {
  Record({"frame", resource, frame ? std::string(frame->GetText()) : std::string(), frame ? frame->GetFrameNumber() : 0, {}});
  if (on_frame) on_frame(resource, frame);
}

void RecordingDocument::OnFrameReceived(const std::string& resource, std::unique_ptr<CFrameData> frame) {
  RecordFrame(resource, frame.get());
  if (recycle_to != nullptr && frame) recycle_to->RecycleFrame(std::move(frame));
}

void RecordingDocument::OnFrameLent(const std::string& resource, CFrameData& frame) {
  do {
    RecordFrame(resource, &frame);
  } while (lend_from->CutNextLentFrame(0, frame));
  lend_from->RetrieveFrame(0);
}

void RecordingDocument::OnCommEvent(const std::string& resource, int event_code, int end_flag, int open) {
  Record({"event", resource, std::to_string(end_flag) + std::to_string(open), event_code, {}});
}

void RecordingDocument::OnResourceState(const std::string& resource, int state) {
  Record({"state", resource, "", state, {}});
}

void RecordingDocument::OnResourceInfo(const std::string& line, int value) { Record({"info", "", line, value, {}}); }

bool RecordingDocument::WaitFor(const std::function<bool(const std::vector<Callback>&)>& done, int timeout_ms) {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] { return done(calls_); });
}

std::vector<Callback> RecordingDocument::Snapshot() {
  std::lock_guard<std::mutex> lock(mutex_);
  return calls_;
}

std::string RecordingDocument::WaitForText(telemetry::CTelemControl& control, const std::string& marker) {
  control.ReportMessage(marker, 0);
  std::string text;
  WaitFor([&](const std::vector<Callback>& calls) {
    text.clear();
    for (const Callback& c : calls)
      if (c.kind == "message" && c.resource.empty()) text += c.text;
    return text.find(marker) != std::string::npos;
  });
  {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.clear();
  }
  return text.substr(0, text.find(marker));
}

}  // namespace telemetry_test
