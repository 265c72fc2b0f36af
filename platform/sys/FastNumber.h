// Real numbers printed without printf, for the per-value path of
// conversions where "%f" would take most of the time. Every function
// appends exactly the bytes that snprintf prints in the C locale for the
// form named beside it (glibc is the reference), so switching a caller
// from sys::AppendFormat to these never changes an output file. The forms
// whose bytes differ from what std::to_chars writes ("%g" and "%#g") and
// texts too long for the fast path (a huge precision) go through snprintf.
//
// The width argument has printf's meaning of "*": right-aligned with spaces
// in that many characters, left-aligned when negative, nothing when 0. A
// negative precision is printf's default of 6.
#pragma once

#include <string>

namespace sys {

// The conversion letters of printf for doubles.
enum class FloatStyle { kFixed, kExponent, kGeneral };  // f, e, g

struct FloatFormat {
  FloatStyle style = FloatStyle::kFixed;
  bool alternate = false;  // the "#" flag: the point is always printed
  int width = 0;
  int precision = -1;
};

// "%.*f"
void AppendFixed(std::string& out, double value, int precision);

// "%*.*f", "%*.*e" or "%*.*g", with "#" when format.alternate is set.
void AppendFloat(std::string& out, double value, const FloatFormat& format);

}  // namespace sys
