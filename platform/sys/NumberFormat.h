// Integers and padded texts printed without printf, for the per-value path
// of conversions. Every function appends exactly the bytes that snprintf
// prints in the C locale for the form named beside it (glibc is the
// reference), so a caller can leave sys::AppendFormat without changing a
// byte of its output.
//
// The width argument has printf's meaning of "*": right-aligned in that many
// characters, left-aligned with spaces when negative (the "-" flag, which
// also overrides the "0" flag), nothing when 0.
#pragma once

#include <string>
#include <string_view>

namespace sys {

// "%*s"
void AppendPadded(std::string& out, std::string_view text, int width);

// "%*lu"
void AppendUnsigned(std::string& out, unsigned long value, int width = 0);
// "%0*lu", the form of "%07lu"
void AppendUnsignedZeroFilled(std::string& out, unsigned long value, int width);

// "%*ld"
void AppendSigned(std::string& out, long value, int width = 0);

// "%*lX"
void AppendHex(std::string& out, unsigned long value, int width = 0);
// "%0*lX", the form of "%0*X"
void AppendHexZeroFilled(std::string& out, unsigned long value, int width);

}  // namespace sys
