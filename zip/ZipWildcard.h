// Shell-style matching of entry names: '*', '?', classes with ranges and
// negation ('[a-c]', '[!x]'), '\' escapes. Bytes compare unsigned; a
// case-insensitive wildcard lowercases its pattern and each text (ASCII).
#pragma once

#include <string>

#include "zip/ZipArchive.h"

class CZipArchive::CWildcard {
 public:
  enum Pattern { patternValid = 0, patternEsc = -1, patternRange = -2, patternClose = -3, patternEmpty = -4 };
  enum Result {
    matchValid = 1, matchEnd = 2, matchAbort = 3, matchRange = 4, matchLiteral = 6, matchPattern = 6,
  };

  CWildcard() = default;
  CWildcard(const std::string& pattern, bool caseSensitive) { SetPattern(pattern, caseSensitive); }
  virtual ~CWildcard() = default;

  void SetPattern(const std::string& pattern, bool caseSensitive);
  static bool IsPattern(const std::string& text);
  static bool IsPatternValid(const std::string& pattern, int* error = nullptr);
  static int Match(const char* pattern, const char* text);
  static int MatchAfterStar(const char* pattern, const char* text);
  bool IsMatch(const std::string& text, int* result = nullptr) const;

 private:
  static int MatchClass(const char*& p, unsigned char c);

  bool m_bCaseSensitive = true;
  std::string m_szPattern;
};
