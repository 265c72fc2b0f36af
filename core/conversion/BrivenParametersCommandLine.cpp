// The option switches of an unattended conversion. A switch is "-" and a
// letter; "/" starts a path here, so it never introduces a switch. Letters,
// keys and yes/no values compare without case; values that are taken as
// given (a delimiter, a conversion log path) keep their case.
#include <optional>
#include <string_view>

#include "core/conversion/BrivenParameters.h"
#include "core/conversion/SwitchNumber.h"
#include "platform/sys/Format.h"
#include "platform/sys/StringUtil.h"

namespace {

using conversion::ParseSwitchNumber;
using conversion::SwitchNumberResult;

// The largest frame limit, depth, width or precision a switch may give.
constexpr int kLargestSwitchNumber = 32766;

// Why a switch was refused, for the user to read; empty when it was accepted.
using Refusal = std::string;
const Refusal kAccepted;

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

// Reads a switch's number into field, or says what is wrong with it.
Refusal ParseNumber(std::string_view text, const char* what, int lowest, int highest, int& field) {
  switch (ParseSwitchNumber(text, lowest, highest, field)) {
    case SwitchNumberResult::kAccepted:
      return kAccepted;
    case SwitchNumberResult::kNoDigits:
      return sys::Format("expected the %s, a number from %d to %d", what, lowest, highest);
    case SwitchNumberResult::kOutOfRange:
      return sys::Format("the %s must be from %d to %d", what, lowest, highest);
    case SwitchNumberResult::kTrailingText:
      break;
  }
  return sys::Format("the %s must be a number from %d to %d with nothing after it", what, lowest, highest);
}

Refusal ParseFitOrConversionLog(CBrivenParameters& p, const Switch& s) {
  if (s.size() == 1) {
    p.m_format.m_nApplyFit = 1;
    return kAccepted;
  }
  const Refusal expected = "expected -c, -ci, -cl=PATH or -conversionlog=PATH";
  if (s.size() == 2) {
    if (s.At(1) != 'i') return expected;
    p.m_format.m_nApplyFit = 1;
    p.m_nImmersed = 1;
    return kAccepted;
  }
  const std::optional<KeyValue> kv = SplitKeyValue(s);
  if (!kv) {
    const std::string_view folded = s.folded;
    if (folded == "cl=" || folded == "conversionlog=") return "the conversion log path is empty";
    return expected;
  }
  if (!KeyIs(*kv, "conversionlog", "cl")) return expected;
  p.m_nConversionLogSet = 1;
  p.m_strConversionLogPath = std::string(kv->value);
  return kAccepted;
}

Refusal ParseDelimiter(CBrivenParameters& p, const Switch& s) {
  if (s.size() == 1) return "expected the delimiter after -d (-dt for a tab, -ds for a space)";
  if (s.size() == 2 && s.At(1) == 't')
    p.m_strDelimiter = "\t";
  else if (s.size() == 2 && s.At(1) == 's')
    p.m_strDelimiter = " ";
  else
    p.m_strDelimiter = std::string(s.text.substr(1));
  return kAccepted;
}

void SetErrorCheck(CBrivenParameters& p, char which) {
  if (which == 'f') p.m_nFrameCounterChecking = 1;
  if (which == 'c') p.m_nCheckSumChecking = 1;
}

Refusal ParseEndWindow(CBrivenParameters& p, const Switch& s) {
  const std::optional<KeyValue> kv = SplitKeyValue(s);
  if (!kv || !KeyIs(*kv, "endwindow", "ew")) return "expected -ef, -ec, -efc, -ew=yes|no or -endwindow=yes|no";
  const std::optional<bool> yes = ParseYesNo(kv->folded_value);
  if (!yes) return "the end window answer must be yes, no, y or n";
  p.m_nEndWindowSet = 1;
  p.m_nDismissProgressValue = *yes ? 1 : 0;
  return kAccepted;
}

Refusal ParseErrorCheckOrEndWindow(CBrivenParameters& p, const Switch& s) {
  const char c3 = s.At(1);
  if (c3 == 'f' || c3 == 'c') {
    SetErrorCheck(p, c3);
    SetErrorCheck(p, s.At(2));
    return kAccepted;
  }
  if (s.size() <= 2) return "expected -ef, -ec, -efc, -ew=yes|no or -endwindow=yes|no";
  return ParseEndWindow(p, s);
}

Refusal ParseDoubleType(CBrivenParameters& p, const Switch& s) {
  switch (s.At(1)) {
    case 'f': p.m_format.m_nDoubleType = 0; return kAccepted;
    case 'e': p.m_format.m_nDoubleType = 1; return kAccepted;
    case 'g': p.m_format.m_nDoubleType = 2; return kAccepted;
    default: return "expected -ff, -fe or -fg";
  }
}

// "-l100" sets the limit, "-l100-5" the limit and the depth, "-l-5" the
// depth alone.
Refusal ParseLimitAndDepth(CBrivenParameters& p, const Switch& s) {
  const std::string_view text = s.text.substr(1);
  const std::size_t hyphen = text.find('-');
  if (hyphen == std::string_view::npos)
    return ParseNumber(text, "frame limit", 0, kLargestSwitchNumber, p.m_nProcessLimit);
  if (hyphen > 0) {
    Refusal limit = ParseNumber(text.substr(0, hyphen), "frame limit", 0, kLargestSwitchNumber, p.m_nProcessLimit);
    if (!limit.empty()) return limit;
  }
  return ParseNumber(text.substr(hyphen + 1), "frame depth", 1, kLargestSwitchNumber, p.m_nProcessDepth);
}

Refusal ParseOverwrite(CBrivenParameters& p, const Switch& s) {
  const Refusal expected = "expected -ow=yes|no or -overwrite=yes|no";
  if (s.size() < 3) return expected;
  const std::optional<KeyValue> kv = SplitKeyValue(s);
  if (!kv || !KeyIs(*kv, "overwrite", "ow")) return expected;
  const std::optional<bool> yes = ParseYesNo(kv->folded_value);
  if (!yes) return "the overwrite answer must be yes, no, y or n";
  p.m_nOverwriteSet = 1;
  p.m_nOverwritePromptValue = *yes ? 0 : 1;
  return kAccepted;
}

Refusal ParseTimeTags(CBrivenParameters& p, const Switch& s) {
  p.m_nTimeTags = 1;
  if (s.At(1) == 'f') p.m_nTimeTagsFormatted = 1;
  return kAccepted;
}

Refusal SetFlag(int& field, int value) {
  field = value;
  return kAccepted;
}

Refusal ParseSwitch(CBrivenParameters& p, const Switch& s) {
  switch (s.At(0)) {
    case 'c': return ParseFitOrConversionLog(p, s);
    case 'd': return ParseDelimiter(p, s);
    case 'e': return ParseErrorCheckOrEndWindow(p, s);
    case 'f': return ParseDoubleType(p, s);
    case 'h': return SetFlag(p.m_format.m_nHexFormat, 1);
    case 'l': return ParseLimitAndDepth(p, s);
    case 'n': return SetFlag(p.m_nSensorErrorFrames, 0);
    case 'o': return ParseOverwrite(p, s);
    case 'p': return ParseNumber(s.text.substr(1), "precision", 0, kLargestSwitchNumber, p.m_format.m_nPrecision);
    case 's': return SetFlag(p.m_nSuppressStrings, 1);
    case 't': return ParseTimeTags(p, s);
    case 'w': return ParseNumber(s.text.substr(1), "width", 1, kLargestSwitchNumber, p.m_format.m_nWidth);
    case 'x': return SetFlag(p.m_nShowExtra, 1);
    default: return sys::Format("there is no switch -%c (see briven --help)", s.text[0]);
  }
}

}  // namespace

bool CBrivenParameters::ParseCommandLine(const std::string& argument) {
  if (argument.size() < 2 || argument[0] != '-') {
    m_strRefusal = sys::Format(
        "\"%s\": not a switch; at most three file names (log, output, instrument) come first, then the "
        "switches, each \"-\" and a letter",
        argument.c_str());
    return false;
  }
  const std::string folded = sys::ToLower(argument);
  const Switch s{std::string_view(argument).substr(1), std::string_view(folded).substr(1)};
  const Refusal refusal = ParseSwitch(*this, s);
  if (!refusal.empty()) {
    m_strRefusal = sys::Format("\"%s\": %s", argument.c_str(), refusal.c_str());
    return false;
  }
  ++m_nParsedCount;
  return true;
}
