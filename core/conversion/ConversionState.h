// The counters and flags of a running conversion, copied out under the
// document's lock for the view and the progress window.
#pragma once

#include <cstdint>

struct ConversionCounters {
  std::uint32_t frame_counter_errors = 0;
  std::uint32_t check_sum_errors = 0;
  std::uint32_t frames_processed = 0;  // the number of the last frame tested
  // The position just behind the current frame; 64-bit so that time tags
  // of logs beyond 4 GiB are still read from the right place.
  std::uint64_t bytes_consumed = 0;
  std::uint32_t bytes_discarded = 0;   // skipped before the current frame
  std::uint32_t resynchronizations = 0;
};

struct ConversionState {
  ConversionCounters counters;
  std::uint32_t not_found = 0;
  std::uint32_t stop = 0;
  std::uint32_t end_of_input = 0;
  std::uint32_t done = 0;
};
