// The benchmark log generator, checked by reading its logs back the way the
// converter sees them: frames found by their header, frame counters that
// must follow each other, check sums that must leave a residue of zero.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/wait.h>

#include <gtest/gtest.h>

#include "tests/app/AppTestFolder.h"

namespace {

const std::string kFixedHeader = "NMBP0417";
const std::string kAsciiHeader = "NMAC0093";
constexpr std::size_t kFixedFrameSize = 22;
constexpr std::uint64_t kMebibyte = 1 << 20;

struct GeneratorRun {
  int status = -1;
  std::string output;
  std::string errors;
};

std::string Quote(const std::string& text) { return "'" + text + "'"; }

GeneratorRun Generate(const apptest::TempFolder& folder, const std::vector<std::string>& arguments) {
  std::string command = Quote(BRIVEN_GENERATE_LOG);
  for (const std::string& argument : arguments) command += " " + Quote(argument);
  command += " >" + Quote(folder / "stdout.txt") + " 2>" + Quote(folder / "stderr.txt");
  GeneratorRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.output = apptest::ReadFile(folder / "stdout.txt");
  run.errors = apptest::ReadFile(folder / "stderr.txt");
  return run;
}

std::string GenerateOk(const apptest::TempFolder& folder, const std::vector<std::string>& arguments) {
  const GeneratorRun run = Generate(folder, arguments);
  EXPECT_EQ(run.status, 0) << run.errors;
  return apptest::ReadFile(arguments.at(2));
}

// Where each header stands; every byte between one frame's end and the
// next header is garbage.
std::vector<std::size_t> HeaderPositions(const std::string& log, const std::string& header) {
  std::vector<std::size_t> positions;
  for (std::size_t at = log.find(header); at != std::string::npos; at = log.find(header, at + 1)) {
    positions.push_back(at);
  }
  return positions;
}

unsigned BigEndian16(const std::string& bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) * 256u + static_cast<unsigned char>(bytes[at + 1]);
}

struct FixedFrame {
  unsigned counter;
  double pressure_dbar;
  double temperature_c;
  double conductivity_s_per_m;
  unsigned residue;
  std::string status;
};

FixedFrame DecodeFixed(const std::string& frame) {
  FixedFrame f;
  f.counter = static_cast<unsigned char>(frame[8]);
  f.pressure_dbar = BigEndian16(frame, 9) * 0.01 - 10.0;
  f.temperature_c = static_cast<std::int16_t>(BigEndian16(frame, 11)) * 0.001;
  const std::uint32_t bits = (BigEndian16(frame, 13) << 16) | BigEndian16(frame, 15);
  float conductivity;
  std::memcpy(&conductivity, &bits, sizeof conductivity);
  f.conductivity_s_per_m = conductivity;
  f.status = frame.substr(19, 2);
  unsigned sum = 0;
  for (std::size_t i = 0; i < kFixedFrameSize; ++i) sum += static_cast<unsigned char>(frame[i]);
  f.residue = sum & 0xFF;
  return f;
}

struct FixedLog {
  std::vector<FixedFrame> frames;
  std::vector<std::string> raw_frames;
  std::size_t garbage_places = 0;
  std::size_t garbage_bytes = 0;
};

FixedLog ReadFixedLog(const std::string& log) {
  FixedLog result;
  std::size_t end = 0;
  for (std::size_t at : HeaderPositions(log, kFixedHeader)) {
    if (at < end) continue;  // a header inside a frame's data is no frame
    if (at > end) {
      ++result.garbage_places;
      result.garbage_bytes += at - end;
    }
    const std::string frame = log.substr(at, kFixedFrameSize);
    result.raw_frames.push_back(frame);
    result.frames.push_back(DecodeFixed(frame));
    end = at + kFixedFrameSize;
  }
  result.garbage_bytes += log.size() - end;
  return result;
}

void ExpectCountersAndChecksums(const FixedLog& log) {
  for (std::size_t i = 0; i < log.frames.size(); ++i) {
    SCOPED_TRACE("frame " + std::to_string(i));
    const FixedFrame& f = log.frames[i];
    ASSERT_EQ(f.counter, i % 256);
    ASSERT_EQ(f.residue, 0u);
    ASSERT_GE(f.pressure_dbar, 0.0);
    ASSERT_LE(f.pressure_dbar, 410.0);
    ASSERT_GE(f.temperature_c, -2.0);
    ASSERT_LE(f.temperature_c, 8.0);
    ASSERT_GT(f.conductivity_s_per_m, 2.5);
    ASSERT_LT(f.conductivity_s_per_m, 3.5);
    ASSERT_TRUE(f.status == "00" || f.status == "01" || f.status == "10" || f.status == "11") << f.status;
  }
}

