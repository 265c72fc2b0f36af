#include "platform/sys/Format.h"
#include "platform/sys/SettingsStore.h"
#include "platform/sys/SettingsStoreApi.h"
#include "platform/sys/SettingsStoreLimits.h"
#include "platform/sys/SettingsStoreText.h"

#include <csignal>
#include <cstdio>
#include <functional>
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

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Permissions mean nothing to root: there the body runs in a child that
// has become "nobody", and tells its outcome by its exit status.
bool AsUnprivileged(const std::string& folder, const std::function<bool()>& body) {
  if (::geteuid() != 0) return body();
  constexpr uid_t kNobody = 65534;
  std::error_code ec;
  for (const auto& entry : fs::recursive_directory_iterator(folder, ec))
    if (::lchown(entry.path().c_str(), kNobody, kNobody) != 0) return false;
  if (::chown(folder.c_str(), kNobody, kNobody) != 0) return false;
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(2);
    ::_exit(body() ? 0 : 1);
  }
  int status = 0;
  return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A key line naming a chain of keys called "k", depth levels deep.
std::string ChainLine(std::size_t depth, const std::string& name = "k") {
  std::string line = "[";
  for (std::size_t i = 0; i < depth; ++i) line += (i ? "\\" : "") + name;
  return line + "]\n";
}

// One key holding count values, "v0" to "v<count-1>", in that order.
std::string ManyValuesText(std::size_t count) {
  std::string text = "[Many]\n";
  for (std::size_t i = 0; i < count; ++i) text += "\"v" + std::to_string(i) + "\"=dword:00000001\n";
  return text;
}

bool Check(bool condition, const char* what) {
  if (!condition) std::fprintf(stderr, "check failed: %s\n", what);
  return condition;
}

// Each test gets its own configuration folder, so the user's own settings
// are never touched and parallel tests never meet.
class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "briven-store-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
    SettingsStore::Default().SetReporter([this](const std::string& file, const std::string& reason) {
      reports_.push_back(file + ": " + reason);
    });
  }
  void TearDown() override {
    SettingsStore::Default().SetReporter(nullptr);
    std::error_code ec;
    fs::permissions(folder_, fs::perms::owner_all, ec);
    fs::remove_all(folder_, ec);
  }

  std::string UserFile() const { return folder_ + "/briven/current-user.settings"; }

  HKEY Create(const char* path, HKEY root = HKEY_CURRENT_USER) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    EXPECT_EQ(RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    return key;
  }

  static std::string Query(HKEY key, const char* name, DWORD* type = nullptr) {
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, type, nullptr, &size) != ERROR_SUCCESS) return "<missing>";
    std::string bytes(size, '\0');
    EXPECT_EQ(RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(bytes.data()), &size),
              ERROR_SUCCESS);
    return bytes;
  }

  static LONG Set(HKEY key, const char* name, DWORD type, const std::string& bytes) {
    return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
  }

  std::string folder_;
  std::vector<std::string> reports_;
};

