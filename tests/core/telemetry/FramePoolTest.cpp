#include "core/telemetry/FramePool.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/telemetry/FrameFactory.h"

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
  std::unique_ptr<CFrameData> used = telemetry::RefillFrameData(
      pool.Take(), reinterpret_cast<const std::uint8_t*>(long_bytes.data()), long_bytes.size(), first);
  used->SetErrorFlag(3);
  const CFrameData* address = used.get();
  pool.Give(std::move(used));

  const FrameDescription second = Description("NMBP0417", "\r\n", 2);
  const std::string bytes = "NMBP0417 short\r\n";
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  std::unique_ptr<CFrameData> refilled = telemetry::RefillFrameData(pool.Take(), data, bytes.size(), second);
  EXPECT_EQ(refilled.get(), address);
  ExpectSameFrame(*refilled, *telemetry::MakeFrameData(data, bytes.size(), second));
}

// A record refilled again and again, for one instrument and then for
// another that comes and goes, always holds the texts of the instrument
// its frame belongs to.
TEST(FramePool, ARecordRefilledAcrossAttachmentsHoldsItsOwnInstrumentsTexts) {
  FrameDescription a = Description("NMBP0417", "", 1);
  a.texts_key = telemetry::NextTextsKey();
  FrameDescription b = Description("SATBSI", "\r\n", 2);
  b.resource_name = "/dev/ttyS0";
  b.special_kind = "BSI";
  b.sync_count = 2;
  b.sync_bytes[0] = 0xFF;
  b.sync_bytes[1] = 0x01;
  b.texts_key = telemetry::NextTextsKey();
  FrameDescription unkeyed = Description("NMAC0093", "\n", 3);
  const std::string bytes = "NMBP0417 frame bytes\r\n";
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  std::unique_ptr<CFrameData> record;
  for (const FrameDescription* d : {&a, &a, &b, &a, &unkeyed, &b, &b, &unkeyed, &a}) {
    record = telemetry::RefillFrameData(std::move(record), data, bytes.size(), *d);
    ExpectSameFrame(*record, *telemetry::MakeFrameData(data, bytes.size(), *d));
  }
  EXPECT_NE(a.texts_key, b.texts_key);
}

TEST(FramePool, KeepsAtMostItsShareAndNothingForNull) {
  FramePool pool;
  EXPECT_EQ(pool.Take(), nullptr);
  pool.Give(nullptr);
  EXPECT_EQ(pool.Take(), nullptr);
  const FrameDescription d = Description("H", "", 1);
  const std::uint8_t byte = 'H';
  for (std::size_t i = 0; i < FramePool::kFramesKept + 5; ++i) pool.Give(telemetry::MakeFrameData(&byte, 1, d));
  std::size_t kept = 0;
  while (pool.Take() != nullptr) ++kept;
  EXPECT_EQ(kept, FramePool::kFramesKept);
}

}  // namespace
