// Integer and text printing for the per-value path of conversions (reals go
// through sys::AppendFloat). Each function appends exactly what the printf
// form named beside it prints in the C locale, without a format string to
// parse or a locale to switch per value.
#pragma once

#include <cstdint>
#include <string>

namespace telemetry {

// "%lu", or "%*lu" when width > 0.
void AppendUnsignedText(std::string& out, std::uint32_t value, int width);
// "%ld", or "%*ld" when width > 0.
void AppendSignedText(std::string& out, std::int32_t value, int width);
// "%X", or "%0*X" when width > 0.
void AppendHexText(std::string& out, std::uint32_t value, int width);
// "%s", or "%*s" when width > 0.
void AppendPaddedText(std::string& out, const char* text, std::size_t length, int width);

}  // namespace telemetry
