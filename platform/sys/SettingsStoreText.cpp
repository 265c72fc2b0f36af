#include "platform/sys/SettingsStoreText.h"

#include <vector>

#include "platform/sys/Format.h"
#include "platform/sys/SettingsStoreLimits.h"
#include "platform/sys/SettingsStoreTypes.h"
#include "platform/sys/SettingsStoreTreeBuilder.h"

namespace sys {

namespace {

const char kHeader[] = "; Briven settings. Edit with care: the program rewrites this file.\n";

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ReadHexByte(std::string_view text, std::size_t pos, unsigned char& byte) {
  if (pos + 2 > text.size()) return false;
  const int high = HexDigit(text[pos]);
  const int low = HexDigit(text[pos + 1]);
  if (high < 0 || low < 0) return false;
  byte = static_cast<unsigned char>(high * 16 + low);
  return true;
}

// Key names are written bare between the separators, so every byte that
// could be mistaken for structure, and every byte that is not text, is
// written as %HH.
bool KeyNameByteNeedsEscape(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == '%' || c == '[' || c == ']' || c == '\\';
}

void AppendKeyName(std::string& out, std::string_view name) {
  for (std::size_t i = 0; i < name.size();) {
    const auto c = static_cast<unsigned char>(name[i]);
    const std::size_t run = c >= 0x80 ? Utf8SequenceLength(name, i) : 1;
    if (run == 0 || (run == 1 && KeyNameByteNeedsEscape(c))) {
      AppendFormat(out, "%%%02X", c);
      ++i;
    } else {
      out.append(name.substr(i, run));
      i += run;
    }
  }
}

bool ParseKeyName(std::string_view text, std::string& name) {
  name.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      name.push_back(text[i]);
      continue;
    }
    unsigned char byte = 0;
    if (!ReadHexByte(text, i + 1, byte)) return false;
    name.push_back(static_cast<char>(byte));
    i += 2;
  }
  return !name.empty();
}

void AppendHex(std::string& out, std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i) out.push_back(',');
    AppendFormat(out, "%02x", static_cast<unsigned char>(bytes[i]));
  }
}

// The strings of a multi-string value when its bytes are exactly what
// writing those strings gives; otherwise the value is written as hex.
bool SplitMultiString(std::string_view data, std::vector<std::string_view>& items) {
  items.clear();
  if (data.empty() || data.back() != '\0') return false;
  std::string_view body = data.substr(0, data.size() - 1);
  while (!body.empty()) {
    const std::size_t end = body.find('\0');
    if (end == std::string_view::npos) return false;
    items.push_back(body.substr(0, end));
    body.remove_prefix(end + 1);
  }
  return true;
}

void AppendData(std::string& out, const SettingsValue& value) {
  std::vector<std::string_view> items;
  const std::string_view data = value.data;
  const bool text_form = !data.empty() && data.back() == '\0';
  if ((value.type == REG_SZ || value.type == REG_EXPAND_SZ) && text_form) {
    out += value.type == REG_SZ ? "sz:" : "expand:";
    out += QuoteSettingsText(data.substr(0, data.size() - 1));
  } else if (value.type == REG_DWORD && data.size() == 4) {
    DWORD number = 0;
    for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(data[i]);
    AppendFormat(out, "dword:%08x", number);
  } else if (value.type == REG_MULTI_SZ && SplitMultiString(data, items)) {
    out += "multi:";
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (i) out.push_back(',');
      out += QuoteSettingsText(items[i]);
    }
  } else if (value.type == REG_BINARY) {
    out += "hex:";
    AppendHex(out, data);
  } else {
    AppendFormat(out, "hex(%x):", value.type);
    AppendHex(out, data);
  }
}

void AppendValues(std::string& out, const SettingsKey& key) {
  for (const SettingsValue& value : key.Values()) {
    out += value.name.empty() ? std::string("@") : QuoteSettingsText(value.name);
    out.push_back('=');
    AppendData(out, value);
    out.push_back('\n');
  }
}

