// HOBILABS_HS2_D records: "*D" and 58 characters of hexadecimal fields,
// turned into 32 binary bytes, most significant byte first, after the
// instrument's header, then CR LF and one zero byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace telemetry {

inline constexpr std::size_t kHs2RecordLength = 62;
inline constexpr std::size_t kHs2FrameTail = 35;  // bytes after the header

// Builds the frame from one record of kHs2RecordLength bytes into `frame`
// (header at its start, header length + kHs2FrameTail long). Each field is
// read from its own characters only, never from the ones after it.
void BuildHs2FrameBytes(const std::uint8_t* record, std::size_t header_length,
                        std::vector<std::uint8_t>& frame);

}  // namespace telemetry
