// The failure of an archive: data that ends too early, a length or count
// that cannot be right, or a store asked of a loading archive. File errors
// underneath stay the file's own exceptions.
#pragma once

#include <exception>
#include <string>

namespace afx {

class CArchiveException : public std::exception {
 public:
  enum Cause {
    none = 0,
    genericException = 1,
    readOnly = 2,   // a store asked of a loading archive
    endOfFile = 3,  // the data ends inside a value
    writeOnly = 4,  // a load asked of a storing archive
    badIndex = 5,   // a count or length that the data cannot hold
    badClass = 6,   // a stored class that is not of the kind expected
    badSchema = 7,  // a stored version this program does not know
  };

  explicit CArchiveException(int cause = none, std::string what = {});

  const char* what() const noexcept override { return m_strWhat.c_str(); }

  int m_cause = none;
  std::string m_strWhat;
};

}  // namespace afx
