#include "zip/ZipWildcard.h"

#include <cctype>

namespace {

unsigned char U(char c) { return static_cast<unsigned char>(c); }

std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(U(c)));
  return text;
}

// One class member at p (escape honoured); nullptr when the pattern ends.
const char* Member(const char* p, unsigned char& value) {
  if (*p == '\\') ++p;
  if (*p == '\0') return nullptr;
  value = U(*p);
  return p + 1;
}

int ValidateClass(const char*& p) {
  ++p;  // '['
  if (*p == ']') return CZipArchive::CWildcard::patternEmpty;
  if (*p == '\0') return CZipArchive::CWildcard::patternClose;
  while (*p != ']') {
    if (*p == '\\' && *++p == '\0') return CZipArchive::CWildcard::patternEsc;
    ++p;
    if (*p == '\0') return CZipArchive::CWildcard::patternClose;
    if (*p == '-') {
      ++p;
      if (*p == '\0' || *p == ']') return CZipArchive::CWildcard::patternRange;
      if (*p == '\\' && *++p == '\0') return CZipArchive::CWildcard::patternEsc;
      ++p;
      if (*p == '\0') return CZipArchive::CWildcard::patternClose;
    }
  }
  ++p;
  return CZipArchive::CWildcard::patternValid;
}

}  // namespace

void CZipArchive::CWildcard::SetPattern(const std::string& pattern, bool caseSensitive) {
  m_bCaseSensitive = caseSensitive;
  m_szPattern = caseSensitive ? pattern : Lowered(pattern);
}

bool CZipArchive::CWildcard::IsPattern(const std::string& text) {
  return text.find_first_of("*?[\\") != std::string::npos;
}

bool CZipArchive::CWildcard::IsPatternValid(const std::string& pattern, int* error) {
  int result = patternValid;
  for (const char* p = pattern.c_str(); *p != '\0' && result == patternValid;) {
    if (*p == '[') result = ValidateClass(p);
    else if (*p == '\\') result = p[1] == '\0' ? patternEsc : (p += 2, patternValid);
    else ++p;
  }
  if (error) *error = result;
  return result == patternValid;
}

// Advances p past the class and tells whether c belongs to it.
int CZipArchive::CWildcard::MatchClass(const char*& p, unsigned char c) {
  ++p;  // '['
  const bool negated = *p == '!' || *p == '^';
  if (negated) ++p;
  if (*p == ']') return matchPattern;
  bool accepted = false;
  while (*p != ']') {
    unsigned char low;
    p = Member(p, low);
    if (p == nullptr) return matchPattern;
    unsigned char high = low;
    if (*p == '-') {
      if (p[1] == '\0' || p[1] == ']') return matchPattern;
      p = Member(p + 1, high);
      if (p == nullptr) return matchPattern;
    }
    if (*p == '\0') return matchPattern;
    const unsigned char lo = low < high ? low : high;
    const unsigned char hi = low < high ? high : low;
    if (c >= lo && c <= hi) accepted = true;
  }
  ++p;  // ']'
  return accepted != negated ? matchValid : matchRange;
}

int CZipArchive::CWildcard::Match(const char* p, const char* t) {
  for (; *p != '\0'; ++t) {
    if (*t == '\0') {
      while (*p == '*') ++p;
      return *p == '\0' ? matchValid : matchAbort;
    }
    switch (*p) {
      case '*':
        return MatchAfterStar(p, t);
      case '?':
        ++p;
        break;
      case '[': {
        const int result = MatchClass(p, U(*t));
        if (result != matchValid) return result;
        break;
      }
      case '\\':
        if (p[1] == '\0') return matchPattern;
        if (p[1] != *t) return matchLiteral;
        p += 2;
        break;
      default:
        if (*p != *t) return matchLiteral;
        ++p;
    }
  }
  return *t == '\0' ? matchValid : matchEnd;
}

// Tries every place the rest of the pattern could start. A continuation
// that runs out of text ends the search: later places have less text.
int CZipArchive::CWildcard::MatchAfterStar(const char* p, const char* t) {
  for (; *p == '*' || *p == '?'; ++p) {
    if (*p == '?' && *t++ == '\0') return matchAbort;
  }
  if (*p == '\0') return matchValid;
  for (;; ++t) {
    const int result = Match(p, t);
    if (result == matchValid || result == matchAbort) return result;
    if (*t == '\0') return matchAbort;
  }
}

bool CZipArchive::CWildcard::IsMatch(const std::string& text, int* result) const {
  const std::string subject = m_bCaseSensitive ? text : Lowered(text);
  const int r = Match(m_szPattern.c_str(), subject.c_str());
  if (result) *result = r;
  return r == matchValid;
}
