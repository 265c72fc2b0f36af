// One column of a row as the row writer runs it: a function, chosen once
// per conversion for the column's kind, that writes the column's value and
// the delimiter behind it straight into the row. A null result leaves the
// column, with nothing written, to the general road (a text, an error, a
// value the fast writers decline).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

class CColumnDecoder;
class CFrameChecker;
class CVariableColumnDecoder;
class CVariableFieldRow;

struct CRowStep {
  // What every step of one row reads.
  struct Fields {
    const std::uint8_t* bytes;  // the frame's bytes
    std::size_t available;      // those of its size that it really holds
    int precision;              // of the reals
    const CFrameChecker* checks;
    const char* delimiter;
    std::size_t delimiter_size;
    CVariableFieldRow* variable_fields;  // the frame's variable-length fields
  };
  using Writer = char* (*)(const CRowStep& step, const Fields& row, char* at);

  // The delimiter is nearly always one character (a tab): stored, not
  // copied by a call.
  static char* PutDelimiter(char* at, const Fields& row) {
    if (row.delimiter_size == 1) {
      *at = row.delimiter[0];
      return at + 1;
    }
    std::memcpy(at, row.delimiter, row.delimiter_size);
    return at + row.delimiter_size;
  }

  Writer write = nullptr;
  const CColumnDecoder* decoder = nullptr;  // of a fixed field's column
  std::size_t column = 0;                    // its place among the columns
  const CVariableColumnDecoder* variable = nullptr;  // of a variable-length field's column
};