// Every key as a line with its whole path, then its values, then its
// subkeys, in the order a depth-first walk meets them. The walk keeps its
// own stack rather than recursing, so a deep tree costs heap, never the
// thread's stack.
void AppendKeys(std::string& out, const SettingsKey& root) {
  struct Level {
    const SettingsKey* key;
    std::size_t next_subkey;
    std::size_t path_mark;  // the path's length before this key's name
  };
  std::string path;
  std::vector<Level> levels{{&root, 0, 0}};
  while (!levels.empty()) {
    Level& level = levels.back();
    if (level.next_subkey == level.key->Subkeys().size()) {
      path.resize(level.path_mark);
      levels.pop_back();
      continue;
    }
    const SettingsKey& key = *level.key->Subkeys()[level.next_subkey++];
    const std::size_t mark = path.size();
    if (!path.empty()) path.push_back('\\');
    AppendKeyName(path, key.Name());
    out.push_back('[');
    out += path;
    out += "]\n";
    AppendValues(out, key);
    levels.push_back(Level{&key, 0, mark});
  }
}

// Reads the value part of a value line ("type:data") into type and data.
class ValueParser {
 public:
  explicit ValueParser(std::string_view text) : text_(text) {}

  bool Parse(DWORD& type, std::string& data, std::string& error) {
    if (Take("sz:")) return ParseText(REG_SZ, type, data, error);
    if (Take("expand:")) return ParseText(REG_EXPAND_SZ, type, data, error);
    if (Take("dword:")) return ParseDword(type, data, error);
    if (Take("multi:")) return ParseMulti(type, data, error);
    if (Take("hex:")) {
      type = REG_BINARY;
      return ParseHexList(data, error);
    }
    if (Take("hex(")) return ParseTypedHex(type, data, error);
    error = "unknown value type";
    return false;
  }

 private:
  bool Take(std::string_view prefix) {
    if (text_.substr(pos_, prefix.size()) != prefix) return false;
    pos_ += prefix.size();
    return true;
  }
  bool AtEnd() const { return pos_ == text_.size(); }

  bool ParseText(DWORD kind, DWORD& type, std::string& data, std::string& error) {
    type = kind;
    if (pos_ >= text_.size() || text_[pos_] != '"' || !UnquoteSettingsText(text_, pos_, data) || !AtEnd()) {
      error = "bad quoted text";
      return false;
    }
    data.push_back('\0');
    return true;
  }

  bool ParseDword(DWORD& type, std::string& data, std::string& error) {
    type = REG_DWORD;
    const std::string_view digits = text_.substr(pos_);
    DWORD number = 0;
    bool ok = digits.size() == 8;
    for (char c : digits) {
      const int digit = HexDigit(c);
      ok = ok && digit >= 0;
      number = number << 4 | static_cast<DWORD>(digit < 0 ? 0 : digit);
    }
    if (!ok) {
      error = "a dword needs eight hex digits";
      return false;
    }
    data.clear();
    for (int i = 0; i < 4; ++i) data.push_back(static_cast<char>(number >> (8 * i) & 0xFF));
    return true;
  }

  bool ParseMulti(DWORD& type, std::string& data, std::string& error) {
    type = REG_MULTI_SZ;
    data.clear();
    std::string item;
    while (!AtEnd()) {
      if (!data.empty() && !Take(",")) break;
      if (pos_ >= text_.size() || text_[pos_] != '"' || !UnquoteSettingsText(text_, pos_, item)) break;
      if (item.find('\0') != std::string::npos) break;
      data += item;
      data.push_back('\0');
    }
    if (!AtEnd()) {
      error = "bad multi-string list";
      return false;
    }
    data.push_back('\0');
    return true;
  }

  bool ParseHexList(std::string& data, std::string& error) {
    data.clear();
    while (!AtEnd()) {
      if (!data.empty() && !Take(",")) break;
      unsigned char byte = 0;
      if (!ReadHexByte(text_, pos_, byte)) break;
      data.push_back(static_cast<char>(byte));
      pos_ += 2;
    }
    if (!AtEnd()) {
      error = "bad hex byte list";
      return false;
    }
    return true;
  }

  bool ParseTypedHex(DWORD& type, std::string& data, std::string& error) {
    const std::size_t close = text_.find("):", pos_);
    std::uint64_t number = 0;
    bool ok = close != std::string_view::npos && close > pos_ && close - pos_ <= 8;
    for (std::size_t i = pos_; ok && i < close; ++i) {
      const int digit = HexDigit(text_[i]);
      ok = digit >= 0;
      number = number << 4 | static_cast<unsigned>(digit < 0 ? 0 : digit);
    }
    if (!ok) {
      error = "bad hex(type)";
      return false;
    }
    type = static_cast<DWORD>(number);
    pos_ = close + 2;
    return ParseHexList(data, error);
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

// Reads the file line by line into the tree.
class SettingsParser {
 public:
  explicit SettingsParser(SettingsKey& root) : root_(root), current_(&root) {}

  bool ParseLine(std::string_view line, std::string& error) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == ';' || line[0] == '#') return true;
    if (line[0] == '[') return ParseKeyLine(line, error);
    return ParseValueLine(line, error);
  }

