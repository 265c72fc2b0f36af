// Text helpers over std::string with the forgiving index rules the converter
// was written against: a count or position out of range is clamped, never an
// exception or undefined behaviour, because positions often come straight
// from file contents. Case folding is ASCII only (the C locale), so results
// never depend on the user's locale. Positions are int, -1 meaning "none".
#pragma once

#include <string>

namespace sys {

// The first count characters; all of them when count exceeds the length.
std::string Left(const std::string& text, int count);
// From first to the end; first below 0 counts as 0.
std::string Mid(const std::string& text, int first);
// count characters from first, cut at the end of the text.
std::string Mid(const std::string& text, int first, int count);
// The last count characters.
std::string Right(const std::string& text, int count);

// Index of the first ch (or sub) at or after start, else -1. A negative
// start searches from the beginning; an empty sub is found at start.
int Find(const std::string& text, char ch, int start = 0);
int Find(const std::string& text, const std::string& sub, int start = 0);
// Index of the last ch, else -1.
int ReverseFind(const std::string& text, char ch);
// Index of the first character that is one of chars, else -1.
int FindOneOf(const std::string& text, const std::string& chars);

// In place, ASCII letters only; return the text for chaining.
std::string& MakeUpper(std::string& text);
std::string& MakeLower(std::string& text);
std::string ToUpper(std::string text);
std::string ToLower(std::string text);

// Without chars: white space as the C locale knows it (" \t\n\v\f\r").
std::string& TrimLeft(std::string& text);
std::string& TrimLeft(std::string& text, const std::string& chars);
std::string& TrimRight(std::string& text);
std::string& TrimRight(std::string& text, const std::string& chars);
std::string& Trim(std::string& text);

// <0, 0, >0 as strcmp of the lower-cased texts (as strcasecmp and the
// runtime's case-insensitive compare fold), bytes compared unsigned.
int CompareNoCase(const std::string& a, const std::string& b);
bool EqualsNoCase(const std::string& a, const std::string& b);

// Replaces every occurrence; returns how many. An empty from replaces nothing.
int Replace(std::string& text, const std::string& from, const std::string& to);
int Replace(std::string& text, char from, char to);
// Removes every ch; returns how many.
int Remove(std::string& text, char ch);
// Inserts at index (clamped to 0..length); returns the new length.
int Insert(std::string& text, int index, const std::string& what);
// Deletes up to count characters at index (below 0 counts as 0); returns
// the new length.
int Delete(std::string& text, int index, int count = 1);

}  // namespace sys
