#include "platform/sys/IniFile.h"
#include "platform/sys/IniProfileFunctions.h"
#include "platform/sys/SettingsStoreFile.h"
#include "platform/sys/SettingsStoreTypes.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using namespace sys;
using namespace std::string_literals;

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "briven-ini-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    file_ = folder_ + "/Bars.ini";
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }

  void Put(const std::string& text) { std::ofstream(file_, std::ios::binary) << text; }
  std::string Contents() const {
    std::ifstream in(file_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string Get(const char* section, const char* key, const char* fallback = "<default>") const {
    char buffer[256];
    const DWORD length = GetPrivateProfileStringA(section, key, fallback, buffer, sizeof buffer, file_.c_str());
    return std::string(buffer, length);
  }

  std::string folder_;
  std::string file_;
};

TEST_F(IniFileTest, ReadsValuesAsProfileReadersDo) {
  Put("top=outside any section\r\n"
      "; a comment\r\n"
      "[Control Bars-Summary]\r\n"
      "Bars = 3 \r\n"
      "Quoted=\"  padded  \"\r\n"
      "Single='x'\r\n"
      "Half=\"open\r\n"
      "Equals=a=b\r\n"
      "Empty=\r\n"
      "no equals sign here\r\n"
      "  [ Spaced ]  \r\n"
      "Key=spaced section\r\n"
      "[control bars-summary]\r\n"
      "Bars=second copy is not read\r\n");
  const struct {
    const char* section;
    const char* key;
    const char* expected;
  } cases[] = {
      {"Control Bars-Summary", "Bars", "3"},
      {"CONTROL BARS-SUMMARY", "bars", "3"},
      {"Control Bars-Summary", "Quoted", "  padded  "},
      {"Control Bars-Summary", "Single", "x"},
      {"Control Bars-Summary", "Half", "\"open"},
      {"Control Bars-Summary", "Equals", "a=b"},
      {"Control Bars-Summary", "Empty", ""},
      {"Control Bars-Summary", "no equals sign here", "<default>"},
      {"Control Bars-Summary", "top", "<default>"},
      {"Spaced", "Key", "spaced section"},
      {"Missing", "Bars", "<default>"},
  };
  for (const auto& c : cases) EXPECT_EQ(Get(c.section, c.key), c.expected) << c.section << "/" << c.key;
  EXPECT_EQ(Get("Missing", "Bars", "fallback   "), "fallback");
  EXPECT_EQ(Get("Missing", "Bars", nullptr), "");

  char small[4];
  EXPECT_EQ(GetPrivateProfileStringA("Spaced", "Key", "", small, sizeof small, file_.c_str()), 3u);
  EXPECT_STREQ(small, "spa");
}

TEST_F(IniFileTest, ListsSectionsAndKeysAndCutsThemToTheBuffer) {
  Put("[One]\nalpha=1\nbeta=2\n[Two]\n[one]\ngamma=3\n");
  char buffer[64];
  DWORD length = GetPrivateProfileStringA(nullptr, nullptr, "", buffer, sizeof buffer, file_.c_str());
  EXPECT_EQ(std::string(buffer, length + 1), "One\0Two\0\0"s);
  length = GetPrivateProfileStringA("ONE", nullptr, "", buffer, sizeof buffer, file_.c_str());
  EXPECT_EQ(std::string(buffer, length + 1), "alpha\0beta\0\0"s);

  // "alpha\0beta\0\0" needs 12; 9 cuts the list at size - 2 with two zeros.
  length = GetPrivateProfileStringA("One", nullptr, "", buffer, 9, file_.c_str());
  EXPECT_EQ(length, 7u);
  EXPECT_EQ(std::string(buffer, 9), "alpha\0b\0\0"s);
  length = GetPrivateProfileStringA("One", nullptr, "", buffer, 7, file_.c_str());
  EXPECT_EQ(length, 5u);
  EXPECT_EQ(std::string(buffer, 7), "alpha\0\0"s);
  length = GetPrivateProfileStringA("Two", nullptr, "", buffer, sizeof buffer, file_.c_str());
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(buffer[0], '\0');
}

TEST_F(IniFileTest, IntegersTakeTheLeadingNumber) {
  Put("[S]\nplain=12\nnegative= -5\ntrailing=7abc\nword=abc\nempty=\n");
  const struct {
    const char* key;
    int expected;
  } cases[] = {{"plain", 12}, {"negative", -5}, {"trailing", 7}, {"word", 0}, {"empty", 99}, {"missing", 99}};
  for (const auto& c : cases)
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("S", c.key, 99, file_.c_str())), c.expected) << c.key;
  EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("S", "plain", 99, (folder_ + "/none.ini").c_str())), 99);
}

