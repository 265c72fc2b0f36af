// printf-style formatting into std::string, always in the C locale, so that
// numbers are written the same whatever locale a library has switched on.
#pragma once

#include <cstdarg>
#include <string>

namespace sys {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatV(const char* format, va_list args);

// Appends to an existing string (no temporary string for hot paths).
void AppendFormat(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void AppendFormatV(std::string& out, const char* format, va_list args);

}  // namespace sys
