#include "fsutil/QVTFileSystem.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include "fsutil/QVTFileSystemPosix.h"

namespace {

struct SplitCase {
  const char* path;
  const char* fileName;
  const char* folder;        // with the drive
  const char* folderNoDrive;
  const char* extension;
  const char* baseName;
};

// Both separators split, whichever comes last wins.
const SplitCase kSplitCases[] = {
    {"C:\\dir/sub\\a.b", "a.b", "C:\\dir/sub\\", "\\dir/sub\\", "b", "a"},
    {"C:\\a\\b.txt", "b.txt", "C:\\a\\", "\\a\\", "txt", "b"},
    {"/data/run:1/log.raw", "log.raw", "/data/run:1/", "/data/run:1/", "raw", "log"},
    {"dir\\sub/a.b.c", "a.b.c", "dir\\sub/", "dir\\sub/", "c", "a.b"},
    {"bare.cal", "bare.cal", "", "", "cal", "bare"},
    {"noext", "noext", "", "", "", "noext"},
    {"/x/trailing.", "trailing.", "/x/", "/x/", "", "trailing"},
    {"/x/y/", "", "/x/y/", "/x/y/", "", ""},
    {"a.dir/file", "file", "a.dir/", "a.dir/", "", "file"},
    {".profile", ".profile", "", "", "profile", ""},
    {"", "", "", "", "", ""},
};

TEST(QVTFileSystemPaths, SplitsOnBothSeparators) {
  for (const SplitCase& c : kSplitCases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(QVTFileSystem::GetFileName(c.path), c.fileName);
    EXPECT_EQ(QVTFileSystem::GetPath(c.path, true), c.folder);
    EXPECT_EQ(QVTFileSystem::GetPath(c.path, false), c.folderNoDrive);
    EXPECT_EQ(QVTFileSystem::GetExtension(c.path), c.extension);
    EXPECT_EQ(QVTFileSystem::GetBaseFileName(c.path), c.baseName);
  }
}

TEST(QVTFileSystemPaths, JoinsWithSlashOnlyWhenNeeded) {
  const struct {
    const char* path;
    const char* name;
    const char* joined;
  } cases[] = {
      {"/a", "b.txt", "/a/b.txt"},
      {"/a/", "b.txt", "/a/b.txt"},
      {"C:\\a\\", "b.txt", "C:\\a\\b.txt"},
      {"", "b.txt", "b.txt"},
      {"rel", "*.*", "rel/*.*"},
  };
  for (const auto& c : cases) EXPECT_EQ(QVTFileSystem::AppendPaths(c.path, c.name), c.joined) << c.path;
}

TEST(QVTFileSystemPaths, DriveIsTheRootOfAnAbsolutePath) {
  EXPECT_EQ(QVTFileSystem::GetDrive("/home/x.log"), "/");
  EXPECT_EQ(QVTFileSystem::GetDrive("relative/x.log"), "");
  EXPECT_EQ(QVTFileSystem::GetDrive(""), "");
}

TEST(QVTFileSystemPaths, FullPathResolvesDotsByTextAgainstTheCurrentFolder) {
  const struct {
    const char* path;
    const char* full;
  } absolute[] = {
      {"/a/./b/../c.txt", "/a/c.txt"},
      {"//a///b", "/a/b"},
      {"/a/b/", "/a/b/"},
      {"/../..", "/"},
      {"/", "/"},
  };
  for (const auto& c : absolute) EXPECT_EQ(QVTFileSystem::GetFullPathName(c.path), c.full) << c.path;

  const std::string cwd = fsposix::CurrentDirectory();
  ASSERT_FALSE(cwd.empty());
  EXPECT_EQ(QVTFileSystem::GetFullPathName("not-there/x.log"), QVTFileSystem::AppendPaths(cwd, "not-there/x.log"));
  EXPECT_EQ(QVTFileSystem::GetFullPathName("."), cwd);
  EXPECT_EQ(QVTFileSystem::GetFullPathName(""), "");
}

}  // namespace
