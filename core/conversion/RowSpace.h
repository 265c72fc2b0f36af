// Where a row of the output is written in place: the writer keeps room for
// the row's usual length, and asks for more only for a value longer than a
// number (a text, an error), so the usual row is written without a test of
// room for each value.
#pragma once

#include <cstddef>

class CRowSpace {
 public:
  virtual ~CRowSpace() = default;
  // Room for `more` bytes from `at` on (a place in the row being written);
  // the row may move, so the same place in the row's new storage.
  virtual char* MakeRoom(char* at, std::size_t more) = 0;
};
