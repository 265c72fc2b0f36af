#include "platform/sys/RegistryProfile.h"
#include "platform/sys/SettingsStoreApi.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using namespace sys;
using namespace std::string_literals;

class RegistryProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "briven-profile-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }

  // Puts a value of any type where the profile keeps "Settings".
  void Plant(const char* name, DWORD type, const std::string& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Harwendel\\Briven\\Settings", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  std::string folder_;
  RegistryProfile profile_{"Harwendel", "Briven"};
};

TEST_F(RegistryProfileTest, ValuesRoundTripUnderTheApplicationKey) {
  EXPECT_TRUE(profile_.WriteInt("Settings", "Save Settings", -1));
  EXPECT_TRUE(profile_.WriteString("Settings", "Conversion Log Directory", "/data/logs/\n\"x\"=1"));
  const std::vector<unsigned char> buttons{0x01, 0x00, 0x00, 0x00, 0x00, 0xFF};
  EXPECT_TRUE(profile_.WriteBinary("Control Bars-Bar0", "Buttons", buttons));
  EXPECT_TRUE(profile_.WriteBinary("Control Bars-Bar0", "Empty", {}));

  RegistryProfile again("HARWENDEL", "briven");  // names ignore case, as the registry's do
  EXPECT_EQ(again.GetInt("settings", "SAVE SETTINGS", 7), -1);
  EXPECT_EQ(again.GetString("Settings", "Conversion Log Directory", "-1"), "/data/logs/\n\"x\"=1");
  std::vector<unsigned char> read;
  ASSERT_TRUE(again.GetBinary("Control Bars-Bar0", "Buttons", read));
  EXPECT_EQ(read, buttons);
  read = {9};
  ASSERT_TRUE(again.GetBinary("Control Bars-Bar0", "Empty", read));
  EXPECT_TRUE(read.empty());

  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Harwendel\\Briven\\Control Bars-Bar0", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST_F(RegistryProfileTest, DeletingASectionRemovesItsKeysAndSparesItsNeighbours) {
  EXPECT_TRUE(profile_.DeleteSection("Control Bars-Bar0"));  // nothing stored yet
  ASSERT_TRUE(profile_.WriteInt("Control Bars-Bar0", "Visible", 0));
  ASSERT_TRUE(profile_.WriteInt("Control Bars-Bar1", "Visible", 0));
  EXPECT_TRUE(profile_.DeleteSection("control bars-bar0"));
  EXPECT_EQ(profile_.GetInt("Control Bars-Bar0", "Visible", 1), 1);
  EXPECT_EQ(profile_.GetInt("Control Bars-Bar1", "Visible", 1), 0);
  EXPECT_TRUE(profile_.DeleteSection("Control Bars-Bar0"));  // already gone
  ASSERT_TRUE(profile_.WriteInt("Control Bars-Bar0", "BarID", 59392));
  EXPECT_EQ(profile_.GetInt("Control Bars-Bar0", "BarID", 0), 59392);
}

TEST(MemoryProfileTest, DeletingASectionRemovesOnlyItsKeys) {
  MemoryProfile profile;
  profile.WriteInt("Bars", "Visible", 0);
  profile.WriteString("Bars", "Title", "x");
  profile.WriteInt("Bars-1", "Visible", 0);
  EXPECT_EQ(profile.KeyNames("BARS"), (std::vector<std::string>{"title", "visible"}));
  EXPECT_TRUE(profile.DeleteSection("bars"));
  EXPECT_TRUE(profile.KeyNames("Bars").empty());
  EXPECT_EQ(profile.KeyNames("Bars-1"), std::vector<std::string>{"visible"});
}

TEST_F(RegistryProfileTest, MissingAndMistypedValuesGiveTheDefault) {
  Plant("short text", REG_SZ, "12\0"s);  // four bytes or fewer: not to be taken for a dword
  Plant("number", REG_DWORD, "\x05\0\0\0"s);
  Plant("odd dword", REG_DWORD, "\x05\0"s);
  Plant("unterminated", REG_SZ, "abc");
  Plant("bytes", REG_BINARY, "\x01\x02");

  EXPECT_EQ(profile_.GetInt("Settings", "missing", -1), -1);
  EXPECT_EQ(profile_.GetInt("No Such Section", "number", -1), -1);
  EXPECT_EQ(profile_.GetInt("Settings", "short text", -1), -1);
  EXPECT_EQ(profile_.GetInt("Settings", "odd dword", -1), -1);
  EXPECT_EQ(profile_.GetInt("Settings", "number", -1), 5);

  EXPECT_EQ(profile_.GetString("Settings", "missing", "-1"), "-1");
  EXPECT_EQ(profile_.GetString("Settings", "number", "-1"), "-1");
  EXPECT_EQ(profile_.GetString("Settings", "unterminated", "-1"), "abc");
  EXPECT_EQ(profile_.GetString("Settings", "short text", "-1"), "12");

  std::vector<unsigned char> read{7};
  EXPECT_FALSE(profile_.GetBinary("Settings", "short text", read));
  EXPECT_FALSE(profile_.GetBinary("Settings", "missing", read));
  EXPECT_EQ(read, std::vector<unsigned char>{7});
  EXPECT_TRUE(profile_.GetBinary("Settings", "bytes", read));
  EXPECT_EQ(read, (std::vector<unsigned char>{1, 2}));
  // Reading never creates the keys it looks in.
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Harwendel\\Briven\\No Such Section", 0, KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryProfileTest, WriteThatCannotReachTheStoreFails) {
  // The configuration folder's place is taken by a plain file.
  fs::remove_all(folder_);
  std::ofstream(folder_) << "not a folder";
  std::vector<std::string> reports;
  SettingsStore::Default().SetReporter(
      [&](const std::string& file, const std::string& reason) { reports.push_back(file + ": " + reason); });
  EXPECT_FALSE(profile_.WriteInt("Settings", "Save Settings", 1));
  EXPECT_EQ(profile_.GetInt("Settings", "Save Settings", -1), -1);
  SettingsStore::Default().SetReporter(nullptr);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].rfind(folder_ + "/briven/current-user.settings: ", 0), 0u) << reports[0];
  fs::remove(folder_);
}

}  // namespace
