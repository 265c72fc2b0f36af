// The yardstick of the conversion benchmarks: a converter that knows one
// instrument only, the fixed 22-byte frames of examples/NMBP0417.tdf, and
// writes the same bytes as
//   briven LOG OUT NMBP0417.tdf -c -efc -ow=yes
// with everything a general converter needs left out: the log is mapped,
// each frame's header is one compare at the place the last frame ends, the
// fields are decoded at offsets known here, the fits written out as
// arithmetic and the rows put straight into a large output buffer. What the
// program spends beyond this on the same rows is the price of its
// generality, which bench/run prints as a ratio.
//
//   briven_yardstick LOG OUT
//
// Prints "N rows" on success. Exit status: 0 converted, 1 read or write
// failure, 2 usage error.

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/sys/FastNumberFixedPoint.h"

namespace {

constexpr std::string_view kHeader = "NMBP0417";
constexpr std::size_t kFrameSize = 22;
constexpr int kPrecision = 10;  // rows print ten digits where none is set
constexpr std::size_t kFlushSize = 1 << 20;
constexpr std::size_t kLongestRow = 256;
constexpr std::string_view kColumnHeaders =
    "SN\tFRAME(COUNTER)\tPRES\tT(W)\tCOND\tLU(490)\tSTATUS\tCHECK(SUM)\r\n";

unsigned BigEndian16(const unsigned char* at) { return (unsigned{at[0]} << 8) | at[1]; }

unsigned HexDigit(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return c - 'a' + 10;
}

char* PutUnsigned(char* at, unsigned value) { return std::to_chars(at, at + 16, value).ptr; }

char* PutFixed(char* at, double value) {
  const std::size_t length = sys::WriteFixedPoint(at, 64, value, kPrecision);
  if (length != 0) return at + length;
  return std::to_chars(at, at + 64, value, std::chars_format::fixed, kPrecision).ptr;
}

// One row, in the order and with the fits of the instrument file: POLYU
// sums its terms from the constant up, OPTIC2 is not immersed without -ci.
char* PutRow(char* at, const unsigned char* frame) {
  std::memcpy(at, "0417\t", 5);
  at += 5;
  at = PutUnsigned(at, frame[8]);
  *at++ = '\t';
  at = PutFixed(at, -10.0 + 0.01 * static_cast<double>(BigEndian16(frame + 9)));
  *at++ = '\t';
  const auto millidegrees = static_cast<std::int16_t>(BigEndian16(frame + 11));
  at = PutFixed(at, 0.0 + 0.001 * static_cast<double>(millidegrees));
  *at++ = '\t';
  const std::uint32_t bits = (BigEndian16(frame + 13) << 16) | BigEndian16(frame + 15);
  at = PutFixed(at, 0.0 + 10.0 * static_cast<double>(std::bit_cast<float>(bits)));
  *at++ = '\t';
  at = PutFixed(at, ((static_cast<double>(BigEndian16(frame + 17)) - 1024.0) * 1.0) * 0.00035);
  *at++ = '\t';
  at = PutUnsigned(at, HexDigit(frame[19]) * 16 + HexDigit(frame[20]));
  *at++ = '\t';
  unsigned sum = 0;
  for (std::size_t i = 0; i < kFrameSize; ++i) sum += frame[i];
  at = PutUnsigned(at, sum & 0xFF);
  *at++ = '\r';
  *at++ = '\n';
  return at;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// The next header at or after from, or size when there is none.
std::size_t FindHeader(const unsigned char* log, std::size_t size, std::size_t from) {
  if (from >= size) return size;
  const void* found = ::memmem(log + from, size - from, kHeader.data(), kHeader.size());
  return found == nullptr ? size : static_cast<std::size_t>(static_cast<const unsigned char*>(found) - log);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: briven_yardstick LOG OUT\n");
    return 2;
  }
  const int in = ::open(argv[1], O_RDONLY);
  struct stat status {};
  if (in < 0 || ::fstat(in, &status) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  const auto size = static_cast<std::size_t>(status.st_size);
  const unsigned char* log = nullptr;
  if (size > 0) {
    void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, in, 0);
    if (mapped == MAP_FAILED) {
      std::perror(argv[1]);
      return 1;
    }
    ::madvise(mapped, size, MADV_SEQUENTIAL);
    log = static_cast<const unsigned char*>(mapped);
  }
  const int out = ::open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (out < 0) {
    std::perror(argv[2]);
    return 1;
  }

  std::vector<char> buffer(kFlushSize + kLongestRow);
  char* const begin = buffer.data();
  std::memcpy(begin, kColumnHeaders.data(), kColumnHeaders.size());
  char* at = begin + kColumnHeaders.size();
  std::uint64_t rows = 0;
  std::size_t position = FindHeader(log, size, 0);
  while (position + kFrameSize <= size) {
    if (std::memcmp(log + position, kHeader.data(), kHeader.size()) != 0) {
      position = FindHeader(log, size, position + 1);
      continue;
    }
    at = PutRow(at, log + position);
    ++rows;
    position += kFrameSize;
    if (static_cast<std::size_t>(at - begin) >= kFlushSize) {
      if (!WriteAll(out, begin, static_cast<std::size_t>(at - begin))) {
        std::perror(argv[2]);
        return 1;
      }
      at = begin;
    }
  }
  if (!WriteAll(out, begin, static_cast<std::size_t>(at - begin)) || ::close(out) != 0) {
    std::perror(argv[2]);
    return 1;
  }
  std::printf("%llu rows\n", static_cast<unsigned long long>(rows));
  return 0;
}
