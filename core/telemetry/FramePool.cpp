#include "core/telemetry/FramePool.h"

namespace telemetry {

std::unique_ptr<CFrameData> FramePool::Take() {
  if (spare_.empty()) return nullptr;
  std::unique_ptr<CFrameData> frame = std::move(spare_.back());
  spare_.pop_back();
  return frame;
}

void FramePool::Give(std::unique_ptr<CFrameData> frame) {
  if (frame && spare_.size() < kFramesKept) spare_.push_back(std::move(frame));
}

}  // namespace telemetry
