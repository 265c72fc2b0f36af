// BuildExtractPath answers exactly where ExtractFile writes an entry, and
// nothing for a name that extraction refuses, for stored names of either
// kind of system and for hostile ones.
#include <gtest/gtest.h>

#include <filesystem>

#include "ZipTestSupport.h"
#include "zip/ZipArchive.h"
#include "zip/ZipException.h"

using ziptest::TempDir;

namespace {

const std::string kData = "entry data\n";

struct NameCase {
  std::string name;
  const char* full;  // below the folder with full paths; null: refused
  const char* flat;  // below the folder without them
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.name); }

// One archive of one entry, opened from disk, extracting into out/.
class ExtractPathAgrees : public ::testing::TestWithParam<NameCase> {
 protected:
  void SetUp() override {
    ziptest::WriteAll(dir_ / "in.zip", ziptest::OneStoredEntryArchive(GetParam().name, kData));
    zip_.Open(dir_ / "in.zip", CZipArchive::zipOpenReadOnly);
    ASSERT_EQ(zip_.GetCount(), 1);
    zip_.GetFileInfo(header_, 0);
    std::filesystem::create_directory(out());
  }
  void TearDown() override { zip_.Close(CZipArchive::afAfterException); }

  std::string out() const { return dir_ / "out"; }

  // Extracts the entry and checks that what BuildExtractPath answered is the
  // one file that appeared, or that a refused name left nothing.
  void Check(bool fullPath, const char* expected, const char* newName = nullptr) {
    SCOPED_TRACE(std::string(fullPath ? "full path" : "flat") + (newName ? std::string(", new name ") + newName : ""));
    const std::string answered = zip_.BuildExtractPath(header_.GetFileName(), out(), fullPath, newName);
    if (!expected) {
      EXPECT_EQ(answered, "");
      try {
        zip_.ExtractFile(0, out(), fullPath, newName);
        ADD_FAILURE() << "extracted";
      } catch (const CZipException& e) {
        EXPECT_EQ(e.m_iCause, CZipException::badZipFile);
      }
      EXPECT_TRUE(ziptest::Snapshot(dir_.path()).size() == 2) << "only in.zip and out/ may exist";
      return;
    }
    EXPECT_EQ(answered, out() + "/" + expected);
    ASSERT_TRUE(zip_.ExtractFile(0, out(), fullPath, newName));
    EXPECT_EQ(ziptest::ReadAll(answered), kData);
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(out()))
      if (!entry.is_directory()) ++files;
    EXPECT_EQ(files, 1u);
    std::filesystem::remove_all(out());
    std::filesystem::create_directory(out());
  }

  TempDir dir_;
  CZipArchive zip_;
  CZipEntryHeader header_;
};

TEST_P(ExtractPathAgrees, WithAndWithoutFullPaths) {
  Check(true, GetParam().full);
  Check(false, GetParam().flat);
}

// A new name replaces the entry's name, but never makes a hostile entry
// safe; a hostile new name is refused like a stored one.
TEST_P(ExtractPathAgrees, WithANewName) {
  const char* safe = GetParam().full ? "renamed.cal" : nullptr;
  Check(false, safe, "renamed.cal");
  Check(true, GetParam().full ? "sub/renamed.cal" : nullptr, "sub\\renamed.cal");
  Check(true, nullptr, "..\\renamed.cal");
  Check(false, nullptr, "");
}

INSTANTIATE_TEST_SUITE_P(
    Names, ExtractPathAgrees,
    ::testing::Values(NameCase{"a.txt", "a.txt", "a.txt"},
                      NameCase{"docs/sub/a.txt", "docs/sub/a.txt", "a.txt"},
                      NameCase{"tmperver\\share\\evil.txt", "tmperver/share/evil.txt", "evil.txt"},
                      NameCase{"mixed\\dir/file.cal", "mixed/dir/file.cal", "file.cal"},
                      NameCase{"..\\evil.txt", nullptr, nullptr},
                      NameCase{"../evil.txt", nullptr, nullptr},
                      NameCase{"docs\\..\\..\\evil.txt", nullptr, nullptr},
                      NameCase{"docs/sub\\..", nullptr, nullptr},
                      NameCase{".\\a.txt", nullptr, nullptr},
                      NameCase{"docs/./a.txt", nullptr, nullptr},
                      NameCase{"/tmp/evil.txt", nullptr, nullptr},
                      NameCase{"\\evil.txt", nullptr, nullptr},
                      NameCase{"C:\\evil.txt", nullptr, nullptr},
                      NameCase{"c:evil.txt", nullptr, nullptr},
                      NameCase{"\\\\server\\share\\evil.txt", nullptr, nullptr},
                      NameCase{"\\\\?\\UNC\\server\\evil.txt", nullptr, nullptr},
                      NameCase{"docs//a.txt", nullptr, nullptr},
                      NameCase{"docs\\\\a.txt", nullptr, nullptr},
                      NameCase{std::string("a\0b.txt", 7), nullptr, nullptr},
                      NameCase{"\\", nullptr, nullptr}));

// The caller's folder loses its trailing separators, but the root folder
// stays the root and never becomes the current folder.
TEST(ZipExtractPath, FolderForms) {
  CZipArchive zip;
  for (const char* folder : {"/t", "/t/", "/t//", "/t\\"})
    EXPECT_EQ(zip.BuildExtractPath("d\\a.txt", folder, true, nullptr), "/t/d/a.txt") << folder;
  for (const char* folder : {"/", "//"})
    EXPECT_EQ(zip.BuildExtractPath("d\\a.txt", folder, true, nullptr), "/d/a.txt") << folder;
  EXPECT_EQ(zip.BuildExtractPath("d\\a.txt", "", true, nullptr), "d/a.txt");
}

}  // namespace
