// Frame records handed back by their receiver once it has read them, kept
// to be refilled as the next frames are cut. A conversion takes millions of
// frames one after the other; a record refilled in place costs no
// allocation of itself, its bytes or its strings. Not locked: its owner
// lets one thread alone use it.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "core/instrument/FrameData.h"

namespace telemetry {

class FramePool {
 public:
  // The most records kept spare.
  static constexpr std::size_t kFramesKept = 64;

  // A spare record, or null when there is none. Inline, as Give: a
  // conversion hands each frame's record back and takes it again.
  std::unique_ptr<CFrameData> Take() {
    if (spare_.empty()) return nullptr;
    std::unique_ptr<CFrameData> frame = std::move(spare_.back());
    spare_.pop_back();
    return frame;
  }
  // Keeps a record its receiver is done with, up to kFramesKept.
  void Give(std::unique_ptr<CFrameData> frame) {
    if (frame && spare_.size() < kFramesKept) spare_.push_back(std::move(frame));
  }

 private:
  std::vector<std::unique_ptr<CFrameData>> spare_;
};

}  // namespace telemetry
