#include "core/telemetry/HeaderSearch.h"

#include <algorithm>
#include <cstring>

namespace telemetry {

std::size_t FindPatternStart(const std::uint8_t* data, std::size_t size, std::size_t from,
                             std::size_t limit, const std::string& pattern, bool& partial) {
  partial = false;
  const std::size_t end = std::min(limit, size);
  if (pattern.empty() || from >= end) return size;
  const auto first = static_cast<unsigned char>(pattern[0]);
  std::size_t pos = from;
  while (pos < end) {
    const void* hit = std::memchr(data + pos, first, end - pos);
    if (hit == nullptr) return size;
    pos = static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - data);
    const std::size_t available = std::min(pattern.size(), size - pos);
    if (std::memcmp(data + pos, pattern.data(), available) == 0) {
      partial = available < pattern.size();
      return pos;
    }
    ++pos;
  }
  return size;
}

HeaderSearchResult SearchHeaderCandidates(const std::uint8_t* data, std::size_t size,
                                          const std::vector<std::string>& candidates,
                                          std::size_t window, bool at_end) {
  HeaderSearchResult best;
  best.outcome = HeaderSearchResult::Outcome::kNeedMoreBytes;
  best.position = size;
  std::size_t best_full = size;
  std::size_t best_partial = size;
  std::size_t full_candidate = 0;
  std::size_t partial_candidate = 0;
  for (std::size_t c = 0; c < candidates.size(); ++c) {
    bool partial = false;
    // The first start of this candidate, full or cut short by the end; a
    // start cut short is the last possible one, so no full match follows it.
    const std::size_t pos = FindPatternStart(data, size, 0, window, candidates[c], partial);
    if (partial && pos < best_partial) {
      best_partial = pos;
      partial_candidate = c;
    }
    if (!partial && pos < best_full) {
      best_full = pos;
      full_candidate = c;
    }
  }
  // A header that may still complete wins over a later one, and over one at
  // the same position that comes after it in attach order.
  const bool undecided = !at_end && (best_partial < best_full ||
                                     (best_partial == best_full && partial_candidate < full_candidate));
  if (!undecided && best_full < size) {
    best.outcome = HeaderSearchResult::Outcome::kMatched;
    best.candidate = full_candidate;
    best.position = best_full;
    return best;
  }
  if (undecided) {
    best.position = best_partial;
    return best;
  }
  if (at_end) {
    best.position = best_partial;
    if (size >= window && best_partial >= window) {
      best.outcome = HeaderSearchResult::Outcome::kWindowReached;
      best.position = window;
    }
    return best;
  }
  if (size >= window) {
    best.outcome = HeaderSearchResult::Outcome::kWindowReached;
    best.position = window;
  }
  return best;
}

}  // namespace telemetry
