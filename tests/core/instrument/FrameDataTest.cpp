#include "core/instrument/FrameData.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace {

using instrument_test::MakeFrame;

TEST(FrameData, VariableFrameSizeIsTheBytesHeldFixedFrameSizeIsTheInstruments) {
  const std::string bytes(37, 'x');
  EXPECT_EQ(MakeFrame(bytes, "H", 100, "\r\n").GetFrameSize(), 37);
  EXPECT_EQ(MakeFrame(bytes + "more", "H", 20).GetFrameSize(), 20);
}

TEST(FrameData, TextKeepsZeroBytesAndCopiesStayIndependent) {
  const std::string bytes("AB\0\0CD", 6);
  CFrameData frame = MakeFrame(bytes, "AB");
  EXPECT_EQ(frame.GetText(), bytes);
  EXPECT_EQ(frame.GetText().size(), 6u);

  CFrameData copy(frame);
  frame.SetErrorFlag(7);
  EXPECT_EQ(copy.GetErrorFlag(), 0);
  EXPECT_EQ(copy.GetText(), bytes);
  EXPECT_EQ(copy.CopyBytes(), frame.CopyBytes());
  EXPECT_EQ(copy.GetHeader(), "AB");
}

TEST(FrameInfo, CopyFromCopiesEveryFieldAndNeverRunsPastTheSyncBytes) {
  CFrameInfo source;
  source.m_strResourceName = "COM1";
  source.m_strHeader = "SATX";
  source.m_strTerminator = "\r\n";
  source.m_strSpecialKind = "BSI";
  source.m_SyncBytes = {1, 2, 3, 4};
  source.m_nSyncByteCount = 4;
  source.m_nFixedFrameSize = 50;
  source.m_nFrameNumber = 3;
  source.m_nErrorWord = 1;
  source.m_bAcquisitionEnabled = 1;
  source.m_bContiguous = 1;
  source.m_TimeStamp.time = 1234;
  source.m_TimeStamp.millitm = 56;

  CFrameInfo copy;
  copy.CopyFrom(source);
  EXPECT_EQ(copy.m_strResourceName, "COM1");
  EXPECT_EQ(copy.m_strHeader, "SATX");
  EXPECT_EQ(copy.m_strTerminator, "\r\n");
  EXPECT_EQ(copy.m_strSpecialKind, "BSI");
  EXPECT_EQ(copy.m_SyncBytes[3], 4);
  EXPECT_EQ(copy.m_nSyncByteCount, 4);
  EXPECT_EQ(copy.m_nFixedFrameSize, 50);
  EXPECT_EQ(copy.m_nFrameNumber, 3);
  EXPECT_EQ(copy.m_nErrorWord, 1);
  EXPECT_EQ(copy.m_bAcquisitionEnabled, 1);
  EXPECT_EQ(copy.m_bContiguous, 1);
  EXPECT_EQ(copy.m_TimeStamp.time, 1234);
  EXPECT_EQ(copy.m_TimeStamp.millitm, 56);

  source.m_nSyncByteCount = 1000;  // damaged count: copies at most the array
  copy.CopyFrom(source);
  EXPECT_EQ(copy.m_SyncBytes[0], 1);
}

}  // namespace
