// What every variable-length field of one instrument shares: the FIELD
// delimiter string (one character per field boundary) and the TERMINATOR
// string. The instrument builds it once, when its TERMINATOR line is read.
#pragma once

#include <string>

namespace instrument {

struct VariableFieldLayout {
  std::string field_delimiters;
  std::string terminator;
};

}  // namespace instrument
