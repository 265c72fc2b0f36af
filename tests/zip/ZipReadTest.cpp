// Archives made by common tools open, their entries are found and read
// byte-exact.
#include <gtest/gtest.h>

#include "ZipTestSupport.h"
#include "zip/ZipArchive.h"
#include "zip/ZipException.h"
#include "zip/ZipMemoryFile.h"

using ziptest::Fixture;

namespace {

std::string ReadEntry(CZipArchive& zip, int index) {
  CZipMemoryFile out;
  EXPECT_TRUE(zip.ExtractFile(static_cast<WORD>(index), out, 1000));
  return std::string(reinterpret_cast<const char*>(out.GetData()), static_cast<std::size_t>(out.GetLength()));
}

struct ToolCase {
  const char* archive;
  int count;
};

class ToolArchives : public ::testing::TestWithParam<ToolCase> {};

TEST_P(ToolArchives, EveryEntryReadsByteExact) {
  const std::string cal = ziptest::ReadAll(Fixture("x.cal"));
  CZipArchive zip;
  zip.Open(Fixture(GetParam().archive), CZipArchive::zipOpenReadOnly);
  EXPECT_EQ(zip.GetCount(), GetParam().count);
  const int calIndex = zip.FindFile("x.cal", CZipArchive::ffDefault, true);
  ASSERT_GE(calIndex, 0);
  EXPECT_EQ(ReadEntry(zip, calIndex), cal);
  const int props = zip.FindFile("Properties.txt", CZipArchive::ffDefault, true);
  ASSERT_GE(props, 0);
  EXPECT_EQ(ReadEntry(zip, props), "Name=Demo\r\nVersion=1\r\n");
  for (int i = 0; i < zip.GetCount(); ++i) EXPECT_TRUE(zip.TestFile(static_cast<WORD>(i))) << i;
  zip.Close();
}

INSTANTIATE_TEST_SUITE_P(Tools, ToolArchives,
                         ::testing::Values(ToolCase{"infozip-stored.zip", 4}, ToolCase{"infozip-deflated.zip", 5},
                                           ToolCase{"bsdtar.zip", 4}, ToolCase{"7z.zip", 4},
                                           ToolCase{"python.zip", 4}, ToolCase{"prepended.zip", 5}));

TEST(ZipRead, FindsByCaseAndFileName) {
  CZipArchive zip;
  zip.Open(Fixture("infozip-deflated.zip"), CZipArchive::zipOpenReadOnly);
  EXPECT_GE(zip.FindFile("docs/x.cal"), 0);
  EXPECT_GE(zip.FindFile("DOCS/X.CAL"), 0);
  EXPECT_GE(zip.FindFile("DOCS/X.CAL", CZipArchive::ffNoCaseSens), 0);
  EXPECT_EQ(zip.FindFile("DOCS/X.CAL", CZipArchive::ffCaseSens), -1);
  EXPECT_GE(zip.FindFile("docs/x.cal", CZipArchive::ffCaseSens), 0);
  EXPECT_GE(zip.FindFile("X.CAL", CZipArchive::ffDefault, true), 0);
  EXPECT_EQ(zip.FindFile("X.CAL", CZipArchive::ffCaseSens, true), -1);
  EXPECT_EQ(zip.FindFile("missing"), -1);
  CZipEntryHeader h;
  ASSERT_TRUE(zip.GetFileInfo(h, static_cast<WORD>(zip.FindFile("docs/"))));
  EXPECT_TRUE(h.IsDirectory());
  EXPECT_FALSE(zip.GetFileInfo(h, 99));
}

TEST(ZipRead, Utf8AndDirectoryEntriesOfPython) {
  CZipArchive zip;
  zip.Open(Fixture("python.zip"), CZipArchive::zipOpenReadOnly);
  const int index = zip.FindFile("caf\xc3\xa9.txt");
  ASSERT_GE(index, 0);
  EXPECT_EQ(ReadEntry(zip, index), "utf-8 name");
  CZipEntryHeader h;
  zip.GetFileInfo(h, static_cast<WORD>(zip.FindFile("dir/")));
  EXPECT_TRUE(h.IsDirectory());
}

TEST(ZipRead, CommentsAndEmptyArchive) {
  CZipArchive zip;
  zip.Open(Fixture("infozip-comment.zip"), CZipArchive::zipOpenReadOnly);
  EXPECT_EQ(zip.GetGlobalComment(), "archive comment");
  zip.Close();
  EXPECT_EQ(zip.GetGlobalComment(), "");
  zip.Open(Fixture("empty.zip"), CZipArchive::zipOpenReadOnly);
  EXPECT_EQ(zip.GetCount(), 0);
  EXPECT_EQ(zip.FindFile("x"), -1);
  zip.Close();
  EXPECT_TRUE(zip.IsClosed());
}

struct PasswordCase {
  const char* archive;
  const char* password;
  int cause;  // 0: reads
};

class Passwords : public ::testing::TestWithParam<PasswordCase> {};

TEST_P(Passwords, RightMissingAndWrong) {
  const std::string cal = ziptest::ReadAll(Fixture("x.cal"));
  CZipArchive zip;
  zip.Open(Fixture(GetParam().archive), CZipArchive::zipOpenReadOnly);
  ASSERT_TRUE(zip.SetPassword(GetParam().password));
  const WORD index = 0;
  if (GetParam().cause == 0) {
    EXPECT_EQ(ReadEntry(zip, index), cal);
  } else {
    CZipMemoryFile out;
    try {
      zip.ExtractFile(index, out);
      ADD_FAILURE() << "no exception";
    } catch (const CZipException& e) {
      EXPECT_EQ(e.m_iCause, GetParam().cause);
    }
    EXPECT_EQ(out.GetLength(), 0);
  }
  zip.Close();
}

// The plain archive checks the CRC byte, the streamed one the time byte.
INSTANTIATE_TEST_SUITE_P(
    Encrypted, Passwords,
    ::testing::Values(PasswordCase{"infozip-encrypted.zip", "secret", 0},
                      PasswordCase{"infozip-encrypted.zip", nullptr, CZipException::badPassword},
                      PasswordCase{"infozip-encrypted.zip", "wrong", CZipException::badPassword},
                      PasswordCase{"infozip-stream-encrypted.zip", "secret", 0},
                      PasswordCase{"infozip-stream-encrypted.zip", "wrong", CZipException::badPassword}));

TEST(ZipRead, StreamingReadStopsShortWithoutCrcCheck) {
  CZipArchive zip;
  zip.Open(Fixture("crc-error.zip"), CZipArchive::zipOpenReadOnly);
  ASSERT_TRUE(zip.OpenFile(0));
  char buffer[10];
  EXPECT_EQ(zip.ReadFile(buffer, sizeof buffer), 10u);
  EXPECT_FALSE(zip.OpenFile(0));  // one entry at a time
  EXPECT_EQ(zip.CloseFile(), -1);
  EXPECT_EQ(zip.CloseFile(), 0);
}

TEST(ZipRead, SetPasswordRefusesNonAscii) {
  CZipArchive zip;
  EXPECT_FALSE(zip.SetPassword("caf\xc3\xa9"));
  EXPECT_EQ(zip.GetPassword(), "");
  EXPECT_TRUE(zip.SetPassword("ok"));
  EXPECT_EQ(zip.GetPassword(), "ok");
}

}  // namespace

