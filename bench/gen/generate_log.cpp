// Writes a synthetic raw log file for one of the two example instruments in
// examples/ (NMBP0417.tdf: fixed 22-byte binary frames; NMAC0093.tdf:
// comma-separated ASCII frames ending in CR LF), so that conversions can be
// measured on inputs of any size.
//
//   briven_generate_log fixed|ascii SIZE_MB OUT [--garbage] [--seed N]
//
// SIZE_MB is in mebibytes (2^20 bytes) and may have a fraction; the file
// holds whole frames only and never exceeds that size. Frame counters run
// 0 to 255 and wrap, and each binary frame carries the check sum that makes
// its 8-bit byte sum zero, so a conversion with frame checks on reports no
// errors. --garbage puts 1 to 4 stray bytes in front of a frame every 100 to
// 299 frames (never a byte that could start a header), which the converter
// must skip and count as resynchronisations. The same seed gives the same
// bytes on every machine: the random numbers come from our own generator,
// not from the library's distributions.
//
// The file is written under a temporary name beside OUT and renamed at the
// end, so an interrupted or failed run never leaves a truncated log behind.
// Exit status: 0 written, 1 write failure, 2 usage error.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kFixedHeader = "NMBP0417";
constexpr std::string_view kAsciiHeader = "NMAC0093";
constexpr std::size_t kFixedFrameSize = 22;
constexpr std::size_t kFlushSize = 1 << 20;  // large writes, few system calls
constexpr std::uint64_t kBytesPerMegabyte = 1 << 20;
constexpr unsigned kFramesPerCast = 4000;  // one down-and-up profile

enum class Instrument { kFixed, kAscii };

struct Options {
  Instrument instrument = Instrument::kFixed;
  std::uint64_t size_limit = 0;
  std::string out;
  bool garbage = false;
  std::uint64_t seed = 1;
};

// SplitMix64: tiny, fast and fully specified, so a seed means the same
// file everywhere.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, n).
  unsigned Below(unsigned n) { return static_cast<unsigned>(Next() % n); }
  // Uniform in [-amplitude, amplitude).
  double Noise(double amplitude) {
    const double unit = static_cast<double>(Next() >> 11) * 0x1.0p-53;
    return (2.0 * unit - 1.0) * amplitude;
  }

 private:
  std::uint64_t state_;
};

// What the instrument sees at one moment of a yo-yo cast in cold water.
struct Sample {
  double pressure_dbar;
  double temperature_c;
  double conductivity_s_per_m;
  double radiance_counts;
  int motion;  // +1 descending, -1 ascending, 0 turning
};

Sample SampleAt(std::uint64_t frame, Random& random) {
  const unsigned phase = static_cast<unsigned>(frame % kFramesPerCast);
  const unsigned half = kFramesPerCast / 2;
  const double fraction = phase < half ? static_cast<double>(phase) / half
                                       : static_cast<double>(kFramesPerCast - phase) / half;
  Sample s;
  s.pressure_dbar = 1.0 + 399.0 * fraction + random.Noise(0.02);
  // Warm surface layer over a thermocline down to water just below zero,
  // so the signed temperature field sees both signs.
  const double depth = s.pressure_dbar;
  s.temperature_c = -1.2 + 7.4 * std::exp(-depth / 60.0) + random.Noise(0.002);
  s.conductivity_s_per_m = 2.75 + 0.085 * s.temperature_c + 0.0001 * depth + random.Noise(0.0005);
  s.radiance_counts = 1024.0 + 64000.0 * std::exp(-depth / 25.0) + random.Noise(8.0);
  const unsigned turn_margin = 20;
  if (phase < turn_margin || (phase >= half - turn_margin && phase < half + turn_margin) ||
      phase >= kFramesPerCast - turn_margin) {
    s.motion = 0;
  } else {
    s.motion = phase < half ? 1 : -1;
  }
  return s;
}

unsigned ClampToUnsigned16(double value) {
  return static_cast<unsigned>(std::clamp(std::lround(value), 0L, 65535L));
}

void PutBigEndian16(unsigned char* at, unsigned value) {
  at[0] = static_cast<unsigned char>(value >> 8);
  at[1] = static_cast<unsigned char>(value);
}