TEST_F(IniFileTest, WritesKeepEveryOtherLine) {
  Put("; layout of the bars\n[A]\nx=1\n\n; about B\n[B]\ny=2\n");
  fs::permissions(file_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(WritePrivateProfileStringA("a", "X", "10", file_.c_str()));
  EXPECT_EQ(fs::status(file_).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(WritePrivateProfileStringA("A", "z", "3", file_.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("C", "w", "4", file_.c_str()));
  EXPECT_EQ(Contents(), "; layout of the bars\n[A]\nx=10\nz=3\n\n; about B\n[B]\ny=2\n\n[C]\nw=4\n");

  ASSERT_TRUE(WritePrivateProfileStringA("A", "x", nullptr, file_.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("b", nullptr, nullptr, file_.c_str()));
  EXPECT_EQ(Contents(), "; layout of the bars\n[A]\nz=3\n\n; about B\n[C]\nw=4\n");
  ASSERT_TRUE(WritePrivateProfileStringA("Gone", nullptr, nullptr, file_.c_str()));  // nothing to delete
}

TEST_F(IniFileTest, AwkwardValuesComeBackAsWritten) {
  const char* values[] = {"  leading and trailing  ", "\"quoted\"", "'single'", "a=b;c", "caf\xC3\xA9", "", "\""};
  for (const char* value : values) {
    ASSERT_TRUE(WritePrivateProfileStringA("Values", "v", value, file_.c_str())) << value;
    EXPECT_EQ(Get("Values", "v"), value);
  }
  EXPECT_EQ(Contents().rfind("[Values]\r\n", 0), 0u);  // a new file takes CR LF line ends
}

TEST_F(IniFileTest, RefusesWhatTheFormatCannotHold) {
  Put("[S]\nk=v\n");
  const std::string before = Contents();
  const struct {
    const char* section;
    const char* key;
    const char* value;
  } refused[] = {
      {"S", "k", "two\nlines"}, {"S", "k", "cr\r"}, {"S", "a=b", "v"},    {"S", "[k", "v"},
      {"S", ";k", "v"},         {"S", "", "v"},     {"S", " k", "v"},     {"S]", "k", "v"},
      {"S\n", "k", "v"},
  };
  for (const auto& c : refused) {
    IniFile ini(file_);
    EXPECT_FALSE(ini.WriteString(c.section, c.key, c.value)) << c.section << "/" << c.key;
    EXPECT_EQ(ini.LastResult(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(ini.LastError().rfind(file_ + ": ", 0), 0u);
  }
  EXPECT_EQ(Contents(), before);

  IniFile elsewhere(folder_ + "/no such folder/x.ini");
  EXPECT_FALSE(elsewhere.WriteString("S", "k", "v"));
  EXPECT_EQ(elsewhere.LastResult(), ERROR_FILE_NOT_FOUND);
  EXPECT_NE(elsewhere.LastError().find("no such folder/x.ini: "), std::string::npos);
  EXPECT_FALSE(fs::exists(folder_ + "/no such folder"));
}

TEST_F(IniFileTest, TwoProcessesWritingAtOnceLoseNothing) {
  constexpr int kWrites = 100;
  pid_t children[2];
  for (int child = 0; child < 2; ++child) {
    children[child] = ::fork();
    ASSERT_GE(children[child], 0);
    if (children[child] == 0) {
      bool ok = true;
      const std::string section = "Writer" + std::to_string(child);
      for (int i = 0; i < kWrites; ++i)
        ok = WritePrivateProfileStringA(section.c_str(), ("k" + std::to_string(i)).c_str(),
                                        std::to_string(i).c_str(), file_.c_str()) && ok;
      ::_exit(ok ? 0 : 1);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  for (int child = 0; child < 2; ++child)
    for (int i = 0; i < kWrites; ++i)
      EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA(("Writer" + std::to_string(child)).c_str(),
                                                       ("k" + std::to_string(i)).c_str(), -1, file_.c_str())),
                i);
}

TEST_F(IniFileTest, WriterKilledBeforeItsRenameLeavesTheOldFile) {
  ASSERT_TRUE(WritePrivateProfileStringA("S", "kept", "old", file_.c_str()));
  const std::string before = Contents();
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    SettingsStoreFile file(file_);
    if (file.Lock(false)) ::_exit(1);
    std::ofstream(file_ + ".tmp-424242-1") << "[S]\nkept=ha";
    ::raise(SIGKILL);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_EQ(Contents(), before);
  EXPECT_EQ(Get("S", "kept"), "old");
  ASSERT_TRUE(WritePrivateProfileStringA("S", "next", "1", file_.c_str()));
  EXPECT_EQ(Get("S", "kept"), "old");
  EXPECT_FALSE(fs::exists(file_ + ".tmp-424242-1"));
}

}  // namespace
