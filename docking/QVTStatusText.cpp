#include "docking/QVTStatusText.h"

#include <algorithm>
#include <cstring>

namespace docking {

bool QVTStatusText::IsUnchanged(bool markedChanged, const std::string& current, const char* text) {
  if (markedChanged) {
    return false;
  }
  if (text == nullptr) {
    return current.empty();
  }
  return current == text;
}

ui::LRESULT QVTStatusText::CopyWindowText(const std::string& text, char* buffer, std::size_t size) {
  if (buffer == nullptr || size == 0) {
    return 0;
  }
  const std::size_t copied = std::min(text.size(), size - 1);
  std::memcpy(buffer, text.data(), copied);
  buffer[copied] = '\0';
  return static_cast<ui::LRESULT>(copied);
}

}  // namespace docking
