#include "platform/afx/WindowPlacementRecord.h"

#include <gtest/gtest.h>

#include <memory>

namespace afx::test {
namespace {

using Bytes = std::vector<sys::BYTE>;

ui::WINDOWPLACEMENT Sample() {
  ui::WINDOWPLACEMENT p;
  p.flags = 2;
  p.showCmd = 3;
  p.ptMinPosition = {-1, -1};
  p.ptMaxPosition = {-4, -4};
  p.rcNormalPosition = {100, 50, 700, 0x10203};
  return p;
}

TEST(WindowPlacementRecordTest, IsElevenLittleEndianNumbers) {
  const Bytes bytes = WindowPlacementRecord::ToBytes(Sample());
  const Bytes expected{44, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0,
                       0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                       0xFC, 0xFF, 0xFF, 0xFF, 0xFC, 0xFF, 0xFF, 0xFF,
                       100, 0, 0, 0, 50, 0, 0, 0, 0xBC, 0x02, 0, 0, 0x03, 0x02, 0x01, 0};
  EXPECT_EQ(bytes, expected);
  ui::WINDOWPLACEMENT read;
  read.showCmd = 0;
  ASSERT_TRUE(WindowPlacementRecord::FromBytes(bytes, read));
  EXPECT_EQ(read.flags, 2u);
  EXPECT_EQ(read.showCmd, 3u);
  EXPECT_EQ(read.ptMaxPosition, (ui::POINT{-4, -4}));
  EXPECT_EQ(read.rcNormalPosition, (ui::RECT{100, 50, 700, 0x10203}));
}

TEST(WindowPlacementRecordTest, OnlyAWhole44ByteRecordIsTaken) {
  const Bytes good = WindowPlacementRecord::ToBytes(Sample());
  Bytes short_by_one(good.begin(), good.end() - 1);
  Bytes one_more = good;
  one_more.push_back(0);
  Bytes wrong_length_field = good;
  wrong_length_field[0] = 40;
  Bytes zeros(44, 0);  // what an absent placement looks like
  for (const Bytes& bad : {Bytes{}, short_by_one, one_more, wrong_length_field, zeros}) {
    SCOPED_TRACE(bad.size());
    ui::WINDOWPLACEMENT kept;
    kept.showCmd = 7;
    EXPECT_FALSE(WindowPlacementRecord::FromBytes(bad, kept));
    EXPECT_EQ(kept.showCmd, 7u);
    EXPECT_TRUE(WindowPlacementRecord::IsValid(kept));
  }
  EXPECT_FALSE(WindowPlacementRecord::FromBytes(nullptr, 44, *std::make_unique<ui::WINDOWPLACEMENT>()));
}

}  // namespace
}  // namespace afx::test