// The 22 bytes laid out in examples/README.md.
void AppendFixedFrame(std::string& out, std::uint64_t frame, const Sample& s) {
  unsigned char bytes[kFixedFrameSize];
  std::memcpy(bytes, kFixedHeader.data(), kFixedHeader.size());
  bytes[8] = static_cast<unsigned char>(frame & 0xFF);
  PutBigEndian16(bytes + 9, ClampToUnsigned16((s.pressure_dbar + 10.0) / 0.01));
  const long millidegrees = std::clamp(std::lround(s.temperature_c * 1000.0), -32768L, 32767L);
  PutBigEndian16(bytes + 11, static_cast<unsigned>(millidegrees) & 0xFFFF);
  const float conductivity = static_cast<float>(s.conductivity_s_per_m);
  std::uint32_t bits;
  std::memcpy(&bits, &conductivity, sizeof bits);
  PutBigEndian16(bytes + 13, bits >> 16);
  PutBigEndian16(bytes + 15, bits & 0xFFFF);
  const bool saturated = s.radiance_counts >= 65535.0;
  PutBigEndian16(bytes + 17, ClampToUnsigned16(s.radiance_counts));
  const unsigned flags = (s.motion > 0 ? 0x01u : 0u) | (saturated ? 0x10u : 0u);
  const char* hex = "0123456789ABCDEF";
  bytes[19] = static_cast<unsigned char>(hex[flags >> 4]);
  bytes[20] = static_cast<unsigned char>(hex[flags & 0xF]);
  unsigned sum = 0;
  for (std::size_t i = 0; i < kFixedFrameSize - 1; ++i) sum += bytes[i];
  bytes[21] = static_cast<unsigned char>((256 - (sum & 0xFF)) & 0xFF);
  out.append(reinterpret_cast<const char*>(bytes), kFixedFrameSize);
}

void AppendFixed(std::string& out, double value, int precision) {
  char digits[64];
  const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, precision);
  out.append(digits, result.ptr);
}

void AppendInteger(std::string& out, long value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

// NMAC0093,<counter>,<dbar>,<C>,<uS/cm>,<motion>\r\n
void AppendAsciiFrame(std::string& out, std::uint64_t frame, const Sample& s) {
  out.append(kAsciiHeader);
  out += ',';
  AppendInteger(out, static_cast<long>(frame & 0xFF));
  out += ',';
  AppendFixed(out, s.pressure_dbar, 3);
  out += ',';
  AppendFixed(out, s.temperature_c, 4);
  out += ',';
  AppendInteger(out, std::lround(s.conductivity_s_per_m * 10000.0));
  out += ',';
  out.append(s.motion > 0 ? "DOWN" : s.motion < 0 ? "UP" : "HOLD");
  out.append("\r\n");
}

// 1 to 4 bytes that can never begin a frame header, so the converter's
// header search skips them whole.
void AppendGarbage(std::string& out, Random& random, char header_start) {
  const unsigned count = 1 + random.Below(4);
  for (unsigned i = 0; i < count; ++i) {
    char byte = static_cast<char>(random.Below(256));
    if (byte == header_start) byte = static_cast<char>(~byte);
    out += byte;
  }
}

unsigned NextGarbageGap(Random& random) { return 100 + random.Below(200); }

// The temporary file of the run, so that an interrupted run removes it
// instead of leaving a truncated log behind.
std::atomic<const char*> g_temporary_path{nullptr};

extern "C" void RemoveTemporaryAndExit(int signal_number) {
  if (const char* path = g_temporary_path.load()) ::unlink(path);
  ::_exit(128 + signal_number);
}

void RemoveTemporaryOnInterrupt() {
  struct sigaction action = {};
  action.sa_handler = RemoveTemporaryAndExit;
  sigemptyset(&action.sa_mask);
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) ::sigaction(signal_number, &action, nullptr);
}

// The output under a temporary name until Commit renames it into place.
class LogWriter {
 public:
  explicit LogWriter(std::string path) : path_(std::move(path)), temp_path_(path_ + ".XXXXXX") {}
  ~LogWriter() {
    g_temporary_path = nullptr;
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && opened_) ::unlink(temp_path_.c_str());
  }
  LogWriter(const LogWriter&) = delete;
  LogWriter& operator=(const LogWriter&) = delete;

  bool Open() {
    fd_ = ::mkstemp(temp_path_.data());
    if (fd_ < 0) return Fail();
    opened_ = true;
    g_temporary_path = temp_path_.c_str();
    // mkstemp makes the file private; a log is an ordinary file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(fd_, 0666 & ~mask) != 0) return Fail();
    return true;
  }

  bool Write(std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        return Fail();
      }
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
  }

  bool Commit() {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return Fail();
    if (::rename(temp_path_.c_str(), path_.c_str()) != 0) return Fail();
    g_temporary_path = nullptr;
    committed_ = true;
    return true;
  }

  const std::string& Error() const { return error_; }

 private:
  bool Fail() {
    error_ = std::strerror(errno);
    return false;
  }

  std::string path_;
  std::string temp_path_;
  int fd_ = -1;
  bool opened_ = false;
  bool committed_ = false;
  std::string error_;
};

