// Extraction to disk: names, folders, modes, times, and no partial files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "ZipTestSupport.h"
#include "platform/sys/FileException.h"
#include "zip/ZipArchive.h"
#include "zip/ZipException.h"
#include "zip/ZipMemoryFile.h"
#include "zip/ZipProgressCallback.h"

using ziptest::Fixture;
using ziptest::TempDir;

namespace {

mode_t ModeOf(const std::string& path) {
  struct stat st;
  ::stat(path.c_str(), &st);
  return st.st_mode & 07777;
}

mode_t Umask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

TEST(ZipExtract, PackageUnpacksFlatAndFullPathKeepsFolders) {
  TempDir dir;
  CZipArchive zip;
  zip.Open(Fixture("infozip-deflated.zip"), CZipArchive::zipOpenReadOnly);
  const std::string cal = ziptest::ReadAll(Fixture("x.cal"));
  for (WORD i = 0; i < zip.GetCount(); ++i) {
    CZipEntryHeader h;
    zip.GetFileInfo(h, i);
    if (!h.IsDirectory()) {
      EXPECT_TRUE(zip.ExtractFile(i, dir / "flat/", false, nullptr, 65536));
    }
    EXPECT_TRUE(zip.ExtractFile(i, dir / "full", true));
  }
  EXPECT_EQ(ziptest::ReadAll(dir / "flat/x.cal"), cal);
  EXPECT_EQ(ziptest::ReadAll(dir / "full/docs/x.cal"), cal);
  EXPECT_TRUE(std::filesystem::is_regular_file(dir / "flat/empty.dat"));
  EXPECT_EQ(std::filesystem::file_size(dir / "flat/empty.dat"), 0u);
  EXPECT_EQ(ModeOf(dir / "full/docs"), 0755 & ~Umask());
  EXPECT_EQ(ModeOf(dir / "full/docs/x.cal"), 0644 & ~Umask());
  // Info-ZIP stored 2020-05-06 07:08:10 as local time of the run that made
  // the fixture (UTC); mktime reads it back in local time.
  struct stat st;
  ::stat((dir / "full/docs/x.cal").c_str(), &st);
  CZipEntryHeader h;
  zip.GetFileInfo(h, static_cast<WORD>(zip.FindFile("docs/x.cal")));
  EXPECT_EQ(st.st_mtime, h.GetTime());
  zip.Close();
}

TEST(ZipExtract, ExistingDirectoryKeepsItsMode) {
  TempDir dir;
  std::filesystem::create_directories(dir / "full/docs");
  ::chmod((dir / "full/docs").c_str(), 0700);
  CZipArchive zip;
  zip.Open(Fixture("infozip-deflated.zip"), CZipArchive::zipOpenReadOnly);
  EXPECT_TRUE(zip.ExtractFile(static_cast<WORD>(zip.FindFile("docs/")), dir / "full", true));
  EXPECT_TRUE(zip.ExtractFile(static_cast<WORD>(zip.FindFile("docs/x.cal")), dir / "full", true));
  EXPECT_EQ(ModeOf(dir / "full/docs"), 0700u);
  zip.Close();
}

TEST(ZipExtract, NewNameAndRootPath) {
  TempDir dir;
  CZipArchive zip;
  zip.Open(Fixture("infozip-deflated.zip"), CZipArchive::zipOpenReadOnly);
  const auto index = static_cast<WORD>(zip.FindFile("docs/x.cal"));
  EXPECT_TRUE(zip.ExtractFile(index, dir.path(), false, "renamed.cal"));
  EXPECT_TRUE(std::filesystem::exists(dir / "renamed.cal"));
  EXPECT_EQ(zip.BuildExtractPath("docs/sub/a.txt", "/t/", false, nullptr), "/t/a.txt");
  EXPECT_EQ(zip.BuildExtractPath("docs/sub/a.txt", "/t", true, nullptr), "/t/docs/sub/a.txt");
  EXPECT_EQ(zip.BuildExtractPath("C:\\d\\a.txt", "/t", true, nullptr), "");
  zip.SetRootPath("DOCS/");
  EXPECT_EQ(zip.BuildExtractPath("docs/sub/a.txt", "/t", false, nullptr), "/t/sub/a.txt");
  EXPECT_EQ(zip.BuildExtractPath("docsx/a.txt", "/t", false, nullptr), "/t/a.txt");
  EXPECT_EQ(zip.BuildExtractPath("", "/t", false, nullptr), "");
  zip.Close();
}

class AbortAt : public CZipProgressCallback {
 public:
  explicit AbortAt(int calls) : left_(calls) {}
  bool Callback(int) override { return --left_ > 0; }

