#include "platform/sys/IniDocument.h"

#include "platform/sys/SettingsStoreKey.h"

namespace sys {

namespace {

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

// The value as readers see it: trimmed, one matching pair of quotes removed.
std::string ReadValue(std::string_view raw) {
  std::string_view value = Trim(raw);
  if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

IniDocument::IniDocument(std::string_view text) {
  if (text.find("\r\n") == std::string_view::npos && text.find('\n') != std::string_view::npos) line_break_ = "\n";
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string line(text.substr(0, end));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines_.push_back(ParseLine(std::move(line)));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

IniDocument::Line IniDocument::ParseLine(std::string text) {
  Line line;
  const std::string_view body = Trim(text);
  if (!body.empty() && body.front() == '[') {
    const std::size_t close = body.find(']');
    if (close != std::string_view::npos) {
      line.kind = Kind::kSection;
      line.name = std::string(Trim(body.substr(1, close - 1)));
    }
  } else if (!body.empty() && body.front() != ';' && body.front() != '#') {
    const std::size_t equals = body.find('=');
    if (equals != std::string_view::npos) {
      line.kind = Kind::kEntry;
      line.name = std::string(Trim(body.substr(0, equals)));
    }
  }
  line.text = std::move(text);
  return line;
}

std::string IniDocument::Text() const {
  std::string text;
  for (const Line& line : lines_) text += line.text + line_break_;
  return text;
}

bool IniDocument::FindSection(std::string_view section, std::size_t& begin, std::size_t& end) const {
  for (begin = 0; begin < lines_.size(); ++begin)
    if (lines_[begin].kind == Kind::kSection && SameSettingsName(lines_[begin].name, section)) break;
  if (begin == lines_.size()) return false;
  for (end = begin + 1; end < lines_.size() && lines_[end].kind != Kind::kSection;) ++end;
  return true;
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  for (const Line& line : lines_) {
    if (line.kind != Kind::kSection) continue;
    bool seen = false;
    for (const std::string& name : names) seen = seen || SameSettingsName(name, line.name);
    if (!seen) names.push_back(line.name);
  }
  return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> keys;
  std::size_t begin = 0, end = 0;
  if (!FindSection(section, begin, end)) return keys;
  for (std::size_t i = begin + 1; i < end; ++i)
    if (lines_[i].kind == Kind::kEntry) keys.push_back(lines_[i].name);
  return keys;
}

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const {
  std::size_t begin = 0, end = 0;
  if (!FindSection(section, begin, end)) return std::nullopt;
  for (std::size_t i = begin + 1; i < end; ++i) {
    const Line& line = lines_[i];
    if (line.kind == Kind::kEntry && SameSettingsName(line.name, key))
      return ReadValue(std::string_view(line.text).substr(line.text.find('=') + 1));
  }
  return std::nullopt;
}

std::string IniDocument::EntryText(std::string_view key, std::string_view value) {
  // Blanks at either end, or a pair of quotes around it, would be taken off
  // by the reader: such a value is written inside quotes of its own.
  const bool guard = !value.empty() && (value.front() == ' ' || value.front() == '\t' || value.back() == ' ' ||
                                        value.back() == '\t' ||
                                        (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()));
  std::string text(key);
  text += '=';
  if (guard) text += '"';
  text += value;
  if (guard) text += '"';
  return text;
}

bool IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  std::size_t begin = 0, end = 0;
  if (!FindSection(section, begin, end)) {
    if (!lines_.empty() && !Trim(lines_.back().text).empty()) lines_.push_back(Line{});
    lines_.push_back(ParseLine("[" + std::string(section) + "]"));
    lines_.push_back(ParseLine(EntryText(key, value)));
    return true;
  }
  std::size_t insert_at = begin + 1;
  for (std::size_t i = begin + 1; i < end; ++i) {
    Line& line = lines_[i];
    if (line.kind != Kind::kEntry) continue;
    insert_at = i + 1;
    if (!SameSettingsName(line.name, key)) continue;
    Line replaced = ParseLine(EntryText(line.name, value));
    if (replaced.text == line.text) return false;
    line = std::move(replaced);
    return true;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), ParseLine(EntryText(key, value)));
  return true;
}

bool IniDocument::RemoveKey(std::string_view section, std::string_view key) {
  std::size_t begin = 0, end = 0;
  if (!FindSection(section, begin, end)) return false;
  bool changed = false;
  for (std::size_t i = end; i-- > begin + 1;) {
    if (lines_[i].kind == Kind::kEntry && SameSettingsName(lines_[i].name, key)) {
      lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
      changed = true;
    }
  }
  return changed;
}

bool IniDocument::RemoveSection(std::string_view section) {
  bool changed = false;
  std::size_t begin = 0, end = 0;
  while (FindSection(section, begin, end)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(begin), lines_.begin() + static_cast<std::ptrdiff_t>(end));
    changed = true;
  }
  return changed;
}

bool IniDocument::IsValidSectionName(std::string_view section) {
  return !HasLineBreak(section) && section.find(']') == std::string_view::npos && Trim(section) == section;
}

bool IniDocument::IsValidKeyName(std::string_view key) {
  const std::string_view trimmed = Trim(key);
  return !trimmed.empty() && trimmed == key && !HasLineBreak(key) && key.find('=') == std::string_view::npos &&
         key.front() != '[' && key.front() != ';' && key.front() != '#';
}

bool IniDocument::IsValidValue(std::string_view value) { return !HasLineBreak(value); }

}  // namespace sys