struct Totals {
  std::uint64_t frames = 0;
  std::uint64_t bytes = 0;
  std::uint64_t garbage_bytes = 0;
};

bool Generate(const Options& options, LogWriter& writer, Totals& totals) {
  Random values(options.seed);
  Random garbage(options.seed ^ 0xA5A5A5A5A5A5A5A5ull);
  const bool fixed = options.instrument == Instrument::kFixed;
  const char header_start = fixed ? kFixedHeader[0] : kAsciiHeader[0];
  std::uint64_t next_garbage = options.garbage ? NextGarbageGap(garbage) : UINT64_MAX;
  std::string buffer;
  buffer.reserve(kFlushSize + 256);
  std::string piece;  // one frame with its leading garbage, before it is known to fit
  piece.reserve(256);
  for (std::uint64_t frame = 0;; ++frame) {
    piece.clear();
    std::size_t garbage_count = 0;
    if (frame == next_garbage) {
      AppendGarbage(piece, garbage, header_start);
      garbage_count = piece.size();
      next_garbage += NextGarbageGap(garbage);
    }
    const Sample sample = SampleAt(frame, values);
    if (fixed) {
      AppendFixedFrame(piece, frame, sample);
    } else {
      AppendAsciiFrame(piece, frame, sample);
    }
    if (totals.bytes + piece.size() > options.size_limit) break;
    buffer += piece;
    totals.bytes += piece.size();
    totals.garbage_bytes += garbage_count;
    ++totals.frames;
    if (buffer.size() >= kFlushSize) {
      if (!writer.Write(buffer)) return false;
      buffer.clear();
    }
  }
  return writer.Write(buffer);
}

void PrintUsage() {
  std::fputs(
      "usage: briven_generate_log fixed|ascii SIZE_MB OUT [--garbage] [--seed N]\n"
      "  fixed   22-byte binary frames of examples/NMBP0417.tdf\n"
      "  ascii   CR LF text frames of examples/NMAC0093.tdf\n"
      "  SIZE_MB most bytes to write, in MiB (fractions allowed)\n",
      stderr);
}

bool ParseUnsigned64(std::string_view text, std::uint64_t& value) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

bool ParseSize(std::string_view text, std::uint64_t& bytes) {
  double megabytes = 0.0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), megabytes);
  // Up to 1 TiB: beyond that the number is surely a typing mistake.
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !(megabytes > 0.0) ||
      megabytes > 1048576.0) {
    return false;
  }
  bytes = static_cast<std::uint64_t>(megabytes * static_cast<double>(kBytesPerMegabyte));
  return true;
}

bool ParseArguments(int argc, char** argv, Options& options) {
  if (argc < 4) return false;
  const std::string_view kind = argv[1];
  if (kind == "fixed") {
    options.instrument = Instrument::kFixed;
  } else if (kind == "ascii") {
    options.instrument = Instrument::kAscii;
  } else {
    std::fprintf(stderr, "briven_generate_log: unknown instrument \"%s\"\n", argv[1]);
    return false;
  }
  if (!ParseSize(argv[2], options.size_limit)) {
    std::fprintf(stderr, "briven_generate_log: invalid size \"%s\"\n", argv[2]);
    return false;
  }
  options.out = argv[3];
  if (options.out.empty()) return false;
  for (int i = 4; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == "--garbage") {
      options.garbage = true;
    } else if (option == "--seed" && i + 1 < argc && ParseUnsigned64(argv[i + 1], options.seed)) {
      ++i;
    } else {
      std::fprintf(stderr, "briven_generate_log: invalid option \"%s\"\n", argv[i]);
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseArguments(argc, argv, options)) {
    PrintUsage();
    return 2;
  }
  RemoveTemporaryOnInterrupt();
  LogWriter writer(options.out);
  Totals totals;
  if (!writer.Open() || !Generate(options, writer, totals) || !writer.Commit()) {
    std::fprintf(stderr, "briven_generate_log: cannot write \"%s\": %s\n", options.out.c_str(),
                 writer.Error().c_str());
    return 1;
  }
  std::printf("%s: %llu frames, %llu bytes, %llu garbage bytes\n", options.out.c_str(),
              static_cast<unsigned long long>(totals.frames), static_cast<unsigned long long>(totals.bytes),
              static_cast<unsigned long long>(totals.garbage_bytes));
  return 0;
}
