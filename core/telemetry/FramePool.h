// Frame records handed back by their receiver once it has read them, made
// into the next frames a resource cuts. A conversion takes millions of
// frames one after the other; a record refilled in place costs no
// allocation of itself, its bytes or its strings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/instrument/FrameData.h"
#include "core/telemetry/FrameFactory.h"

namespace telemetry {

class FramePool {
 public:
  // A record of these bytes and this description: a spare one refilled, or
  // a new one when none is spare. Either holds the same as MakeFrameData's.
  std::unique_ptr<CFrameData> Make(const std::uint8_t* bytes, std::size_t length,
                                   const FrameDescription& description);
  // Keeps a record its receiver is done with, up to a few: a resource cuts
  // only a few frames ahead of their delivery.
  void Give(std::unique_ptr<CFrameData> frame);

  // The most records kept spare.
  static constexpr std::size_t kFramesKept = 64;

 private:
  std::vector<std::unique_ptr<CFrameData>> spare_;
};

}  // namespace telemetry
