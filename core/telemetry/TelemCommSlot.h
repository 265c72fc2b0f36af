// What a resource keeps per attached instrument: its frame description and
// whether its first frame has been found (reported once until cleared).
#pragma once

#include "core/telemetry/FrameFactory.h"
#include "core/telemetry/TelemComm.h"

namespace telemetry {

struct CTelemComm::InstrumentSlot {
  FrameDescription description;
  bool found = false;
};

}  // namespace telemetry