TEST(GenerateLogTest, FixedFramesFillTheSizeWithCountersAndCheckSumsInOrder) {
  apptest::TempFolder folder;
  // A little over a whole cast (4000 frames), so the counter wraps many
  // times and the profile turns at the bottom and comes back up.
  const std::string log = GenerateOk(folder, {"fixed", "0.1", folder / "fixed.raw"});
  const std::uint64_t limit = kMebibyte / 10;
  ASSERT_EQ(log.size() % kFixedFrameSize, 0u);
  EXPECT_LE(log.size(), limit);
  EXPECT_GT(log.size() + kFixedFrameSize, limit);
  const FixedLog frames = ReadFixedLog(log);
  EXPECT_EQ(frames.frames.size(), log.size() / kFixedFrameSize);
  EXPECT_EQ(frames.garbage_bytes, 0u);
  ExpectCountersAndChecksums(frames);
  // Both signs of the signed temperature field and both directions occur.
  bool below_zero = false, above_zero = false, descending = false, ascending = false;
  for (const FixedFrame& f : frames.frames) {
    below_zero |= f.temperature_c < 0.0;
    above_zero |= f.temperature_c > 0.0;
    descending |= f.status == "01";
    ascending |= f.status == "00" && f.pressure_dbar > 100.0;
  }
  EXPECT_TRUE(below_zero && above_zero && descending && ascending);
  EXPECT_EQ(Generate(folder, {"fixed", "0.1", folder / "again.raw"}).output,
            folder / "again.raw" + ": 4766 frames, 104852 bytes, 0 garbage bytes\n");
}

TEST(GenerateLogTest, GarbageLiesBetweenUnchangedFrames) {
  apptest::TempFolder folder;
  const std::string clean = GenerateOk(folder, {"fixed", "0.05", folder / "clean.raw", "--seed", "9"});
  const std::string dirty = GenerateOk(folder, {"fixed", "0.05", folder / "dirty.raw", "--seed", "9", "--garbage"});
  const FixedLog clean_frames = ReadFixedLog(clean);
  const FixedLog dirty_frames = ReadFixedLog(dirty);
  ExpectCountersAndChecksums(dirty_frames);
  // 2383 frames: a place every 100 to 299 frames, 1 to 4 bytes each.
  EXPECT_GE(dirty_frames.garbage_places, 2383u / 300);
  EXPECT_LE(dirty_frames.garbage_places, 2383u / 100);
  EXPECT_GE(dirty_frames.garbage_bytes, dirty_frames.garbage_places);
  EXPECT_LE(dirty_frames.garbage_bytes, 4 * dirty_frames.garbage_places);
  EXPECT_EQ(dirty_frames.garbage_bytes + dirty_frames.frames.size() * kFixedFrameSize, dirty.size());
  EXPECT_LE(dirty.size(), kMebibyte / 20);
  // The garbage takes room but changes no frame: the values do not depend
  // on where garbage was put.
  ASSERT_LE(dirty_frames.raw_frames.size(), clean_frames.raw_frames.size());
  for (std::size_t i = 0; i < dirty_frames.raw_frames.size(); ++i) {
    ASSERT_EQ(dirty_frames.raw_frames[i], clean_frames.raw_frames[i]) << "frame " << i;
  }
}

std::vector<std::string> SplitFields(const std::string& text) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1) {
    fields.push_back(text.substr(start, comma - start));
  }
  fields.push_back(text.substr(start));
  return fields;
}

bool IsWholeNumber(const std::string& text, bool real) {
  if (text.empty()) return false;
  char* end = nullptr;
  if (real) {
    const double value = std::strtod(text.c_str(), &end);
    return *end == '\0' && std::isfinite(value);
  }
  std::strtol(text.c_str(), &end, 10);
  return *end == '\0';
}

