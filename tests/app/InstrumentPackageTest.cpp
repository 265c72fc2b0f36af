// Unpacking an instrument package: the entries but "Properties.txt" land in
// the target folder after its plain files are cleared; a package beyond
// the unpacking limits is refused with its reason and the folder keeps
// exactly what it held. (The texts keep the blank before their line break,
// which folding to one line doubles.)
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/InstrumentPackage.h"
#include "platform/sys/Notify.h"
#include "tests/app/AppTestFolder.h"
#include "zip/ZipArchive.h"
#include "zip/ZipMemoryFile.h"

namespace {

namespace fs = std::filesystem;

std::string MakePackage(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries) {
  CZipArchive zip;
  zip.Open(path, CZipArchive::zipCreate);
  for (const auto& [name, data] : entries) {
    CZipMemoryFile source;
    source.Write(data.data(), static_cast<UINT>(data.size()));
    EXPECT_TRUE(zip.AddNewFile(source, name, 9));
  }
  zip.Close();
  return path;
}

// Every file below root with its bytes.
std::map<std::string, std::string> Contents(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    files[fs::relative(entry.path(), root).string()] = entry.is_regular_file() ? apptest::ReadFile(entry.path()) : "/";
  return files;
}

class InstrumentPackageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_sink_ = sys::SetNoticeSink([this](const sys::Notice& notice) {
      notices_.push_back(sys::FoldToOneLine(notice.text));
      return sys::DefaultAnswer(notice);
    });
    fs::create_directories(target_ + "kept-folder");
    apptest::WriteFile(target_ + "old.cal", "an instrument unpacked before\n");
    apptest::WriteFile(target_ + "kept-folder/inner.cal", "not a plain file of the folder\n");
  }
  void TearDown() override { sys::SetNoticeSink(previous_sink_); }

  apptest::TempFolder folder_;
  std::string target_ = folder_.Path("TEMP") + "/";
  std::vector<std::string> notices_;
  sys::NoticeSink previous_sink_;
};

TEST_F(InstrumentPackageTest, EveryEntryButThePropertiesIsUnpackedIntoAClearedFolder) {
  const std::string package = MakePackage(folder_.Path("ctd.hip"), {{"Properties.txt", "Name=CTD\n"},
                                                                    {"defs/NMBP0417.cal", "INSTRUMENT NMBP\n"},
                                                                    {"qelhdr1.tdf", "HEADER\n"}});
  EXPECT_EQ(app::ExtractInstrumentPackage(package, target_), "defs/NMBP0417.cal");
  EXPECT_EQ(notices_, std::vector<std::string>{});
  const std::map<std::string, std::string> expected = {{"NMBP0417.cal", "INSTRUMENT NMBP\n"},
                                                       {"qelhdr1.tdf", "HEADER\n"},
                                                       {"kept-folder", "/"},
                                                       {"kept-folder/inner.cal", "not a plain file of the folder\n"}};
  EXPECT_EQ(Contents(target_), expected);
}

TEST_F(InstrumentPackageTest, APackageBeyondTheLimitsIsRefusedAndTheFolderKeepsWhatItHeld) {
  CZipExtractLimits limits;
  limits.max_entry_size = 8000;
  limits.max_total_size = 12000;
  limits.ratio_grace = 2000;
  const std::string text(5000, 't');  // one letter: far beyond any ratio
  std::string varied;
  for (int i = 0; varied.size() < 6000; ++i) varied += std::to_string(i * 2654435761u) + "\n";
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> entries;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"an entry too large", {{"a.cal", varied + varied}}, "the entry a.cal would take"},
      {"an entry that expands too far", {{"ok.cal", "x\n"}, {"bomb.cal", text}}, "the entry bomb.cal would expand"},
      {"entries too large together", {{"a.cal", varied}, {"b.cal", varied}, {"c.cal", varied}}, "its entries would take"},
  };
  const std::map<std::string, std::string> before = Contents(target_);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    notices_.clear();
    const std::string package = MakePackage(folder_.Path(std::string(c.name) + ".hip"), c.entries);
    EXPECT_EQ(app::ExtractInstrumentPackage(package, target_, limits), "");
    ASSERT_EQ(notices_.size(), 1u);
    const std::string start = "The Instrument Package file: " + package + "  is not unpacked: " + c.reason;
    EXPECT_EQ(notices_[0].rfind(start, 0), 0u) << notices_[0];
    EXPECT_EQ(Contents(target_), before);
  }
}

TEST_F(InstrumentPackageTest, APackageThatCannotBeOpenedLeavesTheFolderAsItWas) {
  const std::map<std::string, std::string> before = Contents(target_);
  apptest::WriteFile(folder_.Path("broken.hip"), "not a zip archive at all");
  EXPECT_EQ(app::ExtractInstrumentPackage(folder_.Path("broken.hip"), target_), "");
  EXPECT_EQ(notices_, std::vector<std::string>{"The Instrument Package file: " + folder_.Path("broken.hip") +
                                               "  could not be opened."});
  EXPECT_EQ(Contents(target_), before);
}

}  // namespace
