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

  // A spare record, or null when there is none.
  std::unique_ptr<CFrameData> Take();
  // Keeps a record its receiver is done with, up to kFramesKept.
  void Give(std::unique_ptr<CFrameData> frame);

 private:
  std::vector<std::unique_ptr<CFrameData>> spare_;
};

}  // namespace telemetry
