#include "platform/ui/internal/CharacterSteps.h"

#include <algorithm>

namespace ui::internal {
namespace {

// The longest UTF-8 sequence has three continuation bytes; stray ones
// beyond that (text that is not UTF-8) are stepped over one by one.
constexpr std::size_t kMaxContinuation = 3;

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

bool InsideLineBreak(std::string_view text, std::size_t offset) {
  return offset > 0 && offset < text.size() && text[offset - 1] == '\r' && text[offset] == '\n';
}

}  // namespace

std::size_t CharacterStart(std::string_view text, std::size_t offset) {
  offset = std::min(offset, text.size());
  if (InsideLineBreak(text, offset)) return offset - 1;
  std::size_t start = offset;
  while (start > 0 && offset - start < kMaxContinuation && start < text.size() && IsContinuation(text[start])) --start;
  return start < text.size() && IsContinuation(text[start]) ? offset : start;
}

std::size_t NextCharacter(std::string_view text, std::size_t offset) {
  offset = CharacterStart(text, offset);
  if (offset >= text.size()) return text.size();
  if (text.compare(offset, 2, "\r\n") == 0) return offset + 2;
  std::size_t next = offset + 1;
  while (next < text.size() && next - offset <= kMaxContinuation && IsContinuation(text[next])) ++next;
  return next;
}

std::size_t PreviousCharacter(std::string_view text, std::size_t offset) {
  offset = CharacterStart(text, offset);
  if (offset == 0) return 0;
  return CharacterStart(text, offset - 1);
}

}  // namespace ui::internal
