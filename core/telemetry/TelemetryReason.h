// The reason texts that follow a failing telemetry operation's own message
// line, chosen by its result code. Each text ends in "\r\n" (the conversion
// log drops text after the last line end), and a code without a reason
// gives an empty text.
#pragma once

#include <cerrno>
#include <cstdint>
#include <string>

namespace telemetry {

// The system's text for an error number, with a line end: the text of
// errno values on this platform.
std::string FormatSystemMessage(int error);

// The text of a file exception cause, with a line end.
std::string GetFileErrorText(int cause);

// The reason appended to a resource's message. stored_error is the error
// the reader thread kept; connecting is true while the reader is being
// started; file_cause is the resource's stored file exception cause;
// current_error is the error of the call that just failed (errno where the
// caller stands, unless given).
std::string ResourceReasonText(std::uint32_t code, int stored_error, bool connecting, int file_cause,
                               int current_error = errno);

// The reason appended to the telemetry control's message.
std::string ControlReasonText(std::uint32_t code);

}  // namespace telemetry
