#include "zip/ZipNameCompare.h"

#include <cstring>
#include <strings.h>

namespace {

int Plain(const char* a, const char* b) { return std::strcmp(a, b); }
int PlainNoCase(const char* a, const char* b) { return ::strcasecmp(a, b); }
int Collate(const char* a, const char* b) { return std::strcoll(a, b); }
int CollateNoCase(const char* a, const char* b) { return ::strcasecmp(a, b); }

}  // namespace

ZIPNAMECOMPARE GetNameCompareFunction(bool caseSensitive, bool collate) {
  if (collate) return caseSensitive ? Collate : CollateNoCase;
  return caseSensitive ? Plain : PlainNoCase;
}