 private:
  bool ParseKeyLine(std::string_view line, std::string& error) {
    if (line.size() < 3 || line.back() != ']') {
      error = "bad key line";
      return false;
    }
    std::string_view path = line.substr(1, line.size() - 2);
    current_ = &root_;
    std::string name;
    for (std::size_t depth = 1;; ++depth) {
      const std::size_t end = path.find('\\');
      if (!ParseKeyName(path.substr(0, end), name)) {
        error = "bad key name";
        return false;
      }
      if (name.size() > kMaxSettingsKeyName) {
        error = Format("a key name longer than %zu characters", kMaxSettingsKeyName);
        return false;
      }
      if (depth > kMaxSettingsKeyDepth) {
        error = Format("a key deeper than %zu levels", kMaxSettingsKeyDepth);
        return false;
      }
      current_ = &builder_.Subkey(*current_, name);
      if (end == std::string_view::npos) return true;
      path.remove_prefix(end + 1);
    }
  }

  bool ParseValueLine(std::string_view line, std::string& error) {
    std::string name;
    std::size_t pos = 0;
    if (line[0] == '@') {
      pos = 1;
    } else if (line[0] != '"' || !UnquoteSettingsText(line, pos, name)) {
      error = "bad value name";
      return false;
    }
    if (name.size() > kMaxSettingsValueName) {
      error = Format("a value name longer than %zu characters", kMaxSettingsValueName);
      return false;
    }
    if (pos >= line.size() || line[pos] != '=') {
      error = "'=' expected after the value name";
      return false;
    }
    DWORD type = 0;
    std::string data;
    if (!ValueParser(line.substr(pos + 1)).Parse(type, data, error)) return false;
    if (current_->FindValue(name)) {
      error = "value written twice";
      return false;
    }
    current_->SetValue(name, type, std::move(data));
    return true;
  }

  SettingsKey& root_;
  SettingsTreeBuilder builder_;
  SettingsKey* current_;
};

}  // namespace

std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  std::uint32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return 0;
    code = code << 6 | (next & 0x3F);
  }
  const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return overlong || surrogate || code > 0x10FFFF ? 0 : length;
}

std::string QuoteSettingsText(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + 2);
  out.push_back('"');
  for (std::size_t i = 0; i < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    const std::size_t run = c >= 0x80 ? Utf8SequenceLength(bytes, i) : 1;
    if (run > 1) {
      out.append(bytes.substr(i, run));
      i += run;
      continue;
    }
    ++i;
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\0': out += "\\0"; break;
      default:
        if (c < 0x20 || c >= 0x7F)
          AppendFormat(out, "\\x%02x", c);
        else
          out.push_back(static_cast<char>(c));
    }
  }
  out.push_back('"');
  return out;
}

bool UnquoteSettingsText(std::string_view text, std::size_t& pos, std::string& bytes) {
  bytes.clear();
  for (std::size_t i = pos + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      pos = i + 1;
      return true;
    }
    if (c != '\\') {
      bytes.push_back(c);
      continue;
    }
    if (++i >= text.size()) return false;
    unsigned char byte = 0;
    switch (text[i]) {
      case '\\': bytes.push_back('\\'); break;
      case '"': bytes.push_back('"'); break;
      case 'n': bytes.push_back('\n'); break;
      case 'r': bytes.push_back('\r'); break;
      case 't': bytes.push_back('\t'); break;
      case '0': bytes.push_back('\0'); break;
      case 'x':
        if (!ReadHexByte(text, i + 1, byte)) return false;
        bytes.push_back(static_cast<char>(byte));
        i += 2;
        break;
      default: return false;
    }
  }
  return false;
}

std::string SerializeSettings(const SettingsKey& root) {
  std::string out = kHeader;
  AppendValues(out, root);
  AppendKeys(out, root);
  return out;
}

bool ParseSettings(std::string_view text, SettingsKey& root, std::string& error) {
  SettingsParser parser(root);
  std::size_t line_number = 0;
  while (!text.empty()) {
    ++line_number;
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    std::string why;
    if (!parser.ParseLine(line, why)) {
      error = Format("line %zu: %s", line_number, why.c_str());
      return false;
    }
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return true;
}

}  // namespace sys

