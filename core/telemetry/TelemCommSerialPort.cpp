#include "core/telemetry/SerialLink.h"
#include "core/telemetry/TelemComm.h"
#include "core/telemetry/TelemetryCodes.h"

namespace telemetry {

bool CTelemComm::PortExists() const { return false; }
std::uint32_t CTelemComm::Connect() { return 0; }
std::uint32_t CTelemComm::Disconnect() { return 0; }

}  // namespace telemetry
