// The name part of a listing pattern ("*.cal", "log??.*"), matched as the
// listing calls of the system this program comes from match it: "*" and "?"
// as wildcards, letters without regard to case, and a final ".*" or "."
// also matching a name that has no extension at all ("*.*" is every name).
#pragma once

#include <string>

class QVTFileSystemPattern {
 public:
  explicit QVTFileSystemPattern(std::string pattern) : pattern_(std::move(pattern)) {}

  bool Matches(const std::string& name) const;

  // Byte order with ASCII letters folded to lower case: <0, 0 or >0.
  static int CompareNoCase(const std::string& a, const std::string& b);

 private:
  static bool Glob(const char* pattern, std::size_t patternLength, const std::string& name);
  std::string pattern_;
};
