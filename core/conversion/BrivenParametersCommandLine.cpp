// The option switches of an unattended conversion. A switch is "-" and a
// letter; "/" starts a path here, so it never introduces a switch. Letters,
// keys and yes/no values compare without case; values that are taken as
// given (a delimiter, a conversion log path) keep their case.
#include <optional>
#include <string_view>

#include "core/conversion/BrivenParameters.h"
#include "core/conversion/SwitchNumber.h"
#include "platform/sys/StringUtil.h"

namespace {

using conversion::ParseSwitchNumber;

// The largest frame limit, depth, width or precision a switch may give.
constexpr int kLargestSwitchNumber = 32766;

// One switch without its "-": as typed, for the values taken as given, and
// folded to lower case, for the letters, keys and yes/no words. text[0] is
// the letter, text[1] is c3 and text[2] is c4.
struct Switch {
  std::string_view text;
  std::string_view folded;
  std::size_t size() const { return text.size(); }
  // A folded character, or NUL past the end (so c3 and c4 of a short
  // switch match nothing).
  char At(std::size_t index) const { return index < folded.size() ? folded[index] : '\0'; }
};

// The folded key and the value as typed of "key=value", split at the
// first "="; nothing when the "=" is missing or either side is empty.
struct KeyValue {
  std::string_view key;
  std::string_view value;
  std::string_view folded_value;
};

std::optional<KeyValue> SplitKeyValue(const Switch& s) {
  const std::size_t equals = s.text.find('=');
  if (equals == std::string_view::npos || equals == 0 || equals + 1 == s.size()) return std::nullopt;
  return KeyValue{s.folded.substr(0, equals), s.text.substr(equals + 1), s.folded.substr(equals + 1)};
}

bool KeyIs(const KeyValue& kv, std::string_view long_word, std::string_view short_word) {
  return kv.key == long_word || kv.key == short_word;
}

// "yes"/"y" is true, "no"/"n" false, anything else nothing.
std::optional<bool> ParseYesNo(std::string_view folded) {
  if (folded == "yes" || folded == "y") return true;
  if (folded == "no" || folded == "n") return false;
  return std::nullopt;
}

bool ParseFitOrConversionLog(CBrivenParameters& p, const Switch& s) {
  if (s.size() == 1) {
    p.m_format.m_nApplyFit = 1;
    return true;
  }
  if (s.size() == 2) {
    if (s.At(1) != 'i') return false;
    p.m_format.m_nApplyFit = 1;
    p.m_nImmersed = 1;
    return true;
  }
  const std::optional<KeyValue> kv = SplitKeyValue(s);
  if (!kv || !KeyIs(*kv, "conversionlog", "cl")) return false;
  p.m_nConversionLogSet = 1;
  p.m_strConversionLogPath = std::string(kv->value);
  return true;
}

bool ParseDelimiter(CBrivenParameters& p, const Switch& s) {
  if (s.size() == 1) return false;
  if (s.size() == 2 && s.At(1) == 't')
    p.m_strDelimiter = "\t";
  else if (s.size() == 2 && s.At(1) == 's')
    p.m_strDelimiter = " ";
  else
    p.m_strDelimiter = std::string(s.text.substr(1));
  return true;
}

void SetErrorCheck(CBrivenParameters& p, char which) {
  if (which == 'f') p.m_nFrameCounterChecking = 1;
  if (which == 'c') p.m_nCheckSumChecking = 1;
}

bool ParseEndWindow(CBrivenParameters& p, const Switch& s) {
  const std::optional<KeyValue> kv = SplitKeyValue(s);
  if (!kv || !KeyIs(*kv, "endwindow", "ew")) return false;
  const std::optional<bool> yes = ParseYesNo(kv->folded_value);
  if (!yes) return false;
  p.m_nEndWindowSet = 1;
  p.m_nDismissProgressValue = *yes ? 1 : 0;
  return true;
}

bool ParseErrorCheckOrEndWindow(CBrivenParameters& p, const Switch& s) {
  const char c3 = s.At(1);
  if (c3 == 'f' || c3 == 'c') {
    SetErrorCheck(p, c3);
    SetErrorCheck(p, s.At(2));
    return true;
  }
  if (s.size() <= 2) return false;
  return ParseEndWindow(p, s);
}

bool ParseDoubleType(CBrivenParameters& p, const Switch& s) {
  switch (s.At(1)) {
    case 'f': p.m_format.m_nDoubleType = 0; return true;
    case 'e': p.m_format.m_nDoubleType = 1; return true;
    case 'g': p.m_format.m_nDoubleType = 2; return true;
    default: return false;
  }
}

// "-l100" sets the limit, "-l100-5" the limit and the depth, "-l-5" the
// depth alone.
bool ParseLimitAndDepth(CBrivenParameters& p, const Switch& s) {
  const std::string_view text = s.text.substr(1);
  const std::size_t hyphen = text.find('-');
  if (hyphen == std::string_view::npos)
    return ParseSwitchNumber(text, 0, kLargestSwitchNumber, p.m_nProcessLimit);
  if (hyphen > 0 && !ParseSwitchNumber(text.substr(0, hyphen), 0, kLargestSwitchNumber, p.m_nProcessLimit))
    return false;
  return ParseSwitchNumber(text.substr(hyphen + 1), 1, kLargestSwitchNumber, p.m_nProcessDepth);
}

bool ParseOverwrite(CBrivenParameters& p, const Switch& s) {
  if (s.size() < 3) return false;
  const std::optional<KeyValue> kv = SplitKeyValue(s);
  if (!kv || !KeyIs(*kv, "overwrite", "ow")) return false;
  const std::optional<bool> yes = ParseYesNo(kv->folded_value);
  if (!yes) return false;
  p.m_nOverwriteSet = 1;
  p.m_nOverwritePromptValue = *yes ? 0 : 1;
  return true;
}

bool ParseTimeTags(CBrivenParameters& p, const Switch& s) {
  p.m_nTimeTags = 1;
  if (s.At(1) == 'f') p.m_nTimeTagsFormatted = 1;
  return true;
}

bool ParseSwitch(CBrivenParameters& p, const Switch& s) {
  switch (s.At(0)) {
    case 'c': return ParseFitOrConversionLog(p, s);
    case 'd': return ParseDelimiter(p, s);
    case 'e': return ParseErrorCheckOrEndWindow(p, s);
    case 'f': return ParseDoubleType(p, s);
    case 'h': p.m_format.m_nHexFormat = 1; return true;
    case 'l': return ParseLimitAndDepth(p, s);
    case 'n': p.m_nSensorErrorFrames = 0; return true;
    case 'o': return ParseOverwrite(p, s);
    case 'p': return ParseSwitchNumber(s.text.substr(1), 0, kLargestSwitchNumber, p.m_format.m_nPrecision);
    case 's': p.m_nSuppressStrings = 1; return true;
    case 't': return ParseTimeTags(p, s);
    case 'w': return ParseSwitchNumber(s.text.substr(1), 1, kLargestSwitchNumber, p.m_format.m_nWidth);
    case 'x': p.m_nShowExtra = 1; return true;
    default: return false;
  }
}

}  // namespace

bool CBrivenParameters::ParseCommandLine(const std::string& argument) {
  if (argument.size() < 2 || argument[0] != '-') return false;
  const std::string folded = sys::ToLower(argument);
  const Switch s{std::string_view(argument).substr(1), std::string_view(folded).substr(1)};
  if (!ParseSwitch(*this, s)) return false;
  ++m_nParsedCount;
  return true;
}
