#include "core/telemetry/FramePool.h"

namespace telemetry {

std::unique_ptr<CFrameData> FramePool::Make(const std::uint8_t* bytes, std::size_t length,
                                            const FrameDescription& description) {
  if (spare_.empty()) return MakeFrameData(bytes, length, description);
  std::unique_ptr<CFrameData> frame = std::move(spare_.back());
  spare_.pop_back();
  FillFrameInfo(frame->Refill(bytes, length), description);
  return frame;
}

void FramePool::Give(std::unique_ptr<CFrameData> frame) {
  if (frame && spare_.size() < kFramesKept) spare_.push_back(std::move(frame));
}

}  // namespace telemetry
