// The text of a profile (INI) file as lines: "[section]" lines, "key=value"
// lines, and everything else (comments, blank lines), which is kept as it
// was when the file is changed. Section and key names compare without case;
// names and values are trimmed of blanks, and a value enclosed in a matching
// pair of quotes loses them, as profile readers have always done.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sys {

class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(std::string_view text);

  std::string Text() const;

  std::vector<std::string> SectionNames() const;
  // Keys of the first section of that name, in file order.
  std::vector<std::string> KeyNames(std::string_view section) const;
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;

  // Each returns whether the text changed.
  bool SetValue(std::string_view section, std::string_view key, std::string_view value);
  bool RemoveKey(std::string_view section, std::string_view key);
  bool RemoveSection(std::string_view section);

  // Names and values that the line format can hold: no line breaks, no "="
  // in a key, no "]" in a section name, nothing that would read back as
  // another kind of line.
  static bool IsValidSectionName(std::string_view section);
  static bool IsValidKeyName(std::string_view key);
  static bool IsValidValue(std::string_view value);

 private:
  enum class Kind { kOther, kSection, kEntry };
  struct Line {
    Kind kind = Kind::kOther;
    std::string text;  // the line as written, without its line break
    std::string name;  // section name, or key of an entry
  };
  static Line ParseLine(std::string text);
  static std::string EntryText(std::string_view key, std::string_view value);
  // The first line of the first section of that name, and the end of that section.
  bool FindSection(std::string_view section, std::size_t& begin, std::size_t& end) const;

  std::vector<Line> lines_;
  std::string line_break_ = "\r\n";
};

}  // namespace sys
