// The four name comparisons an archive can select. The program runs in the
// C locale, so collating order is byte order; case folding is ASCII only,
// which keeps UTF-8 names intact.
#pragma once

using ZIPNAMECOMPARE = int (*)(const char*, const char*);

ZIPNAMECOMPARE GetNameCompareFunction(bool caseSensitive, bool collate = true);
