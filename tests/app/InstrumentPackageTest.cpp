// Unpacking an instrument package: the entries but "Properties.txt" land in
// the package folder by their last names, in place of what it held; a
// package beyond the unpacking limits, one that cannot be opened and one
// that is damaged are refused with their reasons and the folder keeps
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

TEST_F(InstrumentPackageTest, EveryEntryButThePropertiesTakesThePlaceOfTheLastPackage) {
  const std::string package = MakePackage(folder_.Path("ctd.hip"), {{"Properties.txt", "Name=CTD\n"},
                                                                    {"defs/NMBP0417.cal", "INSTRUMENT NMBP\n"},
                                                                    {"qelhdr1.tdf", "HEADER\n"}});
  // The name the list selects is the file's own, without the stored folder.
  EXPECT_EQ(app::ExtractInstrumentPackage(package, target_), "NMBP0417.cal");
  EXPECT_EQ(notices_, std::vector<std::string>{});
  const std::map<std::string, std::string> expected = {{"NMBP0417.cal", "INSTRUMENT NMBP\n"},
                                                       {"qelhdr1.tdf", "HEADER\n"}};
  EXPECT_EQ(Contents(target_), expected);
  // Private to the user, and nothing of the staging left beside it.
  EXPECT_EQ(fs::status(target_).permissions() & fs::perms::all, fs::perms::owner_all);
  EXPECT_EQ(Contents(folder_.path() + "/").count("TEMP.old"), 0u);
  for (const auto& entry : fs::directory_iterator(folder_.path()))
    EXPECT_EQ(entry.path().filename().string().find("TEMP.new"), std::string::npos) << entry.path();
}

TEST_F(InstrumentPackageTest, NamesAreFlattenedSafely) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> entries;
    std::map<std::string, std::string> files;
    std::vector<std::string> notices;
  };
  const std::vector<Case> cases = {
      {"folders are skipped",
       {{"defs/", ""}, {"defs/a.cal", "A\n"}},
       {{"a.cal", "A\n"}},
       {}},
      {"a second entry of a name is left out",
       {{"one/a.cal", "first\n"}, {"two/a.cal", "second\n"}, {"b.tdf", "B\n"}},
       {{"a.cal", "first\n"}, {"b.tdf", "B\n"}},
       {"The file a.cal is in the Instrument Package file more than once; only the first is used."}},
      {"names that leave the folder are refused",
       {{"x/..", "up\n"}, {"x/.", "here\n"}, {"c.cal", "C\n"}},
       {{"c.cal", "C\n"}},
       {"The file x/.. in the Instrument Package file has no usable name.",
        "The file x/. in the Instrument Package file has no usable name."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    notices_.clear();
    const std::string package = MakePackage(folder_.Path(std::string(c.name) + ".hip"), c.entries);
    app::ExtractInstrumentPackage(package, target_);
    EXPECT_EQ(notices_, c.notices);
    EXPECT_EQ(Contents(target_), c.files);
  }
}

TEST_F(InstrumentPackageTest, ADamagedPackageKeepsTheFilesOfTheLastGoodOne) {
  const std::string good = MakePackage(folder_.Path("good.hip"), {{"good.cal", "GOOD\n"}});
  ASSERT_EQ(app::ExtractInstrumentPackage(good, target_), "good.cal");
  const std::map<std::string, std::string> before = Contents(target_);
  // A package whose second entry's data is spoilt after it was written:
  // the archive opens, the entry does not come out whole.
  std::string varied;
  for (int i = 0; varied.size() < 20000; ++i) varied += std::to_string(i * 2654435761u) + "\n";
  const std::string damaged = MakePackage(folder_.Path("damaged.hip"), {{"first.cal", "FIRST\n"}, {"big.cal", varied}});
  std::string bytes = apptest::ReadFile(damaged);
  for (std::size_t i = bytes.size() / 2; i < bytes.size() / 2 + 64; ++i) bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
  apptest::WriteFile(damaged, bytes);
  notices_.clear();
  EXPECT_EQ(app::ExtractInstrumentPackage(damaged, target_), "");
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_EQ(notices_[0], "The file big.cal could not be extractedfrom the Instrument Package file.");
  EXPECT_EQ(Contents(target_), before);
  for (const auto& entry : fs::directory_iterator(folder_.path()))
    EXPECT_EQ(entry.path().filename().string().find("TEMP.new"), std::string::npos) << entry.path();
}

TEST_F(InstrumentPackageTest, AFileTheSystemRefusesIsToldAndTheFolderKeepsWhatItHeld) {
  const std::map<std::string, std::string> before = Contents(target_);
  // A name longer than a folder entry can be: its file cannot be made.
  const std::string long_name = std::string(300, 'n') + ".cal";
  const std::string package = MakePackage(folder_.Path("long.hip"), {{"a.cal", "A\n"}, {long_name, "L\n"}});
  EXPECT_EQ(app::ExtractInstrumentPackage(package, target_), "");
  EXPECT_EQ(notices_, std::vector<std::string>{"The file " + long_name +
                                               " could not be extractedfrom the Instrument Package file."});
  EXPECT_EQ(Contents(target_), before);
  // The program goes on: the next good package is taken.
  const std::string good = MakePackage(folder_.Path("good.hip"), {{"b.cal", "B\n"}});
  EXPECT_EQ(app::ExtractInstrumentPackage(good, target_), "b.cal");
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
