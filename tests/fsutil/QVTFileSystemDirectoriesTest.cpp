#include "fsutil/QVTFileSystem.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "QVTFileSystemTestFolder.h"
#include "fsutil/QVTFileSystemPosix.h"

namespace {

using fstest::Exists;
using fstest::ReadFile;
using fstest::WriteFile;

TEST(QVTFileSystemDirectories, MakeDirectoryCreatesOneLevelOnly) {
  fstest::TempFolder dir;
  EXPECT_TRUE(QVTFileSystem::MakeDirectory(dir / "one"));
  EXPECT_FALSE(QVTFileSystem::MakeDirectory(dir / "one")) << "already there";
  EXPECT_FALSE(QVTFileSystem::MakeDirectory(dir / "two/three"));
  EXPECT_FALSE(QVTFileSystem::MakeDirectory(""));
  EXPECT_TRUE(QVTFileSystem::DirectoryExists(dir / "one"));
}

TEST(QVTFileSystemDirectories, MakePathCreatesEveryLevel) {
  fstest::TempFolder dir;
  WriteFile(dir / "file", "x");
  const struct {
    std::string path;
    bool made;
  } cases[] = {
      {dir / "a/b/c", true},
      {dir / "a/b/c", true},  // a folder that is there already is no failure
      {dir / "a//d/e/", true},
      {dir / "run:1/x", true},
      {dir / "file/sub", false},  // a file stands in the way
      {dir / "file", false},
      {"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(QVTFileSystem::MakePath(c.path), c.made) << c.path;
    if (c.made) {
      EXPECT_TRUE(QVTFileSystem::DirectoryExists(c.path)) << c.path;
    }
  }
  EXPECT_EQ(ReadFile(dir / "file"), "x");
}

// The probe must never touch a user's file, whatever its name, nor leave
// a file of its own behind.
TEST(QVTFileSystemDirectories, ReadOnlyProbeLeavesTheFolderAsItWas) {
  fstest::TempFolder dir;
  WriteFile(dir / "xxxxtest.999", "the user's own data");
  EXPECT_FALSE(QVTFileSystem::IsReadOnly(dir.path()));
  EXPECT_FALSE(QVTFileSystem::IsReadOnly(dir.path() + "/"));
  EXPECT_EQ(ReadFile(dir / "xxxxtest.999"), "the user's own data");
  EXPECT_EQ(QVTFileSystem::GetFileList(dir / "*", QVTFileSystem::kMaskAll, false),
            (QVTFileSystem::StringList{dir / "xxxxtest.999"}));
  EXPECT_TRUE(QVTFileSystem::IsReadOnly(dir / "missing"));
  // Not writable even for the super-user.
  EXPECT_TRUE(QVTFileSystem::IsReadOnly("/proc"));
  if (::geteuid() != 0) {
    ::chmod(dir.path().c_str(), 0555);
    EXPECT_TRUE(QVTFileSystem::IsReadOnly(dir.path()));
    ::chmod(dir.path().c_str(), 0755);
  }
}

class QVTFileSystemCurrentDirectory : public ::testing::Test {
 protected:
  void TearDown() override { ASSERT_EQ(::chdir(before_.c_str()), 0); }
  const std::string before_ = fsposix::CurrentDirectory();
};

TEST_F(QVTFileSystemCurrentDirectory, ChangeAndReadBack) {
  fstest::TempFolder dir;
  // The system names the current folder without links.
  char* resolved = ::realpath(dir.path().c_str(), nullptr);
  ASSERT_NE(resolved, nullptr);
  const std::string real = resolved;
  std::free(resolved);
  ASSERT_TRUE(QVTFileSystem::ChangeDirectory(dir.path()));
  EXPECT_EQ(QVTFileSystem::GetCurrentDirectory(), real);
  EXPECT_EQ(QVTFileSystem::GetCurrentDirectory("/"), real);
  // Reading another drive's folder neither answers nor moves us.
  EXPECT_EQ(QVTFileSystem::GetCurrentDirectory("d:\\"), "");
  EXPECT_EQ(fsposix::CurrentDirectory(), real);
  EXPECT_FALSE(QVTFileSystem::ChangeDirectory(dir / "missing"));
  EXPECT_FALSE(QVTFileSystem::ChangeDirectory(""));
  EXPECT_EQ(fsposix::CurrentDirectory(), real);
}

}  // namespace
