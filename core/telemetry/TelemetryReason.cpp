#include "core/telemetry/TelemetryReason.h"

#include <array>
#include <cstring>
#include <locale.h>
#include <string_view>

#include "core/instrument/FileErrorText.h"
#include "core/telemetry/TelemetryCodes.h"

namespace telemetry {
namespace {

constexpr std::string_view kConnectionFailed = "\tConnection failed.\r\n";

// The serial reader codes 0x10000001 to 0x10000007: a label and the text
// of the error the reader stored.
constexpr std::array<std::string_view, 7> kReaderLabels = {
    "\tRead error: ",
    "\tStatus event error: ",
    "\tOverlapped read error: ",
    "\tOverlapped status event error: ",
    "\tOverlapped read initialization error: ",
    "\tRead buffer initialization error: ",
    "\tCommunications status error: ",
};

struct FixedReason {
  std::uint32_t code;
  const char* text;
};

constexpr FixedReason kResourceReasons[] = {
    {kResNotAttached, "\tThe instrument has not been attached or defined.\r\n"},
    {kResAlreadyAttached, "\tThe instrument has already been attached.\r\n"},
    {kResNotInitialized, "\tThe communications resource has not been initialized.\r\n"},
    {kResNotConnected, "\tThe serial port has not been connected.\r\n"},
    {kResStillConnected, "\tThe serial port is still connected.\r\n"},
    {kResInvalidFile, "\tInvalid file resource.\r\n"},
    {kResInvalidPort, "\tInvalid serial port identification.\r\n"},
    {kResNoGlobalSync, "\tGlobal synchronization has been deactivated.\r\n"},
    {kResAbortPending, "\tThe telemetry abort code has not been reset.\r\n"},
    {kResFileNotOpen, "\tThe file resource is not open.\r\n"},
    {kResExclusiveAttached,
     "\tThere is already an instrument attached to this\r\n"
     "\tresource with no frame synchronization string defined.\r\n"
     "\tOnly one of these instruments can be attached to the resource.\r\n"},
    {kResExclusiveRefused,
     "\tThe instrument specifies that no frame synchronization\r\n"
     "\tstring will be found in the telemetry.\r\n"
     "\tOnly one of these instruments can be attached to the resource.\r\n"},
    {kResBsiSyncInvalid,
     "\tA BSI instrument must be specified with multiples of \r\n"
     "\ttwo-byte data synchronization arrays, using the SPECIAL \r\n"
     "\tsensor definition line.\r\n"},
};

constexpr FixedReason kControlReasons[] = {
    {kCtlResourceNotFound, "\tThe communications resource could not be found.\r\n"},
    {kCtlResourceDefined, "\tThe communications resource has already been defined.\r\n"},
    {kCtlResourceInvalid, "\tThe communications resource reference is invalid.\r\n"},
    {kCtlInstrumentNotFound, "\tThe instrument could not be found.\r\n"},
    {kCtlInstrumentDefined, "\tThe instrument has already been defined.\r\n"},
    {kCtlInstrumentInvalid, "\tThe instrument reference is invalid.\r\n"},
    {kCtlNotFile, "\tThe specified communications resource is not a file.\r\n"},
    {kCtlNotSerial, "\tThe specified communications resource is not a serial port.\r\n"},
};

template <std::size_t N>
std::string FindFixedReason(const FixedReason (&table)[N], std::uint32_t code) {
  for (const FixedReason& reason : table)
    if (reason.code == code) return reason.text;
  return {};
}

bool IsReaderCode(std::uint32_t code) { return code >= kResReadError && code <= kResCommStatusError; }

// The port set-up codes that always end in "Connection failed.": the port
// is reset after each of them. Listed one by one: the codes count in
// decimal style, so 0x1000000A to 0x1000000F lie between them unused.
constexpr std::uint32_t kPortSetupCodes[] = {kResGetTimeoutsFailed, kResSetTimeoutsFailed, kResGetStateFailed,
                                             kResSetStateFailed,    kResSetupFailed,   kResSetMaskFailed};

bool IsPortSetupCode(std::uint32_t code) {
  for (std::uint32_t setup : kPortSetupCodes)
    if (setup == code) return true;
  return false;
}

std::string ReaderReason(std::uint32_t code, int stored_error, bool connecting) {
  std::string reason(kReaderLabels[code - kResReadError]);
  reason += FormatSystemMessage(stored_error);
  if (connecting) reason += kConnectionFailed;
  return reason;
}

// The texts of unknown causes differ here from the shared table in one
// spelling, which stored logs carry.
constexpr int kLastKnownFileCause = 14;

}  // namespace

std::string FormatSystemMessage(int error) {
  // The C locale's texts, so the conversion log reads the same whatever
  // language a user interface library switched the process to.
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  std::string text = c_locale ? strerror_l(error, c_locale) : std::strerror(error);
  text += "\r\n";
  return text;
}

std::string GetFileErrorText(int cause) {
  if (cause < 0 || cause > kLastKnownFileCause) return "An unknown file error occured.\r\n";
  return instrument::InstrumentFileErrorText(cause);
}

std::string ResourceReasonText(std::uint32_t code, int stored_error, bool connecting, int file_cause,
                               int current_error) {
  if (IsReaderCode(code)) return ReaderReason(code, stored_error, connecting);
  if (IsPortSetupCode(code)) return "\t" + FormatSystemMessage(current_error) + std::string(kConnectionFailed);
  if (code == kResResetFailed) return "\t" + FormatSystemMessage(current_error);
  if (code == kResFileError) return "\t" + GetFileErrorText(file_cause);
  return FindFixedReason(kResourceReasons, code);
}

std::string ControlReasonText(std::uint32_t code) { return FindFixedReason(kControlReasons, code); }

}  // namespace telemetry
