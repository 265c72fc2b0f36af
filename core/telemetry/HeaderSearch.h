// Where the first frame header stands in a run of received bytes. Every
// candidate header is tried at every start position, so two instruments
// whose headers share a prefix never hide each other's frames; at one
// position the earlier candidate (attach order) wins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace telemetry {

struct HeaderSearchResult {
  enum class Outcome {
    kMatched,        // `candidate` begins at `position`
    kWindowReached,  // no header begins in the first `position` bytes
    kNeedMoreBytes,  // undecided; a header may begin at `position` (or nowhere yet)
  };
  Outcome outcome = Outcome::kNeedMoreBytes;
  std::size_t candidate = 0;
  std::size_t position = 0;
};

// Searches the start positions below `window`. With `at_end` no more bytes
// will come: a header cut short by the end is no match, and the result
// (kNeedMoreBytes) gives in `position` where a header prefix at the very
// end begins, or the size when there is none.
HeaderSearchResult SearchHeaderCandidates(const std::uint8_t* data, std::size_t size,
                                          const std::vector<std::string>& candidates,
                                          std::size_t window, bool at_end);

// The first position at or after `from` where `pattern` begins in full, or
// where the bytes end while they still agree with its beginning (a partial
// match); `partial` tells which. Returns `size` when neither.
std::size_t FindPatternStart(const std::uint8_t* data, std::size_t size, std::size_t from,
                             std::size_t limit, const std::string& pattern, bool& partial);

}  // namespace telemetry