TEST_F(SettingsStoreTest, EveryTypeAndAnyBytesSurviveTheFile) {
  std::string all_bytes;
  for (int i = 0; i < 256; ++i) all_bytes.push_back(static_cast<char>(i));
  const struct {
    const char* name;
    DWORD type;
    std::string bytes;
  } cases[] = {
      {"plain", REG_SZ, "Harwendel\0"s},
      {"awkward=\"name\"\n\\", REG_SZ, "a=b \"q\"\r\n\ttab \\ [x] ; # \xC3\xA9\xE2\x82\xAC\0"s},
      {"", REG_SZ, "the default value\0"s},
      {"no terminator", REG_SZ, "abc"},
      {"inner zero", REG_SZ, "a\0b\0"s},
      {"broken utf-8", REG_SZ, "\xC3\x28 \xFF \xED\xA0\x80\0"s},
      {"expand", REG_EXPAND_SZ, "%HOME%/x\0"s},
      {"dword", REG_DWORD, "\x2a\x00\x00\x80"s},
      {"short dword", REG_DWORD, "\x01"},
      {"binary", REG_BINARY, all_bytes},
      {"empty binary", REG_BINARY, ""},
      {"multi", REG_MULTI_SZ, "one\0two words\0\0"s},
      {"empty multi", REG_MULTI_SZ, "\0"s},
      {"multi of one empty", REG_MULTI_SZ, "\0\0"s},
      {"unterminated multi", REG_MULTI_SZ, "a\0b"s},
      {"odd type", 0x42, all_bytes},
  };
  HKEY key = Create("Software\\Harwendel\\Briven\\All [types] %20 \n\x01\xff end");
  for (const auto& c : cases) ASSERT_EQ(Set(key, c.name, c.type, c.bytes), ERROR_SUCCESS) << c.name;
  RegCloseKey(key);

  // A second store reads the file afresh, with nothing cached.
  SettingsStore fresh;
  HKEY reread = nullptr;
  ASSERT_EQ(fresh.OpenKey(HKEY_CURRENT_USER, "software\\HARWENDEL\\briven\\all [TYPES] %20 \n\x01\xff END", KEY_READ, &reread),
            ERROR_SUCCESS);
  for (const auto& c : cases) {
    DWORD type = 0;
    DWORD size = 70000;
    std::string bytes(size, '\0');
    ASSERT_EQ(fresh.QueryValue(reread, c.name, &type, reinterpret_cast<BYTE*>(bytes.data()), &size), ERROR_SUCCESS)
        << c.name;
    bytes.resize(size);
    EXPECT_EQ(type, c.type) << c.name;
    EXPECT_EQ(bytes, c.bytes) << c.name;
  }
  EXPECT_TRUE(reports_.empty());
}