TEST(GenerateLogTest, AsciiFramesAreCommaFieldsEndingInCrLf) {
  apptest::TempFolder folder;
  const std::string log = GenerateOk(folder, {"ascii", "0.05", folder / "ascii.raw", "--garbage"});
  EXPECT_LE(log.size(), kMebibyte / 20);
  EXPECT_GT(log.size() + 64, kMebibyte / 20);
  std::size_t frames = 0;
  std::size_t end = 0;
  std::size_t garbage_places = 0;
  for (std::size_t at : HeaderPositions(log, kAsciiHeader)) {
    SCOPED_TRACE("frame " + std::to_string(frames));
    garbage_places += at > end ? 1 : 0;
    const std::size_t terminator = log.find("\r\n", at);
    ASSERT_NE(terminator, std::string::npos);
    const std::vector<std::string> fields =
        SplitFields(log.substr(at + kAsciiHeader.size(), terminator - at - kAsciiHeader.size()));
    ASSERT_EQ(fields.size(), 6u);
    EXPECT_EQ(fields[0], "");  // the delimiter between header and first field
    EXPECT_EQ(fields[1], std::to_string(frames % 256));
    EXPECT_TRUE(IsWholeNumber(fields[2], true)) << fields[2];
    EXPECT_TRUE(IsWholeNumber(fields[3], true)) << fields[3];
    EXPECT_TRUE(IsWholeNumber(fields[4], false)) << fields[4];
    EXPECT_TRUE(fields[5] == "DOWN" || fields[5] == "UP" || fields[5] == "HOLD") << fields[5];
    end = terminator + 2;
    ++frames;
  }
  EXPECT_EQ(end, log.size());
  EXPECT_GT(frames, 1000u);
  EXPECT_GT(garbage_places, 0u);
}

TEST(GenerateLogTest, TheSeedAloneDecidesTheBytes) {
  apptest::TempFolder folder;
  for (const char* kind : {"fixed", "ascii"}) {
    SCOPED_TRACE(kind);
    const std::string first = GenerateOk(folder, {kind, "0.02", folder / "a", "--seed", "5", "--garbage"});
    const std::string second = GenerateOk(folder, {kind, "0.02", folder / "b", "--garbage", "--seed", "5"});
    const std::string other = GenerateOk(folder, {kind, "0.02", folder / "c", "--seed", "6", "--garbage"});
    EXPECT_EQ(first, second);
    EXPECT_NE(first, other);
  }
}

TEST(GenerateLogTest, ABadCommandLineWritesNothing) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"fixed", "1"},
      {"binary", "1", "OUT"},
      {"fixed", "0", "OUT"},
      {"fixed", "-1", "OUT"},
      {"fixed", "1MB", "OUT"},
      {"fixed", "nan", "OUT"},
      {"fixed", "2000000", "OUT"},
      {"fixed", "1", "OUT", "--seed"},
      {"fixed", "1", "OUT", "--seed", "-3"},
      {"fixed", "1", "OUT", "--fast"},
  };
  for (std::vector<std::string> arguments : cases) {
    apptest::TempFolder folder;
    if (arguments.size() > 2) arguments[2] = folder / "out.raw";
    SCOPED_TRACE(testing::PrintToString(arguments));
    const GeneratorRun run = Generate(folder, arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("usage: briven_generate_log"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder / "out.raw"));
  }
}

TEST(GenerateLogTest, AnUnwritableOutputIsReportedWithItsNameAndLeavesNothing) {
  apptest::TempFolder folder;
  const std::string out = folder / "missing/log.raw";
  const GeneratorRun run = Generate(folder, {"fixed", "0.01", out});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.errors.find("\"" + out + "\""), std::string::npos) << run.errors;
  EXPECT_NE(run.errors.find("No such file or directory"), std::string::npos) << run.errors;
  EXPECT_EQ(run.output, "");
}

TEST(GenerateLogTest, ReplacesAnOlderLogWhole) {
  apptest::TempFolder folder;
  const std::string out = folder / "log.raw";
  apptest::WriteFile(out, std::string(100000, 'x'));
  const std::string log = GenerateOk(folder, {"fixed", "0.001", out});
  EXPECT_EQ(log.size(), 47 * kFixedFrameSize);
  EXPECT_EQ(log, GenerateOk(folder, {"fixed", "0.001", folder / "fresh.raw"}));
  std::filesystem::remove(folder / "fresh.raw");
  // Only the log itself is left: no temporary file beside it.
  std::size_t entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    entries += entry.path().filename() == "log.raw" ? 1 : 0;
    EXPECT_TRUE(entry.path().filename() == "log.raw" || entry.path().extension() == ".txt") << entry.path();
  }
  EXPECT_EQ(entries, 1u);
}

}  // namespace
