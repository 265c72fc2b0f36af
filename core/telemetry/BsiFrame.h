// BSI records: arrays of 13-bit samples with two gain bits, each array led
// by its two synchronisation bytes and closed by an 8-bit check sum. The
// frame handed on holds the instrument's header, then each sample as a
// big-endian IEEE float, zero padding and CR LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace telemetry {

// Raw length of one record: per array (the second byte of each pair is its
// sample count n) two synchronisation bytes, 2n sample bytes and a check sum.
std::size_t BsiRecordLength(const std::uint8_t* sync_bytes, std::size_t sync_count);

// The value of one 16-bit sample word; gain code 0x6000 has no scale and
// gives 0.
double BsiSampleValue(std::uint16_t word);

// Builds the frame from one raw record (at least BsiRecordLength bytes)
// into `frame`, which holds the header at its start and is frame-size long.
// Values and the closing CR LF are written only where they fit.
void BuildBsiFrameBytes(const std::uint8_t* record, const std::uint8_t* sync_bytes,
                        std::size_t sync_count, std::size_t header_length,
                        std::vector<std::uint8_t>& frame);

// Where the first array's check sum stands, counted from its first
// synchronisation byte.
std::size_t BsiChecksumPosition(const std::uint8_t* sync_bytes);

// TRUE when the 8-bit sum of the bytes before the check-sum position equals
// the byte there (the caller makes sure the bytes are held).
bool BsiChecksumMatches(const std::uint8_t* data, std::size_t checksum_position);

// The synchronisation bytes written in a SPECIAL sensor's UNITS text: "\x"
// and two hexadecimal digits give one byte, other characters themselves, at
// most 10 bytes. An incomplete escape is dropped, and so is every later one.
std::size_t ParseBsiSyncBytes(const std::string& units, std::uint8_t* out, std::size_t capacity);

}  // namespace telemetry
