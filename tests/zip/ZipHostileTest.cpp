// Archives that lie or try to escape are refused with a clear cause, no
// hang, no file left behind and nothing changed outside the target.
#include <gtest/gtest.h>

#include <filesystem>

#include "ZipTestSupport.h"
#include "platform/sys/FileException.h"
#include "zip/ZipArchive.h"
#include "zip/ZipException.h"
#include "zip/ZipMemoryFile.h"

using ziptest::Fixture;
using ziptest::TempDir;

namespace {

struct OpenCase {
  const char* archive;
  int cause;
  const char* detail;  // part of what() that names the reason
};

class RefusedOnOpen : public ::testing::TestWithParam<OpenCase> {};

TEST_P(RefusedOnOpen, WithClearCause) {
  CZipArchive zip;
  try {
    zip.Open(Fixture(GetParam().archive), CZipArchive::zipOpenReadOnly);
    ADD_FAILURE() << "opened";
  } catch (const CZipException& e) {
    EXPECT_EQ(e.m_iCause, GetParam().cause);
    EXPECT_NE(std::string(e.what()).find(GetParam().detail), std::string::npos) << e.what();
  }
  EXPECT_TRUE(zip.IsClosed());
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, RefusedOnOpen,
    ::testing::Values(OpenCase{"zip64-sentinel.zip", 101, "ZIP64"}, OpenCase{"zip64-extra.zip", 101, "ZIP64"},
                      OpenCase{"zip64-locator.zip", 101, "ZIP64"},
                      OpenCase{"split-disk.zip", 101, "multi-volume"},
                      OpenCase{"entry-other-disk.zip", 101, "another volume"},
                      OpenCase{"truncated-cd.zip", 101, "Damaged"},
                      OpenCase{"eocd-comment-lie.zip", 116, "central directory was not found"},
                      OpenCase{"overlap-same.zip", 101, "overlap"}, OpenCase{"overlap-inside.zip", 101, "overlap"},
                      OpenCase{"cd-claims-huge.zip", 101, "overlaps the end record"},
                      OpenCase{"x.cal", 116, "central directory"}));

struct ExtractCase {
  const char* archive;
  int cause;
};

class RefusedOnExtract : public ::testing::TestWithParam<ExtractCase> {};

TEST_P(RefusedOnExtract, LeavesNoFile) {
  TempDir dir;
  CZipArchive zip;
  zip.Open(Fixture(GetParam().archive), CZipArchive::zipOpenReadOnly);
  const WORD last = static_cast<WORD>(zip.GetCount() - 1);
  try {
    zip.ExtractFile(last, dir.path(), false);
    ADD_FAILURE() << "extracted";
  } catch (const CZipException& e) {
    EXPECT_EQ(e.m_iCause, GetParam().cause) << e.what();
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  // The archive is still usable after a refused entry.
  CZipMemoryFile memory;
  EXPECT_THROW(zip.ExtractFile(last, memory), CZipException);
  EXPECT_EQ(memory.GetLength(), 0);
  EXPECT_THROW(zip.TestFile(last), CZipException);
  zip.Close();
}

INSTANTIATE_TEST_SUITE_P(Hostile, RefusedOnExtract,
                         ::testing::Values(ExtractCase{"method-aes.zip", 101}, ExtractCase{"method-bzip2.zip", 101},
                                           ExtractCase{"stored-size-lie.zip", 101},
                                           ExtractCase{"deflated-size-short.zip", 101},
                                           ExtractCase{"deflated-size-short-crc.zip", 101},
                                           ExtractCase{"deflated-truncated.zip", CZipException::zlibBuffer},
                                           ExtractCase{"encrypted-short.zip", 101},
                                           ExtractCase{"crc-error.zip", 102}));

class ShorterThanDeclared : public ::testing::TestWithParam<const char*> {};

// A stream that ends before its declared size (up to a claimed 4 GB) is
// not read through: extraction and testing say FALSE, nothing is left
// behind, nothing grows towards the claim, and the next entry can be read.
TEST_P(ShorterThanDeclared, IsNotExtractedAndLeavesNothing) {
  TempDir dir;
  CZipArchive zip;
  zip.Open(Fixture(GetParam()), CZipArchive::zipOpenReadOnly);
  EXPECT_FALSE(zip.ExtractFile(0, dir.path(), false));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  CZipMemoryFile memory;
  memory.Write("kept", 4);
  EXPECT_FALSE(zip.ExtractFile(0, memory));
  EXPECT_EQ(memory.GetLength(), 4);
  EXPECT_FALSE(zip.TestFile(0));
  ASSERT_TRUE(zip.OpenFile(0));
  char buffer[4096];
  EXPECT_EQ(zip.ReadFile(buffer, sizeof buffer), 1024u);
  EXPECT_EQ(zip.ReadFile(buffer, sizeof buffer), 0u);
  EXPECT_EQ(zip.CloseFile(), -1);
  zip.Close();
}

INSTANTIATE_TEST_SUITE_P(Hostile, ShorterThanDeclared,
                         ::testing::Values("deflated-size-long.zip", "deflated-claims-4gb.zip"));

class Traversal : public ::testing::TestWithParam<const char*> {};

// The target sits inside a parent folder with a sibling; a snapshot of the
// parent shows that only the safe entry appeared.
TEST_P(Traversal, NothingOutsideTheTargetChanges) {
  TempDir root;
  std::filesystem::create_directories(root / "target");
  std::filesystem::create_directories(root / "sibling");
  ziptest::WriteAll(root / "sibling/keep.txt", "keep");
  const auto before = ziptest::Snapshot(root.path());
  CZipArchive zip;
  zip.Open(Fixture(std::string("traversal-") + GetParam() + ".zip"), CZipArchive::zipOpenReadOnly);
  ASSERT_EQ(zip.GetCount(), 2);
  for (bool fullPath : {false, true}) {
    for (WORD i = 0; i < 2; ++i) {
      CZipEntryHeader h;
      zip.GetFileInfo(h, i);
      if (h.GetFileName() == "safe.txt") {
        EXPECT_TRUE(zip.ExtractFile(i, root / "target", fullPath));
        continue;
      }
      try {
        zip.ExtractFile(i, root / "target", fullPath);
        ADD_FAILURE() << "extracted " << h.GetFileName();
      } catch (const CZipException& e) {
        EXPECT_EQ(e.m_iCause, CZipException::badZipFile);
        EXPECT_NE(std::string(e.what()).find("entry name"), std::string::npos) << e.what();
      }
    }
  }
  auto after = ziptest::Snapshot(root.path());
  EXPECT_EQ(after.erase("target/safe.txt"), 1u);
  EXPECT_EQ(after, before);
  zip.Close();
}

INSTANTIATE_TEST_SUITE_P(Hostile, Traversal,
                         ::testing::Values("dotdot", "nested-dotdot", "absolute", "drive", "unc", "dot", "empty",
                                           "nul", "backslash-dotdot"));

TEST(ZipHostile, SymbolicLinkInTheTargetIsNotFollowed) {
  TempDir root;
  std::filesystem::create_directories(root / "target");
  std::filesystem::create_directories(root / "elsewhere");
  std::filesystem::create_directory_symlink(root / "elsewhere", root / "target/docs");
  CZipArchive zip;
  zip.Open(Fixture("infozip-deflated.zip"), CZipArchive::zipOpenReadOnly);
  const int index = zip.FindFile("docs/x.cal");
  EXPECT_THROW(zip.ExtractFile(static_cast<WORD>(index), root / "target", true), sys::CFileException);
  EXPECT_TRUE(std::filesystem::is_empty(root / "elsewhere"));
  zip.Close();
}

TEST(ZipHostile, ExistingSymlinkAtTheTargetNameIsReplacedNotFollowed) {
  TempDir root;
  std::filesystem::create_directories(root / "target");
  ziptest::WriteAll(root / "victim.txt", "victim");
  std::filesystem::create_symlink(root / "victim.txt", root / "target/y.tdf");
  CZipArchive zip;
  zip.Open(Fixture("infozip-deflated.zip"), CZipArchive::zipOpenReadOnly);
  EXPECT_TRUE(zip.ExtractFile(static_cast<WORD>(zip.FindFile("y.tdf")), root / "target", false));
  EXPECT_EQ(ziptest::ReadAll(root / "victim.txt"), "victim");
  EXPECT_FALSE(std::filesystem::is_symlink(root / "target/y.tdf"));
  EXPECT_EQ(ziptest::ReadAll(root / "target/y.tdf"), "tdf\n");
  zip.Close();
}

}  // namespace