namespace {

// The descriptor is checked once the entry has been read to its end, and
// only then.
TEST(ZipRead, DataDescriptorCheckedAtTheEntrysEnd) {
  for (const char* name : {"descriptor-good.zip", "descriptor-bad.zip"}) {
    const bool good = std::string(name) == "descriptor-good.zip";
    CZipArchive zip;
    zip.Open(Fixture(name), CZipArchive::zipOpenReadOnly);
    if (good) {
      EXPECT_TRUE(zip.TestFile(0));
    } else {
      EXPECT_THROW(zip.TestFile(0), CZipException);
    }
    ASSERT_TRUE(zip.OpenFile(0));
    char buffer[16];
    zip.ReadFile(buffer, sizeof buffer);
    EXPECT_EQ(zip.CloseFile(), -1) << name;
    zip.Close();
  }
}

}  // namespace

namespace {

// An archive opened on a file object, like one opened on a path, adopts
// the attribute convention of its first entry for the entries it gains.
TEST(ZipRead, FileObjectOpenTakesTheHostSystemOfTheFirstEntry) {
  const std::string bytes = ziptest::ReadAll(Fixture("python.zip"));
  CZipMemoryFile file;
  file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
  CZipArchive zip;
  zip.Open(file, CZipArchive::zipOpen);
  CZipEntryHeader first;
  ASSERT_TRUE(zip.GetFileInfo(first, 0));
  ASSERT_EQ(first.GetSystemCompatibility(), 3);
  CZipMemoryFile source;
  source.Write("new", 3);
  ASSERT_TRUE(zip.AddNewFile(source, "added.txt", 0));
  zip.Close();
  zip.Open(file, CZipArchive::zipOpenReadOnly);
  CZipEntryHeader added;
  ASSERT_TRUE(zip.GetFileInfo(added, static_cast<WORD>(zip.FindFile("added.txt"))));
  EXPECT_EQ(added.GetSystemCompatibility(), 3);
  zip.Close();
}

}  // namespace
