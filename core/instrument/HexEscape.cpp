#include "core/instrument/HexEscape.h"

#include <algorithm>

namespace instrument {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string UnescapeHex(std::string_view text, std::string_view prefix) {
  if (prefix.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t at = text.find(prefix, i);
    if (at == std::string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, at - i));
    const std::size_t digits = at + prefix.size();
    const std::size_t available = std::min<std::size_t>(2, text.size() - digits);
    if (available == 2) {
      const int high = HexDigitValue(text[digits]);
      const int low = HexDigitValue(text[digits + 1]);
      if (high >= 0 && low >= 0) out.push_back(static_cast<char>(high * 16 + low));
    }
    i = digits + available;
  }
  return out;
}

}  // namespace instrument
