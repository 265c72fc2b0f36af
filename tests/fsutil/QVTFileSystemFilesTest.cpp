#include "fsutil/QVTFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "QVTFileSystemTestFolder.h"

namespace {

using fstest::Exists;
using fstest::ReadFile;
using fstest::WriteFile;

class QVTFileSystemFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(dir_ / "source.raw", "0123456789abcdefghij");
    WriteFile(dir_ / "other.raw", "user data");
    ::mkdir((dir_ / "folder").c_str(), 0777);
  }

  // Whatever a copy leaves beside its target besides the target itself.
  std::size_t EntriesIn(const std::string& folder) const {
    return QVTFileSystem::GetFileList(folder + "/*", QVTFileSystem::kMaskAll, false).size();
  }

  fstest::TempFolder dir_;
};

TEST_F(QVTFileSystemFiles, StatusOfFilesFoldersAndMissingPaths) {
  EXPECT_TRUE(QVTFileSystem::FileExists(dir_ / "source.raw"));
  EXPECT_TRUE(QVTFileSystem::FileExists(dir_ / "folder"));
  EXPECT_FALSE(QVTFileSystem::FileExists(dir_ / "missing"));
  EXPECT_FALSE(QVTFileSystem::FileExists(""));
  EXPECT_TRUE(QVTFileSystem::DirectoryExists(dir_ / "folder"));
  EXPECT_FALSE(QVTFileSystem::DirectoryExists(dir_ / "source.raw"));

  std::int64_t size = -1;
  EXPECT_TRUE(QVTFileSystem::GetFileSize(dir_ / "source.raw", size));
  EXPECT_EQ(size, 20);
  EXPECT_FALSE(QVTFileSystem::GetFileSize(dir_ / "missing", size));

  sys::BYTE attribute = 0;
  ASSERT_TRUE(QVTFileSystem::GetFileAttribute(dir_ / "folder", attribute));
  EXPECT_EQ(attribute & sys::kAttrDirectory, sys::kAttrDirectory);
  ASSERT_EQ(::mkfifo((dir_ / "pipe").c_str(), 0666), 0);
  ASSERT_TRUE(QVTFileSystem::GetFileAttribute(dir_ / "pipe", attribute));
  EXPECT_EQ(attribute & (sys::kAttrSystem | sys::kAttrArchive), sys::kAttrSystem);
}

