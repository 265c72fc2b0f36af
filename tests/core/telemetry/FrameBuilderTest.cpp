// The built frames of the special instruments: BSI sample records and
// HOBILABS_HS2_D hexadecimal records.
#include <gtest/gtest.h>

#include <cstring>

#include "core/telemetry/BsiFrame.h"
#include "core/telemetry/Hs2Frame.h"

using namespace telemetry;

namespace {

float FloatAt(const std::vector<std::uint8_t>& frame, std::size_t at) {
  const std::uint32_t bits = (std::uint32_t{frame[at]} << 24) | (std::uint32_t{frame[at + 1]} << 16) |
                             (std::uint32_t{frame[at + 2]} << 8) | frame[at + 3];
  float value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

const std::uint8_t kSync[] = {0xAA, 2};
const std::uint8_t kRecord[] = {0xAA, 0x02, 0x1F, 0xFF, 0x0F, 0xFF, 0x00};

std::vector<std::uint8_t> FrameWithHeader(std::size_t size) {
  std::vector<std::uint8_t> frame(size, 0xEE);
  std::memcpy(frame.data(), "BSI1", 4);
  return frame;
}

TEST(BsiFrame, SamplesBecomeBigEndianFloatsFollowedByCrLf) {
  EXPECT_EQ(BsiRecordLength(kSync, 2), 7u);
  std::vector<std::uint8_t> frame = FrameWithHeader(16);
  BuildBsiFrameBytes(kRecord, kSync, 2, 4, frame);
  EXPECT_FLOAT_EQ(FloatAt(frame, 4), -1 * 0.00244140625f);
  EXPECT_FLOAT_EQ(FloatAt(frame, 8), 4095 * 0.00244140625f);
  EXPECT_EQ(std::string(frame.begin() + 12, frame.end()), std::string("\0\0\r\n", 4));
}

TEST(BsiFrame, GainCodesScaleTheSample) {
  EXPECT_DOUBLE_EQ(BsiSampleValue(0x2001), 0.000152587890625);
  EXPECT_DOUBLE_EQ(BsiSampleValue(0x4001), 9.5367431640625e-06);
  EXPECT_DOUBLE_EQ(BsiSampleValue(0x6001), 0.0);
  EXPECT_DOUBLE_EQ(BsiSampleValue(0x1000), -4096 * 0.00244140625);
}

TEST(BsiFrame, AFrameTooShortKeepsWhatFitsAndNeverWritesPastItsEnd) {
  struct Case {
    std::size_t size;
    std::string tail;  // the bytes after the header
  } cases[] = {{4, ""}, {5, "\r"}, {6, "\r\n"}, {9, std::string("\0\0\0\r\n", 5)}};
  for (const Case& c : cases) {
    std::vector<std::uint8_t> frame = FrameWithHeader(c.size);
    BuildBsiFrameBytes(kRecord, kSync, 2, 4, frame);
    ASSERT_EQ(frame.size(), c.size);
    EXPECT_EQ(std::string(frame.begin() + 4, frame.end()), c.tail) << "size " << c.size;
  }
  // Room for one value only: the second sample is dropped.
  std::vector<std::uint8_t> frame = FrameWithHeader(10);
  BuildBsiFrameBytes(kRecord, kSync, 2, 4, frame);
  EXPECT_FLOAT_EQ(FloatAt(frame, 4), -1 * 0.00244140625f);
  EXPECT_EQ(frame[8], '\r');
}

TEST(BsiFrame, ChecksumAndSyncBytes) {
  const std::uint8_t good[] = {0xAA, 0x01, 0x10, 0x20, 0xDB};
  EXPECT_EQ(BsiChecksumPosition(good), 4u);
  EXPECT_TRUE(BsiChecksumMatches(good, 4));
  const std::uint8_t bad[] = {0xAA, 0x01, 0x10, 0x20, 0xDC};
  EXPECT_FALSE(BsiChecksumMatches(bad, 4));

  std::uint8_t bytes[10] = {};
  EXPECT_EQ(ParseBsiSyncBytes("\\xAA\\x02\\x0b\\x01", bytes, 10), 4u);
  EXPECT_EQ(bytes[0], 0xAA);
  EXPECT_EQ(bytes[2], 0x0B);
  // A broken escape is dropped and so is every later one; plain characters stay.
  EXPECT_EQ(ParseBsiSyncBytes("\\xZZ\\x02Zq", bytes, 10), 2u);
  EXPECT_EQ(bytes[0], 'Z');
  EXPECT_EQ(ParseBsiSyncBytes("ABCDEFGHIJKL", bytes, 10), 10u);
}

TEST(Hs2Frame, EachFieldIsReadFromItsOwnCharactersOnly) {
  const std::string record = "*D0000ABCD" "0102030405060708090A0B0C0D0E0F10" "12345678" "FFEE" "7F" "80" "9999";
  ASSERT_EQ(record.size(), kHs2RecordLength);
  std::vector<std::uint8_t> frame(3 + kHs2FrameTail, 0xEE);
  std::memcpy(frame.data(), "HS2", 3);
  BuildHs2FrameBytes(reinterpret_cast<const std::uint8_t*>(record.data()), 3, frame);
  const std::vector<std::uint8_t> expected = {
      'H', 'S', '2', 0x00, 0x00, 0xAB, 0xCD, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C,
      0x0D, 0x0E, 0x0F, 0x10, 1, 2, 3, 4, 5, 6, 7, 8, 0xFF, 0xEE, 0x7F, 0x80, '\r', '\n', 0};
  EXPECT_EQ(frame, expected);
}

}  // namespace
