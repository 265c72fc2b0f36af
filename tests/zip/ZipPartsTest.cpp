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

// Every cause with a text of its own describes as exactly that text, with
// and without the fallback.
TEST(ZipException, EveryTableTextByteForByte) {
  const struct {
    int cause;
    const char* text;
  } table[] = {
      {1, "Not super-user"},
      {2, "No such file or directory"},
      {4, "Interrupted system call"},
      {5, "I/O error"},
      {6, "No such device or address"},
      {9, "Bad file number"},
      {12, "Not enough space"},
      {13, "Permission denied"},
      {14, "Bad address"},
      {17, "File exists"},
      {18, "Cross-device link"},
      {19, "No such device"},
      {20, "Not a directory"},
      {21, "Is a directory"},
      {22, "Invalid argument"},
      {23, "File table overflow"},
      {24, "Too many open files"},
      {27, "File too large"},
      {28, "No space left on device"},
      {29, "Illegal seek"},
      {30, "Read-only file system"},
      {101, "Damaged or not a zip file"},
      {102, "Crc mismatched"},
      {103, "No disk-spanning callback functor set"},
      {104, "Disk change aborted"},
      {105, "Action aborted"},
      {106, "Action aborted safely"},
      {107, "The device selected for the disk spanning archive is non removable"},
      {108, "Limit of the maximum volumes reached (999)"},
      {109, "The filename of the file being added to the archive is too long"},
      {110, "Incorrect password set for the file being decrypted"},
      {111, "During testing found the directory with the size greater than 0"},
      {112, "Internal error"},
      {115, "Cannot create the file for the specified platform"},
      {116, "The central directory was not found in the archive (or you were trying to open not the last disk of a multi-disk archive)"},
      {500, "Zlib Library error (end of stream)"},
      {503, "Zlib library error (stream error)"},
      {504, "Zlib library error (data error)"},
      {505, "Not enough memory"},
      {506, "Zlib library error (buffer error)"},
      {507, "Zlib library error (version error)"},
  };
  for (const auto& row : table) {
    EXPECT_EQ(CZipException::GetErrorDescription(row.cause, true), row.text) << row.cause;
    EXPECT_EQ(CZipException::GetErrorDescription(row.cause, false), row.text) << row.cause;
  }
  errno = 0;
  EXPECT_EQ(CZipException::GetErrorDescription(114, false), "Error while renaming a file (Unknown error)");
  EXPECT_EQ(CZipException::GetErrorDescription(501, true), "Unknown error");
  errno = EACCES;
  EXPECT_EQ(CZipException::GetErrorDescription(502, true), "Permission denied");
  errno = 0;
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
