#include "core/telemetry/FramePool.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using telemetry::FrameDescription;
using telemetry::FramePool;

FrameDescription Description(const std::string& header, const std::string& terminator, int number) {
  FrameDescription d;
  d.resource_name = "/data/logs/a-long-folder-name/cast-0001.raw";
  d.header = header;
  d.terminator = terminator;
  d.frame_size = 22;
  d.frame_number = number;
  d.enabled = true;
  d.contiguous = number > 1;
  d.time_stamp.time = 1000 + number;
  d.time_stamp.millitm = 7;
  return d;
}

void ExpectSameFrame(const CFrameData& got, const CFrameData& want) {
  EXPECT_EQ(got.GetText(), want.GetText());
  EXPECT_EQ(got.GetFrameSize(), want.GetFrameSize());
  const CFrameInfo& g = got.GetInfo();
  const CFrameInfo& w = want.GetInfo();
  EXPECT_EQ(g.m_strResourceName, w.m_strResourceName);
  EXPECT_EQ(g.m_strHeader, w.m_strHeader);
  EXPECT_EQ(g.m_strTerminator, w.m_strTerminator);
  EXPECT_EQ(g.m_strSpecialKind, w.m_strSpecialKind);
  EXPECT_EQ(g.m_SyncBytes, w.m_SyncBytes);
  EXPECT_EQ(g.m_nSyncByteCount, w.m_nSyncByteCount);
  EXPECT_EQ(g.m_nFixedFrameSize, w.m_nFixedFrameSize);
  EXPECT_EQ(g.m_nFrameNumber, w.m_nFrameNumber);
  EXPECT_EQ(g.m_nErrorWord, w.m_nErrorWord);
  EXPECT_EQ(g.m_bAcquisitionEnabled, w.m_bAcquisitionEnabled);
  EXPECT_EQ(g.m_bContiguous, w.m_bContiguous);
  EXPECT_EQ(g.m_TimeStamp.time, w.m_TimeStamp.time);
  EXPECT_EQ(g.m_TimeStamp.millitm, w.m_TimeStamp.millitm);
}

// A frame given back carries nothing of its last use into the next one: no
// error word, no longer bytes, no sync bytes or strings of another
// instrument.
TEST(FramePool, ARefilledFrameIsTheFrameANewRecordWouldBe) {
  FramePool pool;
  FrameDescription first = Description("SATBSI", "", 1);
  first.special_kind = "BSI";
  first.sync_count = 4;
  const std::uint8_t sync[] = {0xFF, 0x00, 0xFF, 0x00};
  std::memcpy(first.sync_bytes, sync, sizeof sync);
  const std::string long_bytes(40, 'A');
  std::unique_ptr<CFrameData> used =
      pool.Make(reinterpret_cast<const std::uint8_t*>(long_bytes.data()), long_bytes.size(), first);
  used->SetErrorFlag(3);
  const CFrameData* address = used.get();
  pool.Give(std::move(used));

  const FrameDescription second = Description("NMBP0417", "\r\n", 2);
  const std::string bytes = "NMBP0417 short\r\n";
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  std::unique_ptr<CFrameData> refilled = pool.Make(data, bytes.size(), second);
  EXPECT_EQ(refilled.get(), address);
  ExpectSameFrame(*refilled, *telemetry::MakeFrameData(data, bytes.size(), second));
}

TEST(FramePool, MakesNewFramesWhenNoneIsSpareAndKeepsOnlyAFew) {
  FramePool pool;
  const FrameDescription d = Description("H", "", 1);
  const std::uint8_t byte = 'H';
  std::unique_ptr<CFrameData> a = pool.Make(&byte, 1, d);
  std::unique_ptr<CFrameData> b = pool.Make(&byte, 1, d);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(a.get(), b.get());
  pool.Give(nullptr);  // nothing to keep
  for (int i = 0; i < 100; ++i) pool.Give(pool.Make(&byte, 1, d));
  EXPECT_EQ(pool.Make(&byte, 1, d)->GetText(), "H");
}

}  // namespace
