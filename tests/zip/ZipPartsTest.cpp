// The building blocks: exception texts, memory files, the path splitter,
// attributes, DOS times and name code pages.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "platform/sys/FileException.h"
#include "zip/ZipAttributes.h"
#include "zip/ZipByteBuffer.h"
#include "zip/ZipCodePage.h"
#include "zip/ZipDosTime.h"
#include "zip/ZipEntryHeader.h"
#include "zip/ZipException.h"
#include "zip/ZipMemoryFile.h"
#include "zip/ZipPathSplitter.h"

namespace {

TEST(ZipException, TextsAndFallbacks) {
  EXPECT_EQ(CZipException::GetErrorDescription(101, false), "Damaged or not a zip file");
  EXPECT_EQ(CZipException::GetErrorDescription(27, false), "File too large");
  errno = 0;
  EXPECT_EQ(CZipException(100).GetErrorDescription(), "Unknown error");
  EXPECT_EQ(CZipException::GetErrorDescription(3, false), "Unknown error");
  EXPECT_EQ(CZipException::GetErrorDescription(3, true), "Unknown error");
  errno = ENOENT;
  EXPECT_EQ(CZipException::GetErrorDescription(3, false), std::strerror(ENOENT));
  EXPECT_EQ(CZipException::GetErrorDescription(113, false).rfind("Error while removing a file (", 0), 0u);
  errno = 0;
  char buffer[10];
  EXPECT_TRUE(CZipException(101).GetErrorMessage(buffer, sizeof buffer));
  EXPECT_STREQ(buffer, "Damaged o");
  EXPECT_FALSE(CZipException(101).GetErrorMessage(nullptr, 10));
  EXPECT_FALSE(CZipException(101).GetErrorMessage(buffer, 0));
  const CZipException e(102, "/a.zip", "x.cal");
  EXPECT_STREQ(e.what(), "Crc mismatched: /a.zip (x.cal)");
  EXPECT_EQ(CZipException::ZlibErrorToCause(-3), 504);
  EXPECT_EQ(CZipException::ZlibErrorToCause(7), 100);
}

TEST(ZipMemoryFile, GrowsZeroFillsAndBoundsSeeks) {
  CZipMemoryFile file(16);
  file.Write("abc", 3);
  file.Seek(10, CZipFileBase::begin);
  file.Write("z", 1);
  ASSERT_EQ(file.GetLength(), 11);
  EXPECT_EQ(std::memcmp(file.GetData(), "abc\0\0\0\0\0\0\0z", 11), 0);
  char out[20];
  file.SeekToBegin();
  EXPECT_EQ(file.Read(out, sizeof out), 11u);
  EXPECT_EQ(file.Read(out, sizeof out), 0u);
  EXPECT_THROW(file.Seek(-1, CZipFileBase::begin), sys::CFileException);
  EXPECT_THROW(file.Seek(0x100000000ll, CZipFileBase::begin), sys::CFileException);
  file.Seek(0xFFFFFFFFll, CZipFileBase::begin);
  try {
    file.Write("xy", 2);  // would pass the 32-bit range
    ADD_FAILURE();
  } catch (const CZipException& e) {
    EXPECT_EQ(e.m_iCause, CZipException::noMemory);
  }
  file.SetLength(2);
  EXPECT_EQ(file.GetLength(), 2);
  EXPECT_EQ(file.GetPosition(), 2);
}

TEST(ZipMemoryFile, FixedBufferCannotGrow) {
  BYTE storage[4] = {1, 2, 3, 4};
  CZipMemoryFile file(storage, sizeof storage);
  file.Write("ab", 2);
  EXPECT_EQ(storage[0], 'a');
  try {
    file.Write("abc", 3);
    ADD_FAILURE();
  } catch (const CZipException& e) {
    EXPECT_EQ(e.m_iCause, 505);
  }
  file.Close();
  EXPECT_TRUE(file.IsClosed());
}

TEST(ZipPathSplitter, Parts) {
  CZipPathSplitter unc("\\\\server\\share\\a.txt");
  EXPECT_EQ(unc.GetPrefix(), "\\\\");
  EXPECT_EQ(unc.GetDirectory(), "server\\share");
  EXPECT_EQ(unc.GetFileName(), "a.txt");
  EXPECT_EQ(unc.GetExtension(), "txt");
  EXPECT_EQ(CZipPathSplitter("\\\\?\\unc\\srv\\a").GetPrefix(), "\\\\?\\unc\\");
  CZipPathSplitter plain("docs/readme");
  EXPECT_EQ(plain.GetExtension(), "");
  EXPECT_EQ(plain.GetFileName(), "readme");
  EXPECT_EQ(plain.GetFullPath(), "docs/readme");
  CZipPathSplitter drive("C:\\d\\e.f");
  EXPECT_EQ(drive.GetDrive(), "C:");
  EXPECT_EQ(drive.GetNoDrive(), "d/e.f");
  EXPECT_EQ(drive.GetFilePath(), "C:/d");
}

TEST(ZipAttributes, UnixAndDosConversions) {
  using namespace ZipAttributes;
  EXPECT_EQ(Convert(0x41ED0000, kUnix, kDos) & (kDirectory | kReadOnly), DWORD{kDirectory});  // 0755 folder
  EXPECT_EQ(Convert(0x81240000, kUnix, kDos) & kReadOnly, DWORD{kReadOnly});  // 0444 file
  EXPECT_EQ(Convert(0x20, kDos, kUnix), 0x81B40000u);
  EXPECT_EQ(Convert(0x33, kDos, kMacintosh), 0x11u);
  EXPECT_THROW(Convert(0x20, 4, kUnix), CZipException);
  CZipEntryHeader h;
  h.SetSystemCompatibility(kUnix);
  h.SetFileName("a.txt");
  EXPECT_EQ(h.GetSystemAttr(), DWORD{kFileDefault});  // no attributes: the default file mode
  h.SetFileName("dir/");
  EXPECT_TRUE(h.IsDirectory());
}

TEST(ZipDosTime, RoundTripAndEarlyYears) {
  WORD date = 0, time = 0;
  std::tm tm{};
  tm.tm_year = 2021 - 1900;
  tm.tm_mon = 2;
  tm.tm_mday = 4;
  tm.tm_hour = 5;
  tm.tm_min = 6;
  tm.tm_sec = 8;
  tm.tm_isdst = -1;
  const std::time_t t = std::mktime(&tm);
  ZipDosTime::FromTime(t, date, time);
  EXPECT_EQ(ZipDosTime::ToTime(date, time), t);
  tm.tm_year = 1975 - 1900;
  ZipDosTime::FromTime(std::mktime(&tm), date, time);
  EXPECT_EQ(date >> 9, 0);
}

TEST(ZipCodePage, DosNamesBecomeUtf8AndUtf8NamesPassThrough) {
  EXPECT_EQ(ZipCodePage::Cp437ToUtf8("caf\x82"), "caf\xc3\xa9");
  EXPECT_EQ(ZipCodePage::Utf8ToCp437("caf\xc3\xa9"), "caf\x82");
  CZipEntryHeader h;
  h.m_pszFileName.Assign("caf\x82", 4);
  h.SetSystemCompatibility(ZipAttributes::kDos);
  EXPECT_EQ(h.GetFileName(), "caf\xc3\xa9");
  h.SetSystemCompatibility(ZipAttributes::kUnix);
  EXPECT_EQ(h.GetFileName(), "caf\x82");  // Unix names keep their bytes
  h.SetSystemCompatibility(ZipAttributes::kDos);
  h.SetFileName("caf\xc3\xa9");
  EXPECT_TRUE(h.m_uFlag & CZipEntryHeader::kUtf8);
  EXPECT_EQ(h.GetFileName(), "caf\xc3\xa9");
}

TEST(ZipByteBuffer, CopiesAndReallocates) {
  CZipByteBuffer a("abc", 3);
  CZipByteBuffer b = a;
  b[0] = 'x';
  EXPECT_EQ(a[0], 'a');
  a = a;
  EXPECT_EQ(a.GetSize(), 3u);
  a.Allocate(3, true);
  EXPECT_EQ(a[2], 0);
  a.Allocate(0);
  EXPECT_EQ(a.GetBuffer(), nullptr);
}

}  // namespace
