#include "fsutil/QVTFileSystemPattern.h"

#include <algorithm>

namespace {

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

bool EndsWith(const std::string& text, const char* tail, std::size_t tailLength) {
  return text.size() >= tailLength && text.compare(text.size() - tailLength, tailLength, tail) == 0;
}

}  // namespace

bool QVTFileSystemPattern::Matches(const std::string& name) const {
  if (name.empty() || pattern_.empty()) return false;
  if (Glob(pattern_.data(), pattern_.size(), name)) return true;
  if (name.find('.') != std::string::npos) return false;
  // A name without extension matches "x.*" and "x." as it would match "x".
  if (EndsWith(pattern_, ".*", 2)) return Glob(pattern_.data(), pattern_.size() - 2, name);
  if (EndsWith(pattern_, ".", 1)) return Glob(pattern_.data(), pattern_.size() - 1, name);
  return false;
}

int QVTFileSystemPattern::CompareNoCase(const std::string& a, const std::string& b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(Fold(a[i]));
    const auto y = static_cast<unsigned char>(Fold(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Iterative matching with one back-track point (the last "*"), so that
// long names and many stars cost linear-ish time, never exponential.
bool QVTFileSystemPattern::Glob(const char* pattern, std::size_t patternLength, const std::string& name) {
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t starP = std::string::npos;
  std::size_t starN = 0;
  while (n < name.size()) {
    if (p < patternLength && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < patternLength && (pattern[p] == '?' || Fold(pattern[p]) == Fold(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < patternLength && pattern[p] == '*') ++p;
  return p == patternLength;
}