 private:
  int left_;
};

// Stopped before the last chunk, nothing is left (105); stopped on the last
// chunk, the entry is whole and checked, so it stays (106).
TEST(ZipExtract, AbortBeforeTheLastChunkLeavesNothingOnItKeepsTheWholeFile) {
  const std::string cal = ziptest::ReadAll(Fixture("x.cal"));
  CZipArchive zip;
  zip.Open(Fixture("infozip-deflated.zip"), CZipArchive::zipOpenReadOnly);
  const auto index = static_cast<WORD>(zip.FindFile("docs/x.cal"));
  struct Case {
    DWORD buffer;
    int cause;
  };
  for (const Case c : {Case{100, CZipException::aborted}, Case{1 << 20, CZipException::abortedSafely}}) {
    const bool kept = c.cause == CZipException::abortedSafely;
    TempDir dir;
    AbortAt callback(1);
    zip.SetCallback(&callback, CZipProgressCallback::cbExtract);
    try {
      zip.ExtractFile(index, dir.path(), false, nullptr, c.buffer);
      ADD_FAILURE() << "not aborted";
    } catch (const CZipException& e) {
      EXPECT_EQ(e.m_iCause, c.cause);
      EXPECT_EQ(e.m_szFileName, dir / "x.cal");
    }
    if (kept) EXPECT_EQ(ziptest::ReadAll(dir / "x.cal"), cal);
    else EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    CZipMemoryFile memory;
    AbortAt again(1);
    zip.SetCallback(&again, CZipProgressCallback::cbExtract);
    try {
      zip.ExtractFile(index, memory, c.buffer);
      ADD_FAILURE() << "not aborted";
    } catch (const CZipException& e) {
      EXPECT_EQ(e.m_iCause, c.cause);
    }
    EXPECT_EQ(memory.GetLength(), kept ? static_cast<std::int64_t>(cal.size()) : 0);
  }
  zip.SetCallback(nullptr, CZipProgressCallback::cbExtract);
  TempDir dir;
  EXPECT_TRUE(zip.ExtractFile(index, dir.path(), false));
  zip.Close();
}

TEST(ZipExtract, WrongPasswordLeavesNoFile) {
  TempDir dir;
  CZipArchive zip;
  zip.Open(Fixture("infozip-encrypted.zip"), CZipArchive::zipOpenReadOnly);
  zip.SetPassword("wrong");
  EXPECT_THROW(zip.ExtractFile(0, dir.path(), false), CZipException);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  zip.SetPassword("secret");
  EXPECT_TRUE(zip.ExtractFile(0, dir.path(), false));
  EXPECT_EQ(ziptest::ReadAll(dir / "x.cal"), ziptest::ReadAll(Fixture("x.cal")));
  zip.Close();
}

}  // namespace

namespace {

// Modes come from the entry: 0444 read-only, 0755 executable, else 0644;
// the setuid, setgid and sticky bits of the source never come back.
TEST(ZipExtract, ModesFollowTheEntryNeverSpecialBits) {
  TempDir dir;
  struct Case {
    const char* name;
    mode_t source;
    mode_t extracted;
  };
  const Case cases[] = {{"ro.txt", 0444, 0444}, {"exec.sh", 04755, 0755}, {"plain.txt", 0664, 0644}};
  CZipArchive zip;
  zip.Open(dir / "modes.zip", CZipArchive::zipCreate);
  for (const Case& c : cases) {
    ziptest::WriteAll(dir / c.name, "x");
    ::chmod((dir / c.name).c_str(), c.source);
    ASSERT_TRUE(zip.AddNewFile(dir / c.name, c.name, 6));
  }
  zip.Close();
  zip.Open(dir / "modes.zip", CZipArchive::zipOpenReadOnly);
  for (WORD i = 0; i < zip.GetCount(); ++i) ASSERT_TRUE(zip.ExtractFile(i, dir / "out", false));
  zip.Close();
  for (const Case& c : cases) EXPECT_EQ(ModeOf(dir / "out/" + c.name), c.extracted & ~Umask()) << c.name;
}

}  // namespace

namespace {

// A folder entry whose folder cannot be made is a failure the caller hears
// of, never a success with nothing on disk.
TEST(ZipExtract, FolderEntryBlockedByAFileFails) {
  TempDir dir;
  ziptest::WriteAll(dir / "docs", "a file where the folder goes");
  CZipArchive zip;
  zip.Open(Fixture("infozip-deflated.zip"), CZipArchive::zipOpenReadOnly);
  const auto folder = static_cast<WORD>(zip.FindFile("docs/"));
  EXPECT_THROW(zip.ExtractFile(folder, dir.path(), true), sys::CFileException);
  EXPECT_EQ(ziptest::ReadAll(dir / "docs"), "a file where the folder goes");
  zip.Close();
}

}  // namespace
