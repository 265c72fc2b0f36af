#include "fsutil/QVTFileSystem.h"

#include <sys/statvfs.h>

#include <gtest/gtest.h>

#include "QVTFileSystemTestFolder.h"

namespace {

TEST(QVTFileSystemDrives, OneRootIsTheOnlyDrive) {
  EXPECT_EQ(QVTFileSystem::GetCurrentDrive(), "/");
  EXPECT_EQ(QVTFileSystem::GetDriveList(), (QVTFileSystem::StringList{"/"}));
  const struct {
    const char* drive;
    bool valid;
  } cases[] = {{"/", true}, {"\\", true}, {"c:\\", false}, {"C:", false}, {"", false}, {"/tmp", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.drive);
    EXPECT_EQ(QVTFileSystem::IsValidDrive(c.drive), c.valid);
    EXPECT_EQ(QVTFileSystem::ChangeDrive(c.drive), c.valid);
    EXPECT_EQ(QVTFileSystem::GetDriveType(c.drive),
              c.valid ? QVTFileSystem::kDriveFixed : QVTFileSystem::kDriveNoRootDir);
  }
  EXPECT_EQ(QVTFileSystem::GetVolumeLabel("/"), "");
}

TEST(QVTFileSystemDrives, SpaceOfTheFileSystemThatHoldsThePath) {
  fstest::TempFolder dir;
  struct statvfs info;
  ASSERT_EQ(::statvfs(dir.path().c_str(), &info), 0);
  const auto total = static_cast<std::int64_t>(info.f_blocks) * static_cast<std::int64_t>(info.f_frsize);
  EXPECT_EQ(QVTFileSystem::GetTotalSpace(dir.path()), total);
  EXPECT_EQ(QVTFileSystem::GetTotalSpace64(dir.path()), total);
  // A file not written yet has the space of the folder it would go to.
  EXPECT_EQ(QVTFileSystem::GetTotalSpace(dir / "not/yet/out.txt"), total);
  for (const std::string& path : {dir.path(), dir / "not/yet/out.txt", std::string("relative-missing"), std::string()}) {
    const std::int64_t free = QVTFileSystem::GetFreeSpace64(path);
    EXPECT_GT(free, 0) << path;
    EXPECT_LE(free, QVTFileSystem::GetTotalSpace64(path)) << path;
    EXPECT_GT(QVTFileSystem::GetFreeSpace(path), 0) << path;
  }
}

}  // namespace