TEST_F(SettingsStoreTest, FileIsReadableTextInAStableOrder) {
  HKEY key = Create("Software\\Harwendel\\Briven\\Settings");
  Set(key, "Save Settings", REG_DWORD, "\x01\0\0\0"s);
  Set(key, "Conversion Log Directory", REG_SZ, "/data/logs/\0"s);
  Set(key, "Buttons", REG_BINARY, "\x01\xff");
  Create("Software\\Harwendel\\Briven\\Log View");
  EXPECT_EQ(fs::status(UserFile()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  const std::string text = ReadFile(UserFile());
  EXPECT_NE(text.find("[Software\\Harwendel\\Briven\\Log View]\n"
                      "[Software\\Harwendel\\Briven\\Settings]\n"
                      "\"Save Settings\"=dword:00000001\n"
                      "\"Conversion Log Directory\"=sz:\"/data/logs/\"\n"
                      "\"Buttons\"=hex:01,ff\n"),
            std::string::npos)
      << text;
  // Writing the same value again changes nothing on disk.
  const auto before = fs::last_write_time(UserFile());
  const std::string inode_probe = text;
  Set(key, "SAVE SETTINGS", REG_DWORD, "\x01\0\0\0"s);
  EXPECT_EQ(ReadFile(UserFile()), inode_probe);
  EXPECT_EQ(fs::last_write_time(UserFile()), before);
}

TEST_F(SettingsStoreTest, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
  HKEY key = Create("Software\\MixedCase");
  HKEY again = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\mixedcase\\", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &again, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, DWORD{REG_OPENED_EXISTING_KEY});
  Set(key, "Value", REG_SZ, "1\0"s);
  Set(again, "VALUE", REG_SZ, "2\0"s);
  EXPECT_EQ(Query(key, "value"), "2\0"s);
  char name[32];
  DWORD size = sizeof name;
  ASSERT_EQ(RegEnumValueA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_STREQ(name, "Value");
  HKEY software = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "software", 0, KEY_READ, &software), ERROR_SUCCESS);
  size = sizeof name;
  ASSERT_EQ(RegEnumKeyExA(software, 0, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_STREQ(name, "MixedCase");
  EXPECT_EQ(size, 9u);
}

TEST_F(SettingsStoreTest, EnumerationGivesKeysByNameValuesInWrittenOrder) {
  HKEY key = Create("Enum");
  for (const char* name : {"delta", "Alpha", "charlie", "Bravo"}) RegCloseKey(Create(name, key));
  for (const char* name : {"z", "a", "m"}) Set(key, name, REG_SZ, "\0"s);

  std::vector<std::string> keys, values;
  char name[64];
  DWORD size = sizeof name;
  for (DWORD i = 0; RegEnumKeyExA(key, i, name, &(size = sizeof name), nullptr, nullptr, nullptr, nullptr) ==
                    ERROR_SUCCESS;
       ++i)
    keys.push_back(name);
  for (DWORD i = 0; RegEnumValueA(key, i, name, &(size = sizeof name), nullptr, nullptr, nullptr, nullptr) ==
                    ERROR_SUCCESS;
       ++i)
    values.push_back(name);
  EXPECT_EQ(keys, (std::vector<std::string>{"Alpha", "Bravo", "charlie", "delta"}));
  EXPECT_EQ(values, (std::vector<std::string>{"z", "a", "m"}));

  size = 4;
  EXPECT_EQ(RegEnumKeyExA(key, 2, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  EXPECT_EQ(size, 7u);
  size = sizeof name;
  EXPECT_EQ(RegEnumKeyExA(key, 4, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(RegEnumValueA(key, 3, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);

  DWORD subkeys = 0, longest_key = 0, values_count = 0, longest_name = 0, longest_data = 0;
  ASSERT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, &longest_key, nullptr, &values_count,
                             &longest_name, &longest_data, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subkeys, 4u);
  EXPECT_EQ(longest_key, 7u);
  EXPECT_EQ(values_count, 3u);
  EXPECT_EQ(longest_name, 1u);
  EXPECT_EQ(longest_data, 1u);
}

TEST_F(SettingsStoreTest, ResultsFollowTheWin32Numbers) {
  HKEY key = Create("Results");
  Set(key, "text", REG_SZ, "12345\0"s);
  HKEY opened = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Results\\missing", 0, KEY_READ, &opened), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(opened, nullptr);

  BYTE small[3];
  DWORD size = sizeof small;
  EXPECT_EQ(RegQueryValueExA(key, "text", nullptr, nullptr, small, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(RegQueryValueExA(key, "none", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteValueA(key, "none"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegSetValueExA(key, "x", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);

  RegCloseKey(Create("Results\\Child\\Grandchild"));
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Results\\Child"), ERROR_ACCESS_DENIED);  // not empty
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Results\\Nothing"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);  // a root stays

  HKEY read_only = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Results", 0, KEY_READ, &read_only), ERROR_SUCCESS);
  EXPECT_EQ(Set(read_only, "text", REG_SZ, "\0"s), ERROR_ACCESS_DENIED);

  // A handle on a deleted key, and a handle that was closed.
  ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Results\\Child\\Grandchild"), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Results\\Child"), ERROR_SUCCESS);
  HKEY child = nullptr;
  EXPECT_EQ(RegOpenKeyExA(key, "child", 0, KEY_READ, &child), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegCloseKey(read_only), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExA(read_only, "text", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(read_only), ERROR_INVALID_HANDLE);
  RegCloseKey(Create("Gone"));
  HKEY gone = Create("Gone");
  ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Gone"), ERROR_SUCCESS);
  EXPECT_EQ(Set(gone, "v", REG_SZ, "\0"s), ERROR_KEY_DELETED);
  EXPECT_EQ(RegConnectRegistryA("elsewhere", HKEY_LOCAL_MACHINE, &opened), ERROR_BAD_NETPATH);
}

TEST_F(SettingsStoreTest, RootsAreSeparateFiles) {
  HKEY verb = Create("RawFile\\shell\\convert", HKEY_CLASSES_ROOT);
  Set(verb, nullptr, REG_SZ, "Con&vert\0"s);
  HKEY user = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "RawFile", 0, KEY_READ, &user), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(FilesIn(folder_ + "/briven"), (std::vector<std::string>{"classes-root.settings",
                                                                   "classes-root.settings.lock"}));
}

TEST_F(SettingsStoreTest, LocalMachineIsReadOnlyAndOptional) {
  SettingsStoreLocations locations;
  locations.machine_folder = folder_ + "/etc";
  SettingsStore store(locations);
  HKEY key = nullptr;
  EXPECT_EQ(store.OpenKey(HKEY_LOCAL_MACHINE, "Software", KEY_READ, &key), ERROR_FILE_NOT_FOUND);

  WriteFile(folder_ + "/etc/local-machine.settings",
            "[Software\\Harwendel\\Briven\\1.0]\n\"Company\"=sz:\"Harwendel Ltd\"\n");
  const std::string before = ReadFile(folder_ + "/etc/local-machine.settings");
  ASSERT_EQ(store.OpenKey(HKEY_LOCAL_MACHINE, "Software\\Harwendel\\Briven\\1.0", KEY_READ, &key), ERROR_SUCCESS);
  char company[32] = {};
  DWORD size = sizeof company;
  ASSERT_EQ(store.QueryValue(key, "Company", nullptr, reinterpret_cast<BYTE*>(company), &size), ERROR_SUCCESS);
  EXPECT_STREQ(company, "Harwendel Ltd");

  const std::string one("\x01", 1);
  EXPECT_EQ(store.SetValue(key, "Company", REG_SZ, reinterpret_cast<const BYTE*>(one.data()), 1),
            ERROR_ACCESS_DENIED);
  HKEY other = nullptr;
  DWORD disposition = 0;
  EXPECT_EQ(store.CreateKey(HKEY_LOCAL_MACHINE, "Software\\New", KEY_READ, &other, &disposition),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(store.OpenKey(HKEY_LOCAL_MACHINE, "Software", KEY_ALL_ACCESS, &other), ERROR_ACCESS_DENIED);
  EXPECT_EQ(store.DeleteKey(HKEY_LOCAL_MACHINE, "Software\\Harwendel\\Briven\\1.0"), ERROR_ACCESS_DENIED);
  HKEY connected = nullptr;
  ASSERT_EQ(store.ConnectRoot(HKEY_LOCAL_MACHINE, &connected), ERROR_SUCCESS);
  EXPECT_EQ(store.OpenKey(connected, "Software\\Harwendel", KEY_READ, &other), ERROR_SUCCESS);
  EXPECT_EQ(store.CloseKey(connected), ERROR_SUCCESS);
  EXPECT_EQ(ReadFile(folder_ + "/etc/local-machine.settings"), before);
  EXPECT_FALSE(fs::exists(folder_ + "/etc/local-machine.settings.lock"));
}

TEST_F(SettingsStoreTest, TwoProcessesWritingAtOnceLoseNothing) {
  constexpr int kWrites = 200;
  RegCloseKey(Create("Shared"));
  pid_t children[2];
  for (int child = 0; child < 2; ++child) {
    children[child] = ::fork();
    ASSERT_GE(children[child], 0);
    if (children[child] == 0) {
      int failures = 0;
      for (int i = 0; i < kWrites; ++i) {
        const std::string path = "Shared\\Writer" + std::to_string(child) + "\\Key" + std::to_string(i);
        HKEY key = nullptr;
        DWORD disposition = 0;
        failures += RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                    &disposition) != ERROR_SUCCESS;
        const DWORD number = static_cast<DWORD>(i);
        failures += RegSetValueExA(key, "n", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4) !=
                    ERROR_SUCCESS;
        RegCloseKey(key);
      }
      ::_exit(failures == 0 ? 0 : 1);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  SettingsStore fresh;
  for (int child = 0; child < 2; ++child) {
    for (int i = 0; i < kWrites; ++i) {
      const std::string path = "Shared\\Writer" + std::to_string(child) + "\\Key" + std::to_string(i);
      HKEY key = nullptr;
      ASSERT_EQ(fresh.OpenKey(HKEY_CURRENT_USER, path.c_str(), KEY_READ, &key), ERROR_SUCCESS) << path;
      DWORD number = 0;
      DWORD size = 4;
      ASSERT_EQ(fresh.QueryValue(key, "n", nullptr, reinterpret_cast<BYTE*>(&number), &size), ERROR_SUCCESS);
      EXPECT_EQ(number, static_cast<DWORD>(i));
    }
  }
  for (const std::string& name : FilesIn(folder_ + "/briven")) EXPECT_EQ(name.find(".tmp-"), std::string::npos);
}

TEST_F(SettingsStoreTest, DamagedFileIsReportedKeptAsideAndNeverOverwritten) {
  const std::string damaged = "[Software\\Harwendel]\n\"Good\"=dword:00000001\nthis line is not a setting\n";
  WriteFile(UserFile(), damaged);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Harwendel", 0, KEY_READ, &key), ERROR_REGISTRY_CORRUPT);
  ASSERT_EQ(reports_.size(), 1u);
  EXPECT_NE(reports_[0].find(UserFile()), std::string::npos);
  EXPECT_NE(reports_[0].find("line 3"), std::string::npos) << reports_[0];
  EXPECT_NE(reports_[0].find(".damaged-"), std::string::npos);

  // The damaged text is kept whole; new settings start a new file.
  RegCloseKey(Create("Software\\Fresh"));
  std::vector<std::string> aside;
  for (const std::string& name : FilesIn(folder_ + "/briven"))
    if (name.find(".damaged-") != std::string::npos) aside.push_back(name);
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(ReadFile(folder_ + "/briven/" + aside[0]), damaged);
  EXPECT_NE(ReadFile(UserFile()).find("[Software\\Fresh]"), std::string::npos);
  EXPECT_EQ(reports_.size(), 1u);

  // A second damage in the same second does not replace the first copy.
  WriteFile(UserFile(), "[unterminated\n");
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "X", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_REGISTRY_CORRUPT);
  EXPECT_EQ(ReadFile(folder_ + "/briven/" + aside[0]), damaged);
  EXPECT_EQ(reports_.size(), 2u);
}

TEST_F(SettingsStoreTest, FileWithAKeyTooDeepIsDamagedAndKeptAside) {
  // The shape of a hostile file that once took gigabytes to write back.
  const std::string deep = "\"top\"=dword:00000001\n" + ChainLine(50000, "a");
  WriteFile(UserFile(), deep);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "a", 0, KEY_READ, &key), ERROR_REGISTRY_CORRUPT);
  ASSERT_EQ(reports_.size(), 1u);
  EXPECT_NE(reports_[0].find(UserFile()), std::string::npos);
  EXPECT_NE(reports_[0].find("line 2: a key deeper than 512 levels"), std::string::npos) << reports_[0];

  RegCloseKey(Create("Software\\Fresh"));
  EXPECT_EQ(ReadFile(UserFile()).find("[a"), std::string::npos);
  std::vector<std::string> aside;
  for (const std::string& name : FilesIn(folder_ + "/briven"))
    if (name.find(".damaged-") != std::string::npos) aside.push_back(name);
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(ReadFile(folder_ + "/briven/" + aside[0]), deep);
}

TEST_F(SettingsStoreTest, KeysBeyondTheLimitsAreNotCreated) {
  std::string deepest;
  for (std::size_t i = 0; i < kMaxSettingsKeyDepth; ++i) deepest += (i ? "\\" : "") + std::string("k");
  HKEY bottom = Create(deepest.c_str());
  ASSERT_NE(bottom, nullptr);
  const std::string before = ReadFile(UserFile());

  HKEY key = nullptr;
  const struct {
    HKEY parent;
    std::string sub_key;
  } refused[] = {
      {HKEY_CURRENT_USER, deepest + "\\k"},             // one level too deep in one call
      {bottom, "below"},                                 // one level below the deepest key
      {HKEY_CURRENT_USER, "Software\\" + std::string(kMaxSettingsKeyName + 1, 'n')},
  };
  for (const auto& c : refused) {
    EXPECT_EQ(RegCreateKeyExA(c.parent, c.sub_key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_INVALID_PARAMETER)
        << c.sub_key.size();
    EXPECT_EQ(key, nullptr);
  }
  EXPECT_EQ(ReadFile(UserFile()), before);

  // What was allowed is read back by another program.
  SettingsStore fresh;
  ASSERT_EQ(Set(bottom, "deep", REG_SZ, "x\0"s), ERROR_SUCCESS);
  ASSERT_EQ(fresh.OpenKey(HKEY_CURRENT_USER, deepest.c_str(), KEY_READ, &key), ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(fresh.QueryValue(key, "deep", nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 2u);
  EXPECT_TRUE(reports_.empty());
}

TEST_F(SettingsStoreTest, KeyWithManyValuesIsReadAndWrittenInOrder) {
  constexpr std::size_t kCount = 100000;
  WriteFile(UserFile(), ManyValuesText(kCount));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "many", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  DWORD values = 0;
  ASSERT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                             nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(values, kCount);

  // A changed value keeps its place, a new one comes last, a removed one
  // leaves the others findable where they now are.
  ASSERT_EQ(Set(key, "V500", REG_SZ, "changed\0"s), ERROR_SUCCESS);
  ASSERT_EQ(Set(key, "added", REG_SZ, "new\0"s), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteValueA(key, "v10"), ERROR_SUCCESS);
  EXPECT_EQ(Query(key, "v500"), "changed\0"s);
  EXPECT_EQ(Query(key, "V99999"), std::string("\1\0\0\0", 4));
  EXPECT_EQ(Query(key, "v10"), "<missing>");
  char name[16];
  DWORD size = sizeof name;
  const struct {
    DWORD index;
    const char* name;
  } order[] = {{0, "v0"}, {10, "v11"}, {499, "v500"}, {kCount - 1, "added"}};
  for (const auto& c : order) {
    ASSERT_EQ(RegEnumValueA(key, c.index, name, &(size = sizeof name), nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_STREQ(name, c.name) << c.index;
  }
  EXPECT_TRUE(reports_.empty());
}

TEST_F(SettingsStoreTest, UnreadableFileIsReportedAndLeftInPlace) {
  WriteFile(UserFile(), "[Software]\n");
  fs::permissions(UserFile(), fs::perms::none);
  EXPECT_TRUE(AsUnprivileged(folder_, [&] {
    HKEY key = nullptr;
    return Check(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key) == ERROR_ACCESS_DENIED,
                 "refused") &&
           Check(reports_.size() == 1 && reports_[0].rfind(UserFile() + ": ", 0) == 0, "reported") &&
           Check(fs::exists(UserFile()), "left in place");
  }));
}

TEST_F(SettingsStoreTest, AFolderInThePlaceOfTheFileIsReportedOnceWithItsReason) {
  fs::create_directories(UserFile());
  for (int i = 0; i < 5; ++i) {
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_NE(RegCreateKeyExA(HKEY_CURRENT_USER, "Software", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
  }
  EXPECT_EQ(reports_, std::vector<std::string>{UserFile() + ": not a readable file: Is a directory"});
  // Once the file is back it serves; a folder that comes again is told again.
  fs::remove(UserFile());
  Create("Software");
  fs::remove(UserFile());
  fs::create_directories(UserFile());
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(reports_.size(), 2u);
}

TEST_F(SettingsStoreTest, WriterKilledBeforeItsRenameLeavesTheOldFile) {
  HKEY key = Create("Software\\Harwendel");
  Set(key, "kept", REG_SZ, "old\0"s);
  const std::string before = ReadFile(UserFile());

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // A writer's steps up to the rename, then death.
    SettingsStoreFile file(UserFile());
    if (file.Lock()) ::_exit(1);
    WriteFile(UserFile() + ".tmp-99999-1", "[half a fi");
    ::raise(SIGKILL);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));

  SettingsStore fresh;
  HKEY reread = nullptr;
  ASSERT_EQ(fresh.OpenKey(HKEY_CURRENT_USER, "Software\\Harwendel", KEY_READ, &reread), ERROR_SUCCESS);
  EXPECT_EQ(ReadFile(UserFile()), before);
  // The dead writer's lock went with it, and the next write sweeps its leftover.
  ASSERT_EQ(Set(key, "next", REG_DWORD, std::string(4, '\0')), ERROR_SUCCESS);
  EXPECT_EQ(Query(key, "kept"), "old\0"s);
  EXPECT_FALSE(fs::exists(UserFile() + ".tmp-99999-1"));
  EXPECT_TRUE(reports_.empty());
}

TEST_F(SettingsStoreTest, FailedWriteLeavesTheOldFile) {
  HKEY key = Create("Software");
  Set(key, "kept", REG_SZ, "old\0"s);
  const std::string before = ReadFile(UserFile());
  fs::permissions(folder_ + "/briven", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_TRUE(AsUnprivileged(folder_, [&] {
    return Check(Set(key, "new", REG_SZ, "x\0"s) == ERROR_ACCESS_DENIED, "write refused") &&
           Check(ReadFile(UserFile()) == before, "old file intact") &&
           Check(reports_.size() == 1 && reports_[0].rfind(UserFile() + ": ", 0) == 0, "reported");
  }));
  fs::permissions(folder_ + "/briven", fs::perms::owner_all);
}

TEST(SettingsText, DamagedLinesAreFoundWithTheirNumber) {
  const char* damaged[] = {
      "junk",
      "[]",
      "[a\\\\b]",
      "[a",
      "[a%zz]",
      "\"v\"dword:00000001",
      "\"v\"=dword:1",
      "\"v\"=sz:\"unterminated",
      "\"v\"=sz:\"bad \\q escape\"",
      "\"v\"=sz:\"x\" trailing",
      "\"v\"=hex:0g",
      "\"v\"=hex:00,,01",
      "\"v\"=hex(zz):00",
      "\"v\"=multi:\"a\"\"b\"",
      "\"v\"=string:\"x\"",
      "\"v\"=sz:\"1\"\n\"V\"=sz:\"2\"",
  };
  for (const char* text : damaged) {
    SettingsKey root;
    std::string error;
    EXPECT_FALSE(ParseSettings(std::string("; comment\n\n") + text, root, error)) << text;
    EXPECT_EQ(error.rfind("line ", 0), 0u) << text << " -> " << error;
  }
  SettingsKey root;
  std::string error;
  EXPECT_TRUE(ParseSettings("# comment\r\n\"top\"=dword:00000002\r\n[A\\B]\r\n@=sz:\"\"\r\n[a]\r\n", root, error))
      << error;
  ASSERT_NE(root.FindSubkey("a"), nullptr);
  EXPECT_NE(root.FindSubkey("A")->FindSubkey("b"), nullptr);
  EXPECT_NE(root.FindValue("top"), nullptr);
}

TEST(SettingsText, KeysAndNamesAtTheLimitsAreReadThoseBeyondAreDamage) {
  std::string escaped_name;  // the longest key name, every byte escaped in the file
  for (std::size_t i = 0; i < kMaxSettingsKeyName; ++i) escaped_name += "%5B";
  const std::string long_key(kMaxSettingsKeyName, 'n');
  const std::string long_value(kMaxSettingsValueName, 'v');
  const struct {
    std::string text;
    const char* why;  // empty when the text is to be read
  } cases[] = {
      {ChainLine(kMaxSettingsKeyDepth), ""},
      {ChainLine(kMaxSettingsKeyDepth + 1), "a key deeper than 512 levels"},
      {"[a\\" + long_key + "]\n", ""},
      {"[" + escaped_name + "]\n", ""},
      {"[a\\" + long_key + "n\\b]\n", "a key name longer than 255 characters"},
      {"[" + escaped_name + "%5B]\n", "a key name longer than 255 characters"},
      {"[a]\n\"" + long_value + "\"=dword:00000001\n", ""},
      {"\"" + long_value + "v\"=dword:00000001\n", "a value name longer than 16383 characters"},
  };
  for (const auto& c : cases) {
    SettingsKey root;
    std::string error;
    const bool read = ParseSettings(c.text, root, error);
    EXPECT_EQ(read, *c.why == '\0') << c.why << " " << error;
    if (!read) {
      EXPECT_EQ(error, std::string("line 1: ") + c.why);
      continue;
    }
    // What is read is written back as the same text, and reads again.
    const std::string written = SerializeSettings(root);
    EXPECT_NE(written.find(c.text), std::string::npos) << c.text.substr(0, 40);
    SettingsKey again;
    EXPECT_TRUE(ParseSettings(written, again, error)) << error;
  }
}

TEST(SettingsText, EveryKeyIsWrittenWithItsWholePathInDepthFirstOrder) {
  SettingsKey root;
  SettingsKey& a = root.AddSubkey("A");
  a.AddSubkey("D");
  SettingsKey& c = a.AddSubkey("B").AddSubkey("C");
  c.SetValue("deep", REG_DWORD, std::string(4, '\0'));
  root.AddSubkey("E").SetValue("", REG_SZ, "e\0"s);
  EXPECT_EQ(SerializeSettings(root).substr(SerializeSettings(SettingsKey()).size()),
            "[A]\n"
            "[A\\B]\n"
            "[A\\B\\C]\n"
            "\"deep\"=dword:00000000\n"
            "[A\\D]\n"
            "[E]\n"
            "@=sz:\"e\"\n");
}

TEST(SettingsText, ManyValuesInOneKeyAreReadInOrderAndChecked) {
  constexpr std::size_t kCount = 100000;
  const std::string text = ManyValuesText(kCount);
  SettingsKey root;
  std::string error;
  ASSERT_TRUE(ParseSettings(text, root, error)) << error;
  const SettingsKey* many = root.FindSubkey("MANY");
  ASSERT_NE(many, nullptr);
  ASSERT_EQ(many->Values().size(), kCount);
  for (std::size_t i = 0; i < kCount; i += 9973) EXPECT_EQ(many->Values()[i].name, "v" + std::to_string(i));
  EXPECT_EQ(many->FindValue("V77777"), &many->Values()[77777]);
  EXPECT_EQ(SerializeSettings(root).find(text), SerializeSettings(SettingsKey()).size());

  SettingsKey twice;
  EXPECT_FALSE(ParseSettings(text + "\"V4321\"=dword:00000002\n", twice, error));
  EXPECT_EQ(error, "line 100002: value written twice");
}

TEST(SettingsText, KeysNamedInAnyOrderAreReadInNameOrder) {
  // Many siblings in reverse order, as a hand-edited file might hold them.
  constexpr int kCount = 100000;
  std::string text;
  for (int i = kCount - 1; i >= 0; --i) text += Format("[k%06d]\n", i);
  text += "[K000007\\Child]\n\"v\"=dword:00000001\n[c]\n[B\\y]\n[b\\X]\n[A]\n";
  SettingsKey root;
  std::string error;
  ASSERT_TRUE(ParseSettings(text, root, error)) << error;
  ASSERT_EQ(root.Subkeys().size(), kCount + 3u);
  EXPECT_EQ(root.Subkeys()[0]->Name(), "A");
  EXPECT_EQ(root.Subkeys()[1]->Name(), "B");
  EXPECT_EQ(root.Subkeys()[2]->Name(), "c");
  EXPECT_EQ(root.Subkeys()[3]->Name(), "k000000");
  EXPECT_EQ(root.Subkeys().back()->Name(), Format("k%06d", kCount - 1));
  const SettingsKey* b = root.FindSubkey("b");
  ASSERT_NE(b, nullptr);
  ASSERT_EQ(b->Subkeys().size(), 2u);
  EXPECT_EQ(b->Subkeys()[0]->Name(), "X");
  const SettingsKey* child = root.FindSubkey("k000007")->FindSubkey("child");
  ASSERT_NE(child, nullptr);
  EXPECT_NE(child->FindValue("V"), nullptr);

  // A text that stops at damage still leaves a tree in order.
  SettingsKey partial;
  EXPECT_FALSE(ParseSettings("[z]\n[a]\n[m]\njunk\n", partial, error));
  ASSERT_EQ(partial.Subkeys().size(), 3u);
  EXPECT_EQ(partial.Subkeys()[0]->Name(), "a");
  EXPECT_NE(partial.FindSubkey("Z"), nullptr);
}

TEST(SettingsKeyValues, RemovingAValueKeepsTheOthersFoundAndInOrder) {
  SettingsKey key;
  for (const char* name : {"a", "b", "c", "d"}) key.SetValue(name, REG_SZ, std::string(name) + '\0');
  EXPECT_TRUE(key.RemoveValue("B"));
  EXPECT_FALSE(key.RemoveValue("b"));
  key.SetValue("C", REG_DWORD, std::string(4, '\0'));  // changes c in place, keeps its spelling
  key.SetValue("e", REG_SZ, "e\0"s);
  std::vector<std::string> names;
  for (const SettingsValue& value : key.Values()) names.push_back(value.name);
  EXPECT_EQ(names, (std::vector<std::string>{"a", "c", "d", "e"}));
  const std::unique_ptr<SettingsKey> copy = key.Clone();
  for (const SettingsKey* k : {&key, copy.get()}) {
    for (const char* name : {"A", "c", "D", "E"}) {
      const SettingsValue* value = k->FindValue(name);
      ASSERT_NE(value, nullptr) << name;
      EXPECT_TRUE(SameSettingsName(value->name, name));
    }
    EXPECT_EQ(k->FindValue("c")->type, DWORD{REG_DWORD});
    EXPECT_EQ(k->FindValue("b"), nullptr);
  }
}

}  // namespace
