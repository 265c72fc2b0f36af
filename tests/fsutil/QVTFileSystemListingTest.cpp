#include "fsutil/QVTFileSystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "QVTFileSystemTestFolder.h"
#include "fsutil/QVTFileSystemPosix.h"

namespace {

using fstest::Exists;
using fstest::ReadFile;
using fstest::WriteFile;
using List = QVTFileSystem::StringList;

// A tree with what real folders hold: mixed case, hidden names, a
// read-only file, a pipe, a link loop, a link to a folder outside the tree
// and a dangling link.
class QVTFileSystemListing : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = tree_ / "root";
    ::mkdir(root_.c_str(), 0777);
    for (const char* name : {"a.txt", "B.TXT", "c.log", "noext", ".hidden.txt", "ro.txt"})
      WriteFile(In(name), std::string(name));
    fstest::MakeReadOnly(In("ro.txt"));
    ASSERT_EQ(::mkfifo(In("pipe").c_str(), 0666), 0);
    for (const char* name : {"sub", "sub/deeper", ".hiddendir"}) ::mkdir(In(name).c_str(), 0777);
    WriteFile(In("sub/d.txt"), "dd");
    WriteFile(In("sub/deeper/e.txt"), "eee");
    WriteFile(In(".hiddendir/f.txt"), "ffff");
    WriteFile(outside_ / "g.txt", "outside");
    ASSERT_EQ(::symlink("..", In("sub/loop").c_str()), 0);
    ASSERT_EQ(::symlink(outside_.path().c_str(), In("outside").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", In("dangling").c_str()), 0);
  }

  std::string In(const std::string& name) const { return root_ + "/" + name; }

  // The listing with the root folder cut off, to compare with a table.
  List Relative(const List& full) const {
    List out;
    for (const std::string& path : full) out.push_back(path.rfind(root_ + "/", 0) == 0 ? path.substr(root_.size() + 1) : path);
    return out;
  }

  fstest::TempFolder tree_;
  fstest::TempFolder outside_;
  std::string root_;
};

TEST_F(QVTFileSystemListing, PatternsMasksAndRecursion) {
  const struct {
    const char* pattern;
    sys::DWORD mask;
    bool recurse;
    List expected;
  } cases[] = {
      // Plain files only: no hidden names, folders, pipes; letters match without case.
      {"*.txt", 0, false, {"a.txt", "B.TXT", "ro.txt"}},
      {"*.txt", QVTFileSystem::kMaskNormal, false, {"a.txt", "B.TXT", "ro.txt"}},
      {"*.*", 0, false, {"a.txt", "B.TXT", "c.log", "dangling", "noext", "ro.txt"}},
      {"?.txt", 0, false, {"a.txt", "B.TXT"}},
      {"*.", 0, false, {"dangling", "noext"}},
      {"NOEXT", 0, false, {"noext"}},
      {"nothing*", 0, false, {}},
      {"*.*", QVTFileSystem::kMaskAll, false,
       {".hidden.txt", ".hiddendir", "a.txt", "B.TXT", "c.log", "dangling", "noext", "outside", "pipe", "ro.txt", "sub"}},
      // Folders, a link to one among them; the dots are never listed.
      {"*.*", QVTFileSystem::kMaskDirectory, false, {".hiddendir", "outside", "sub"}},
      {"*", sys::kAttrReadOnly, false, {"ro.txt"}},
      {"*", sys::kAttrSystem, false, {"pipe"}},
      {"*", sys::kAttrHidden, false, {".hidden.txt", ".hiddendir"}},
      // Depth first, a folder's own matches first; links are never entered.
      {"*.txt", 0, true, {"a.txt", "B.TXT", "ro.txt", ".hiddendir/f.txt", "sub/d.txt", "sub/deeper/e.txt"}},
      {"*.*", QVTFileSystem::kMaskDirectory, true, {".hiddendir", "outside", "sub", "sub/deeper", "sub/loop"}},
      {"e.txt", 0, true, {"sub/deeper/e.txt"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pattern << " mask " << c.mask << (c.recurse ? " recursive" : ""));
    EXPECT_EQ(Relative(QVTFileSystem::GetFileList(In(c.pattern), c.mask, c.recurse)), c.expected);
  }
}

TEST_F(QVTFileSystemListing, MissingFolderAndEmptyNameGiveEmptyLists) {
  EXPECT_TRUE(QVTFileSystem::GetFileList(In("missing/*.*"), 0, true).empty());
  EXPECT_TRUE(QVTFileSystem::GetFileList(root_ + "/", QVTFileSystem::kMaskAll, false).empty());
}

TEST_F(QVTFileSystemListing, AppendsToTheCallersList) {
  List list{"kept"};
  QVTFileSystem::GetFileList(In("c.*"), 0, false, list);
  EXPECT_EQ(Relative(list), (List{"kept", "c.log"}));
}

// The file lists of the view make their folder current and show names
// relative to it, those of subfolders with their relative path.
TEST_F(QVTFileSystemListing, RelativePatternGivesRelativeNames) {
  const std::string before = fsposix::CurrentDirectory();
  ASSERT_TRUE(QVTFileSystem::ChangeDirectory(root_));
  const List list = QVTFileSystem::GetFileList("*.txt", QVTFileSystem::kMaskNormal, true);
  ASSERT_TRUE(QVTFileSystem::ChangeDirectory(before));
  EXPECT_EQ(list, (List{"a.txt", "B.TXT", "ro.txt", ".hiddendir/f.txt", "sub/d.txt", "sub/deeper/e.txt"}));
}

TEST_F(QVTFileSystemListing, DeleteFilesKeepsReadOnlyFilesFoldersAndLinkTargets) {
  ASSERT_EQ(::symlink((outside_ / "g.txt").c_str(), In("file-link").c_str()), 0);
  EXPECT_FALSE(QVTFileSystem::DeleteFiles(In("*.*"), QVTFileSystem::kMaskNormal));
  for (const char* gone : {"a.txt", "B.TXT", "c.log", "noext", "dangling", "file-link"})
    EXPECT_FALSE(Exists(In(gone))) << gone;
  for (const char* kept : {"ro.txt", ".hidden.txt", "pipe", "sub/d.txt", "outside"}) EXPECT_TRUE(Exists(In(kept))) << kept;
  EXPECT_EQ(ReadFile(outside_ / "g.txt"), "outside");

  EXPECT_TRUE(QVTFileSystem::DeleteFiles(In("*.txt"), sys::kAttrHidden));
  EXPECT_FALSE(Exists(In(".hidden.txt")));
  EXPECT_TRUE(QVTFileSystem::DeleteFiles(In("none*"), 0));
  // Folders are not files: asking for them removes nothing and fails.
  EXPECT_FALSE(QVTFileSystem::DeleteFiles(In("sub"), QVTFileSystem::kMaskDirectory));
  EXPECT_TRUE(Exists(In("sub/d.txt")));
}

TEST_F(QVTFileSystemListing, RecursiveDeletionNeverLeavesTheTree) {
  ::chmod(In("ro.txt").c_str(), 0644);
  EXPECT_TRUE(QVTFileSystem::DeleteDirectory(root_, true));
  EXPECT_FALSE(Exists(root_));
  EXPECT_EQ(ReadFile(outside_ / "g.txt"), "outside");
  EXPECT_TRUE(Exists(tree_.path()));
}

TEST_F(QVTFileSystemListing, RecursiveDeletionKeepsReadOnlyFilesAndFails) {
  EXPECT_FALSE(QVTFileSystem::DeleteDirectory(root_ + "/", true));
  EXPECT_EQ(ReadFile(In("ro.txt")), "ro.txt");
  EXPECT_FALSE(Exists(In("sub")));
  EXPECT_EQ(ReadFile(outside_ / "g.txt"), "outside");
}

TEST_F(QVTFileSystemListing, DeletingThroughALinkToAFolderIsRefused) {
  for (const std::string& link : {In("outside"), In("outside") + "/"}) {
    EXPECT_FALSE(QVTFileSystem::DeleteDirectory(link, true)) << link;
    EXPECT_EQ(ReadFile(outside_ / "g.txt"), "outside");
  }
  EXPECT_FALSE(QVTFileSystem::DeleteDirectory(In("sub"), false)) << "not empty";
  EXPECT_FALSE(QVTFileSystem::DeleteDirectory(In("a.txt"), true)) << "a file";
  EXPECT_FALSE(QVTFileSystem::DeleteDirectory(In("missing"), true));
  EXPECT_TRUE(QVTFileSystem::DeleteDirectory(In("sub/deeper/../deeper"), true));
  EXPECT_FALSE(Exists(In("sub/deeper")));
}

TEST_F(QVTFileSystemListing, DirectorySizeCountsFilesInsideTheTreeOnly) {
  // a.txt 5, B.TXT 5, c.log 5, noext 5, .hidden.txt 11, ro.txt 6; the
  // dangling link and the pipe have no size.
  EXPECT_EQ(QVTFileSystem::GetDirectorySize(root_, "*.*", false), 37);
  EXPECT_EQ(QVTFileSystem::GetDirectorySize(root_, "*.txt", true), 5 + 5 + 11 + 6 + 2 + 3 + 4);
  EXPECT_EQ(QVTFileSystem::GetDirectorySize(In("missing"), "*.*", true), 0);
}

TEST(QVTFileSystemSort, SortsWithOrWithoutCase) {
  QVTFileSystem::StringList list{"b", "A", "a", "C", "B"};
  QVTFileSystem::SortStringList(list, true);
  EXPECT_EQ(list, (QVTFileSystem::StringList{"A", "B", "C", "a", "b"}));
  list = {"b", "A", "a", "C", "B"};
  QVTFileSystem::SortStringList(list, false);
  EXPECT_EQ(list, (QVTFileSystem::StringList{"A", "a", "b", "B", "C"}));
}

struct FakeListBox {
  void AddString(const std::string& text) { added.push_back(text); }
  QVTFileSystem::StringList added;
};

TEST(QVTFileSystemFill, AddsEveryStringInListOrder) {
  FakeListBox box;
  QVTFileSystem::FillListBox(box, {"z", "a", "m"});
  QVTFileSystem::FillComboBox(box, {"q"});
  EXPECT_EQ(box.added, (QVTFileSystem::StringList{"z", "a", "m", "q"}));
}

}  // namespace