TEST_F(QVTFileSystemFiles, SizesBeyondFourGigabytes) {
  const std::string big = dir_ / "big.raw";
  const int fd = ::open(big.c_str(), O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  constexpr std::int64_t kFiveGiB = 5LL << 30;
  ASSERT_EQ(::ftruncate(fd, kFiveGiB), 0);  // sparse: no disk space used
  ::close(fd);
  std::int64_t size = 0;
  ASSERT_TRUE(QVTFileSystem::GetFileSize(big, size));
  EXPECT_EQ(size, kFiveGiB);
  EXPECT_EQ(QVTFileSystem::GetDirectorySize(dir_.path(), "big.*", false), kFiveGiB);
}

TEST_F(QVTFileSystemFiles, TimesAndAutomationDates) {
  const sys::CTime noon(2020, 1, 2, 12, 0, 0);
  const timeval times[2] = {{noon.GetTime(), 0}, {noon.GetTime(), 0}};
  ASSERT_EQ(::utimes((dir_ / "source.raw").c_str(), times), 0);
  sys::CTime modified;
  ASSERT_TRUE(QVTFileSystem::GetFileModifyTime(dir_ / "source.raw", modified));
  EXPECT_EQ(modified, noon);
  sys::CTime accessed;
  ASSERT_TRUE(QVTFileSystem::GetFileAccessTime(dir_ / "source.raw", accessed));
  EXPECT_EQ(accessed, noon);
  double date = 0;
  ASSERT_TRUE(QVTFileSystem::GetFileWriteTimeOle(dir_ / "source.raw", date));
  EXPECT_DOUBLE_EQ(date, 43832.5);  // 2 January 2020, noon
  EXPECT_FALSE(QVTFileSystem::GetFileWriteTimeOle(dir_ / "missing", date));
  EXPECT_FALSE(QVTFileSystem::GetFileCreateTime(dir_ / "missing", modified));
}

TEST_F(QVTFileSystemFiles, RenameNeverReplaces) {
  EXPECT_TRUE(QVTFileSystem::RenameFile(dir_ / "source.raw", dir_ / "source.raw"));
  EXPECT_FALSE(QVTFileSystem::RenameFile(dir_ / "source.raw", dir_ / "other.raw"));
  EXPECT_EQ(ReadFile(dir_ / "other.raw"), "user data");
  EXPECT_FALSE(QVTFileSystem::RenameFile(dir_ / "missing", dir_ / "new.raw"));
  EXPECT_FALSE(QVTFileSystem::RenameFile(dir_ / "folder", dir_ / "new.raw")) << "a folder is no file";
  EXPECT_FALSE(QVTFileSystem::RenameFile(dir_ / "source.raw", dir_ / "no-folder/new.raw"));
  EXPECT_TRUE(QVTFileSystem::RenameFile(dir_ / "source.raw", dir_ / "new.raw"));
  EXPECT_FALSE(Exists(dir_ / "source.raw"));
  EXPECT_EQ(ReadFile(dir_ / "new.raw"), "0123456789abcdefghij");

  EXPECT_FALSE(QVTFileSystem::RenameDirectory(dir_ / "new.raw", dir_ / "x")) << "a file is no folder";
  ::mkdir((dir_ / "taken").c_str(), 0777);
  EXPECT_FALSE(QVTFileSystem::RenameDirectory(dir_ / "folder", dir_ / "taken"));
  EXPECT_TRUE(QVTFileSystem::RenameDirectory(dir_ / "folder/", dir_ / "moved"));
  EXPECT_TRUE(QVTFileSystem::DirectoryExists(dir_ / "moved"));
}

TEST_F(QVTFileSystemFiles, CopyInChunksOfAnySize) {
  for (const std::size_t chunk : {std::size_t{1}, std::size_t{3}, std::size_t{0}, QVTFileSystem::kChunkSize}) {
    const std::string target = dir_ / ("copy" + std::to_string(chunk));
    EXPECT_TRUE(QVTFileSystem::CopyFile(dir_ / "source.raw", target, chunk)) << chunk;
    EXPECT_EQ(ReadFile(target), "0123456789abcdefghij") << chunk;
  }
  WriteFile(dir_ / "empty", "");
  EXPECT_TRUE(QVTFileSystem::CopyFile(dir_ / "empty", dir_ / "folder/empty"));
  EXPECT_EQ(EntriesIn(dir_ / "folder"), 1u) << "no scratch file left";
}

TEST_F(QVTFileSystemFiles, CopyFailuresLeaveNothingBehindAndNothingOverwritten) {
  EXPECT_FALSE(QVTFileSystem::CopyFile(dir_ / "source.raw", dir_ / "other.raw"));
  EXPECT_EQ(ReadFile(dir_ / "other.raw"), "user data");
  EXPECT_FALSE(QVTFileSystem::CopyFile(dir_ / "missing", dir_ / "folder/x"));
  EXPECT_FALSE(QVTFileSystem::CopyFile(dir_ / "folder", dir_ / "folder2"));
  EXPECT_FALSE(QVTFileSystem::CopyFile(dir_ / "source.raw", dir_ / "no-folder/x"));
  // A pipe would block the copy for ever; it is refused instead.
  ASSERT_EQ(::mkfifo((dir_ / "pipe").c_str(), 0666), 0);
  EXPECT_FALSE(QVTFileSystem::CopyFile(dir_ / "pipe", dir_ / "folder/pipe"));
  ::chmod((dir_ / "folder").c_str(), 0555);
  if (::geteuid() != 0) {
    EXPECT_FALSE(QVTFileSystem::CopyFile(dir_ / "source.raw", dir_ / "folder/x"));
  }
  ::chmod((dir_ / "folder").c_str(), 0755);
  EXPECT_EQ(EntriesIn(dir_ / "folder"), 0u);
  EXPECT_FALSE(Exists(dir_ / "folder2"));
}

TEST_F(QVTFileSystemFiles, CopyFilesReportsTheOneThatFailed) {
  WriteFile(dir_ / "folder/other.raw", "kept");
  EXPECT_FALSE(QVTFileSystem::CopyFiles(dir_ / "*.raw", dir_ / "folder"));
  EXPECT_EQ(ReadFile(dir_ / "folder/source.raw"), "0123456789abcdefghij");
  EXPECT_EQ(ReadFile(dir_ / "folder/other.raw"), "kept");
  ::mkdir((dir_ / "second").c_str(), 0777);
  EXPECT_TRUE(QVTFileSystem::CopyFiles(dir_ / "*.raw", dir_ / "second"));
  EXPECT_TRUE(QVTFileSystem::CompareDirectories(dir_.path(), dir_ / "second"));
}

TEST_F(QVTFileSystemFiles, CompareFilesByLengthAndContent) {
  WriteFile(dir_ / "same.raw", "0123456789abcdefghij");
  WriteFile(dir_ / "late.raw", "0123456789abcdefghiX");
  WriteFile(dir_ / "short.raw", "0123456789");
  const struct {
    const char* other;
    std::size_t chunk;
    bool equal;
  } cases[] = {
      {"same.raw", 7, true}, {"same.raw", 0, true}, {"late.raw", 7, false},
      {"late.raw", 100, false}, {"short.raw", 7, false}, {"missing", 7, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(QVTFileSystem::CompareFiles(dir_ / "source.raw", dir_ / c.other, c.chunk), c.equal) << c.other;
}

TEST_F(QVTFileSystemFiles, CompareDirectoriesNameByNameAndContent) {
  for (const char* name : {"a", "b"}) ::mkdir((dir_ / name).c_str(), 0777);
  // Written in different orders, so the system's own order differs.
  for (const char* name : {"x.raw", "y.raw", "z.raw"}) WriteFile(dir_ / (std::string("a/") + name), name);
  for (const char* name : {"z.raw", "x.raw", "y.raw"}) WriteFile(dir_ / (std::string("b/") + name), name);
  ::mkdir((dir_ / "a/only-in-a").c_str(), 0777);  // folders are not compared
  EXPECT_TRUE(QVTFileSystem::CompareDirectories(dir_ / "a", dir_ / "b"));
  WriteFile(dir_ / "b/y.raw", "Y.raw");
  EXPECT_FALSE(QVTFileSystem::CompareDirectories(dir_ / "a", dir_ / "b"));
  WriteFile(dir_ / "b/y.raw", "y.raw");
  WriteFile(dir_ / "b/extra.raw", "");
  EXPECT_FALSE(QVTFileSystem::CompareDirectories(dir_ / "a", dir_ / "b"));
  EXPECT_FALSE(QVTFileSystem::CompareDirectories(dir_ / "missing1", dir_ / "missing2"));
}

TEST_F(QVTFileSystemFiles, CloseFileReportsSuccess) {
  sys::CFile file(dir_ / "source.raw", sys::CFile::modeRead);
  EXPECT_TRUE(QVTFileSystem::CloseFile(file));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_TRUE(QVTFileSystem::CloseFile(file)) << "closing a closed file is no failure";
}

}  // namespace
