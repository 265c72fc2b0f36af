// The option switches of an unattended conversion. A switch is "-" and a
// letter; "/" starts a path here, so it never introduces a switch. Letters,
// keys and yes/no values compare without case; values that are taken as
// given (a delimiter, a conversion log path) keep their case.
#include <optional>
#include <string_view>

#include "core/conversion/BrivenParameters.h"
#include "core/conversion/SwitchNumber.h"

namespace {

// The largest frame limit, depth, width or precision a switch may give.
constexpr int kLargestSwitchNumber = 32766;

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view text, std::string_view lower_word) {
  if (text.size() != lower_word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (LowerAscii(text[i]) != lower_word[i]) return false;
  return true;
}

// The character at index, or NUL past the end (so c3 and c4 of a short
// switch match nothing).
char LowerAt(std::string_view text, std::size_t index) {
  return index < text.size() ? LowerAscii(text[index]) : '\0';
}

struct KeyValue {
  std::string_view key;
  std::string_view value;
};

// "key=value" split at the first "="; nothing when the "=" is missing or
// either side is empty.
std::optional<KeyValue> SplitKeyValue(std::string_view body) {
  const std::size_t equals = body.find('=');
  if (equals == std::string_view::npos || equals == 0 || equals + 1 == body.size()) return std::nullopt;
  return KeyValue{body.substr(0, equals), body.substr(equals + 1)};
}

bool KeyIs(std::string_view key, std::string_view long_word, std::string_view short_word) {
  return EqualsNoCase(key, long_word) || EqualsNoCase(key, short_word);
}

// "yes"/"y" is true, "no"/"n" false, anything else nothing.
std::optional<bool> ParseYesNo(std::string_view value) {
  if (EqualsNoCase(value, "yes") || EqualsNoCase(value, "y")) return true;
  if (EqualsNoCase(value, "no") || EqualsNoCase(value, "n")) return false;
  return std::nullopt;
}

// In the functions below, body is the switch without its "-": body[0] is
// the letter, body[1] is c3 and body[2] is c4.

bool ParseFitOrConversionLog(CBrivenParameters& p, std::string_view body) {
  if (body.size() == 1) {
    p.m_format.m_nApplyFit = 1;
    return true;
  }
  if (body.size() == 2) {
    if (LowerAt(body, 1) != 'i') return false;
    p.m_format.m_nApplyFit = 1;
    p.m_nImmersed = 1;
    return true;
  }
  const std::optional<KeyValue> kv = SplitKeyValue(body);
  if (!kv || !KeyIs(kv->key, "conversionlog", "cl")) return false;
  p.m_nConversionLogSet = 1;
  p.m_strConversionLogPath = std::string(kv->value);
  return true;
}

bool ParseDelimiter(CBrivenParameters& p, std::string_view body) {
  const std::string_view text = body.substr(1);
  if (text.empty()) return false;
  if (text.size() == 1 && LowerAt(text, 0) == 't')
    p.m_strDelimiter = "\t";
  else if (text.size() == 1 && LowerAt(text, 0) == 's')
    p.m_strDelimiter = " ";
  else
    p.m_strDelimiter = std::string(text);
  return true;
}

void SetErrorCheck(CBrivenParameters& p, char which) {
  if (which == 'f') p.m_nFrameCounterChecking = 1;
  if (which == 'c') p.m_nCheckSumChecking = 1;
}

bool ParseEndWindow(CBrivenParameters& p, std::string_view body) {
  const std::optional<KeyValue> kv = SplitKeyValue(body);
  if (!kv || !KeyIs(kv->key, "endwindow", "ew")) return false;
  const std::optional<bool> yes = ParseYesNo(kv->value);
  if (!yes) return false;
  p.m_nEndWindowSet = 1;
  p.m_nDismissProgressValue = *yes ? 1 : 0;
  return true;
}

bool ParseErrorCheckOrEndWindow(CBrivenParameters& p, std::string_view body) {
  const char c3 = LowerAt(body, 1);
  if (c3 == 'f' || c3 == 'c') {
    SetErrorCheck(p, c3);
    SetErrorCheck(p, LowerAt(body, 2));
    return true;
  }
  if (body.size() <= 2) return false;
  return ParseEndWindow(p, body);
}

bool ParseDoubleType(CBrivenParameters& p, std::string_view body) {
  switch (LowerAt(body, 1)) {
    case 'f': p.m_format.m_nDoubleType = 0; return true;
    case 'e': p.m_format.m_nDoubleType = 1; return true;
    case 'g': p.m_format.m_nDoubleType = 2; return true;
    default: return false;
  }
}

// "-l100" sets the limit, "-l100-5" the limit and the depth, "-l-5" the
// depth alone.
bool ParseLimitAndDepth(CBrivenParameters& p, std::string_view body) {
  const std::string_view text = body.substr(1);
  const std::size_t hyphen = text.find('-');
  if (hyphen == std::string_view::npos)
    return ParseSwitchNumber(text, 0, kLargestSwitchNumber, p.m_nProcessLimit);
  if (hyphen > 0 && !ParseSwitchNumber(text.substr(0, hyphen), 0, kLargestSwitchNumber, p.m_nProcessLimit))
    return false;
  return ParseSwitchNumber(text.substr(hyphen + 1), 1, kLargestSwitchNumber, p.m_nProcessDepth);
}

bool ParseOverwrite(CBrivenParameters& p, std::string_view body) {
  if (body.size() < 3) return false;
  const std::optional<KeyValue> kv = SplitKeyValue(body);
  if (!kv || !KeyIs(kv->key, "overwrite", "ow")) return false;
  const std::optional<bool> yes = ParseYesNo(kv->value);
  if (!yes) return false;
  p.m_nOverwriteSet = 1;
  p.m_nOverwritePromptValue = *yes ? 0 : 1;
  return true;
}

bool ParseTimeTags(CBrivenParameters& p, std::string_view body) {
  p.m_nTimeTags = 1;
  if (LowerAt(body, 1) == 'f') p.m_nTimeTagsFormatted = 1;
  return true;
}

bool ParseSwitch(CBrivenParameters& p, std::string_view body) {
  switch (LowerAt(body, 0)) {
    case 'c': return ParseFitOrConversionLog(p, body);
    case 'd': return ParseDelimiter(p, body);
    case 'e': return ParseErrorCheckOrEndWindow(p, body);
    case 'f': return ParseDoubleType(p, body);
    case 'h': p.m_format.m_nHexFormat = 1; return true;
    case 'l': return ParseLimitAndDepth(p, body);
    case 'n': p.m_nSensorErrorFrames = 0; return true;
    case 'o': return ParseOverwrite(p, body);
    case 'p': return ParseSwitchNumber(body.substr(1), 0, kLargestSwitchNumber, p.m_format.m_nPrecision);
    case 's': p.m_nSuppressStrings = 1; return true;
    case 't': return ParseTimeTags(p, body);
    case 'w': return ParseSwitchNumber(body.substr(1), 1, kLargestSwitchNumber, p.m_format.m_nWidth);
    case 'x': p.m_nShowExtra = 1; return true;
    default: return false;
  }
}

}  // namespace

bool CBrivenParameters::ParseCommandLine(const std::string& argument) {
  if (argument.size() < 2 || argument[0] != '-') return false;
  if (!ParseSwitch(*this, std::string_view(argument).substr(1))) return false;
  ++m_nParsedCount;
  return true;
}
