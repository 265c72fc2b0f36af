// Cutting a variable-length field out of a frame. Each character of the
// sensor's FIELD delimiter string is one field boundary; a delimiter that
// does not occur is skipped over, so optional fields may be left out.
#include <array>
#include <string_view>

#include "core/instrument/FrameData.h"
#include "core/instrument/HexEscape.h"
#include "core/instrument/ResultCodes.h"
#include "core/instrument/Sensor.h"

using namespace instrument;

namespace {

// The searches of one read only move forward, so a character found absent
// from some position on stays absent for every later search. Remembering
// that keeps a definition with thousands of missing delimiters from
// rescanning the whole frame once per delimiter.
class ForwardSearch {
 public:
  explicit ForwardSearch(std::string_view text) : text_(text) {}

  std::size_t Find(char c, std::size_t from) {
    bool& absent = absent_[static_cast<unsigned char>(c)];
    if (absent) return std::string_view::npos;
    const std::size_t at = text_.find(c, from);
    absent = at == std::string_view::npos;
    return at;
  }

 private:
  std::string_view text_;
  std::array<bool, 256> absent_{};
};

}  // namespace

int CSensor::ReadVariableField(const CFrameData& frame, std::string& field) {
  field.clear();
  const std::string_view text = frame.GetText();
  ForwardSearch search(text);
  const std::string& delimiters = layout_->field_delimiters;
  const std::string& terminator = layout_->terminator;
  const std::size_t count = delimiters.size();
  std::size_t position = std::min(frame.GetHeader().size(), text.size());
  std::size_t found = count;
  for (std::size_t i = 0; i < count && found == count; ++i) {
    const std::size_t at = search.Find(delimiters[i], position);
    if (at == std::string_view::npos) continue;
    position = at + 1;
    if (variable_field_index_ >= 0 && i == static_cast<std::size_t>(variable_field_index_)) found = i;
  }
  if (found == count) return kValueFieldNotFound;
  offset_.store(static_cast<unsigned>(position));

  std::size_t end = std::string_view::npos;
  for (std::size_t j = found + 1; j < count && end == std::string_view::npos; ++j) {
    end = search.Find(delimiters[j], position);
  }
  if (end == std::string_view::npos && !terminator.empty()) end = search.Find(terminator[0], position);
  if (end == std::string_view::npos) end = text.size();
  field = UnescapeHex(text.substr(position, end - position), "^");
  return kResultOk;
}
