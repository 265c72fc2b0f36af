#include "platform/sys/StringUtil.h"

#include <algorithm>
#include <limits>

namespace sys {
namespace {

constexpr const char* kWhiteSpace = " \t\n\v\f\r";
constexpr auto kMaxIndex = static_cast<std::size_t>(std::numeric_limits<int>::max());

int Length(const std::string& text) {
  // Texts longer than an int can count are cut off at what int reaches;
  // nothing in the program comes near that.
  return static_cast<int>(std::min<std::size_t>(text.size(), kMaxIndex));
}

int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }

int ToIndex(std::size_t position) {
  return position == std::string::npos || position > kMaxIndex
             ? -1
             : static_cast<int>(position);
}

char UpperOf(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char LowerOf(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string Left(const std::string& text, int count) {
  return text.substr(0, static_cast<std::size_t>(Clamp(count, 0, Length(text))));
}

std::string Mid(const std::string& text, int first) {
  return text.substr(static_cast<std::size_t>(Clamp(first, 0, Length(text))));
}

std::string Mid(const std::string& text, int first, int count) {
  const int start = Clamp(first, 0, Length(text));
  const int n = Clamp(count, 0, Length(text) - start);
  return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(n));
}

std::string Right(const std::string& text, int count) {
  const int n = Clamp(count, 0, Length(text));
  return text.substr(static_cast<std::size_t>(Length(text) - n), static_cast<std::size_t>(n));
}

int Find(const std::string& text, char ch, int start) {
  if (start > Length(text)) return -1;
  return ToIndex(text.find(ch, static_cast<std::size_t>(std::max(start, 0))));
}

int Find(const std::string& text, const std::string& sub, int start) {
  if (start > Length(text)) return -1;
  return ToIndex(text.find(sub, static_cast<std::size_t>(std::max(start, 0))));
}

int ReverseFind(const std::string& text, char ch) { return ToIndex(text.rfind(ch)); }

int FindOneOf(const std::string& text, const std::string& chars) {
  return chars.empty() ? -1 : ToIndex(text.find_first_of(chars));
}

std::string& MakeUpper(std::string& text) {
  for (char& c : text) c = UpperOf(c);
  return text;
}

std::string& MakeLower(std::string& text) {
  for (char& c : text) c = LowerOf(c);
  return text;
}

std::string ToUpper(std::string text) { return std::move(MakeUpper(text)); }
std::string ToLower(std::string text) { return std::move(MakeLower(text)); }

std::string& TrimLeft(std::string& text) { return TrimLeft(text, kWhiteSpace); }

std::string& TrimLeft(std::string& text, const std::string& chars) {
  const std::size_t keep = text.find_first_not_of(chars);
  text.erase(0, keep == std::string::npos ? text.size() : keep);
  return text;
}

std::string& TrimRight(std::string& text) { return TrimRight(text, kWhiteSpace); }

std::string& TrimRight(std::string& text, const std::string& chars) {
  const std::size_t last = text.find_last_not_of(chars);
  text.erase(last == std::string::npos ? 0 : last + 1);
  return text;
}

std::string& Trim(std::string& text) { return TrimLeft(TrimRight(text)); }

int CompareNoCase(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(LowerOf(a[i]));
    const auto cb = static_cast<unsigned char>(LowerOf(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

int Replace(std::string& text, const std::string& from, const std::string& to) {
  if (from.empty()) return 0;
  // Built into a second buffer in one pass, so many replacements stay linear.
  std::string out;
  int count = 0;
  std::size_t done = 0;
  for (std::size_t hit = text.find(from); hit != std::string::npos; hit = text.find(from, done)) {
    if (count == 0) out.reserve(text.size());
    out.append(text, done, hit - done).append(to);
    done = hit + from.size();
    ++count;
  }
  if (count == 0) return 0;
  out.append(text, done, std::string::npos);
  text.swap(out);
  return count;
}

int Replace(std::string& text, char from, char to) {
  int count = 0;
  for (char& c : text) {
    if (c == from) {
      c = to;
      ++count;
    }
  }
  return count;
}

int Remove(std::string& text, char ch) {
  const std::size_t before = text.size();
  text.erase(std::remove(text.begin(), text.end(), ch), text.end());
  return static_cast<int>(before - text.size());
}

int Insert(std::string& text, int index, const std::string& what) {
  text.insert(static_cast<std::size_t>(Clamp(index, 0, Length(text))), what);
  return Length(text);
}

int Delete(std::string& text, int index, int count) {
  const int start = std::max(index, 0);
  if (start >= Length(text) || count <= 0) return Length(text);
  text.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(std::min(count, Length(text) - start)));
  return Length(text);
}

}  // namespace sys
