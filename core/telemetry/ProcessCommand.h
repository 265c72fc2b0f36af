// One queued processing command, held by value. It names its resource by
// the resource's unique id as well as its name; the control's own messages
// carry id 0 and an empty name.
#pragma once

#include <cstdint>
#include <string>

namespace telemetry {

struct CProcessCommand {
  std::string m_strResourceName;
  std::uint64_t m_nResourceId = 0;
  int m_nType = 0;
};

}  // namespace telemetry
