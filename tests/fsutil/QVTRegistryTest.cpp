#include "fsutil/QVTRegistry.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/sys/SettingsStoreApi.h"

namespace {

namespace fs = std::filesystem;
using namespace sys;

// Every test writes into a configuration folder of its own.
class QVTRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "briven-registry-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
    ASSERT_TRUE(registry_.Connect(HKEY_CURRENT_USER, nullptr, true));
  }
  void TearDown() override {
    registry_.Close();
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }

  static bool Exists(const char* path) {
    QVTRegistry probe;
    return probe.Connect(HKEY_CURRENT_USER) && probe.Open(path, KEY_READ);
  }

  void MakeKeys(std::initializer_list<const char*> paths) {
    QVTRegistry maker;
    ASSERT_TRUE(maker.Connect(HKEY_CURRENT_USER));
    for (const char* path : paths) ASSERT_TRUE(maker.Create(path)) << path;
  }

  std::string folder_;
  QVTRegistry registry_;
};

TEST_F(QVTRegistryTest, ConnectTakesLocalRootsAndRefusesOtherComputers) {
  EXPECT_EQ(registry_.GetRootKey(), HKEY_CURRENT_USER);
  EXPECT_EQ(registry_.GetRootName(), "HKEY_CURRENT_USER");
  EXPECT_FALSE(registry_.IsRemote());
  char host[260] = {};
  ::gethostname(host, sizeof host - 1);
  EXPECT_EQ(registry_.GetComputerName(), host);

  QVTRegistry registry;
  EXPECT_FALSE(registry.Connect(HKEY_CURRENT_USER, "far-away", false));
  EXPECT_EQ(registry.GetLastResult(), ERROR_INVALID_HANDLE);
  EXPECT_TRUE(registry.GetCloseRoot());  // the flag from before the failed call

  ASSERT_TRUE(registry.Connect(HKEY_LOCAL_MACHINE, nullptr, true));
  EXPECT_NE(registry.GetRootKey(), HKEY_LOCAL_MACHINE);  // a connection handle of its own
  EXPECT_EQ(registry.GetRootName(), "HKEY_LOCAL_MACHINE");
  EXPECT_FALSE(registry.Connect(HKEY_LOCAL_MACHINE, "far-away", false));
  EXPECT_EQ(registry.GetLastResult(), ERROR_BAD_NETPATH);
  EXPECT_FALSE(registry.Connect(HKEY_USERS, nullptr, true));
}

TEST_F(QVTRegistryTest, OpenAndCreateRememberThePathAsPassed) {
  DWORD disposition = 0;
  ASSERT_TRUE(registry_.Create("Software\\Harwendel\\Briven\\", nullptr, 0, KEY_ALL_ACCESS, nullptr, &disposition));
  EXPECT_EQ(disposition, DWORD{REG_CREATED_NEW_KEY});
  EXPECT_EQ(registry_.GetCurrentKeyPath(), "Software\\Harwendel\\Briven\\");
  ASSERT_TRUE(registry_.Create("Software\\Harwendel\\Briven", nullptr, 0, KEY_ALL_ACCESS, nullptr, &disposition));
  EXPECT_EQ(disposition, DWORD{REG_OPENED_EXISTING_KEY});
  registry_.SetDWordValue("One", 1);
  registry_.Create("Software\\Harwendel\\Briven\\Settings");

  ASSERT_TRUE(registry_.Open("Software\\Harwendel\\Briven\\"));
  EXPECT_EQ(registry_.GetCurrentKeyPath(), "Software\\Harwendel\\Briven\\");
  EXPECT_EQ(registry_.GetSubkeyCount(), 1u);  // QueryInfo ran
  EXPECT_EQ(registry_.GetValueCount(), 1u);
  EXPECT_EQ(registry_.GetLongestSubkeyName(), 8u);
  EXPECT_EQ(registry_.GetLongestValueData(), 4u);
  EXPECT_GT(registry_.GetLastWriteTime().GetTime(), 0);

  EXPECT_FALSE(registry_.Open("Software\\Nowhere"));
  EXPECT_EQ(registry_.GetLastResult(), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(registry_.Create(nullptr));
  EXPECT_EQ(registry_.GetLastResult(), ERROR_INVALID_PARAMETER);

  // Without a connection Open starts from the classes root.
  QVTRegistry classes;
  classes.Open("RawFile");
  EXPECT_EQ(classes.GetRootKey(), HKEY_CLASSES_ROOT);
  EXPECT_EQ(classes.GetLastResult(), ERROR_FILE_NOT_FOUND);
}

TEST_F(QVTRegistryTest, ValuesReadRightAfterCreate) {
  ASSERT_TRUE(registry_.Create("Software\\Values"));
  const QVTRegistry::ByteArray bytes(300, 0xA5);
  const QVTRegistry::StringList list{"first", "second with \"quotes\"", "third\nline"};
  ASSERT_TRUE(registry_.SetBinaryValue("Bytes", bytes));
  ASSERT_TRUE(registry_.SetMultiStringValue("List", list));
  ASSERT_TRUE(registry_.SetValue("Number", DWORD{0xFFFFFFFE}));

  QVTRegistry::ByteArray read_bytes;
  QVTRegistry::StringList read_list;
  DWORD number = 0;
  ASSERT_TRUE(registry_.GetBinaryValue("Bytes", read_bytes));
  EXPECT_EQ(read_bytes, bytes);
  ASSERT_TRUE(registry_.GetMultiStringValue("List", read_list));
  EXPECT_EQ(read_list, list);
  ASSERT_TRUE(registry_.GetValue("Number", &number));
  EXPECT_EQ(number, 0xFFFFFFFEu);

  ASSERT_TRUE(registry_.SetBinaryValue("Empty", {}));
  read_bytes = {1};
  ASSERT_TRUE(registry_.GetBinaryValue("Empty", read_bytes));
  EXPECT_TRUE(read_bytes.empty());
}

TEST_F(QVTRegistryTest, StringsComeBackWholeAndTerminated) {
  ASSERT_TRUE(registry_.Create("Software\\Strings"));
  ASSERT_TRUE(registry_.SetStringValue("Empty", ""));
  DWORD type = 0;
  DWORD size = 0;
  ASSERT_TRUE(registry_.QueryValue("Empty", &type, nullptr, &size));
  EXPECT_EQ(size, 1u);  // just the terminating zero
  EXPECT_EQ(type, DWORD{REG_SZ});

  const std::string long_text(5000, 'x');
  ASSERT_TRUE(registry_.SetValue("Long", long_text));
  // Exactly 2048 bytes and no terminating zero: the size of a fixed read buffer.
  const std::string unterminated(2048, 'u');
  ASSERT_TRUE(registry_.SetValue("Unterminated", REG_SZ, reinterpret_cast<const BYTE*>(unterminated.data()),
                                 static_cast<DWORD>(unterminated.size())));

  std::string text = "stale";
  ASSERT_TRUE(registry_.GetStringValue("Long", text));
  EXPECT_EQ(text, long_text);
  ASSERT_TRUE(registry_.GetValue("Unterminated", text));
  EXPECT_EQ(text, unterminated);
  ASSERT_TRUE(registry_.GetStringValue("Empty", text));
  EXPECT_EQ(text, "");

  text = "stale";
  EXPECT_FALSE(registry_.GetStringValue("Missing", text));
  EXPECT_EQ(text, "");
  EXPECT_EQ(registry_.GetLastResult(), ERROR_FILE_NOT_FOUND);
}

TEST_F(QVTRegistryTest, MultiStringsAndTypesAreChecked) {
  ASSERT_TRUE(registry_.Create("Software\\Multi"));
  ASSERT_TRUE(registry_.SetMultiStringValue("None", {}));
  DWORD size = 0;
  ASSERT_TRUE(registry_.QueryValue("None", nullptr, nullptr, &size));
  EXPECT_EQ(size, 1u);
  QVTRegistry::StringList list{"left over"};
  ASSERT_TRUE(registry_.GetMultiStringValue("None", list));
  EXPECT_TRUE(list.empty());

  EXPECT_FALSE(registry_.SetMultiStringValue("Gap", {"a", "", "b"}));
  EXPECT_EQ(registry_.GetLastResult(), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(registry_.QueryValue("Gap", nullptr, nullptr, &size));

  registry_.SetStringValue("Text", "12");
  registry_.SetDWordValue("Number", 12);
  DWORD number = 7;
  std::string text;
  EXPECT_FALSE(registry_.GetDWordValue("Text", &number));
  EXPECT_EQ(registry_.GetLastResult(), ERROR_INVALID_DATA);
  EXPECT_EQ(number, 7u);
  EXPECT_FALSE(registry_.GetStringValue("Number", text));
  EXPECT_FALSE(registry_.GetMultiStringValue("Text", list));

  const struct {
    const char* what;
    bool result;
  } null_names[] = {
      {"GetValue text", registry_.GetValue(nullptr, text)},
      {"GetValue dword", registry_.GetValue(nullptr, &number)},
      {"SetValue list", registry_.SetValue(nullptr, QVTRegistry::StringList{"a"})},
      {"SetValue raw", registry_.SetValue("x", REG_BINARY, nullptr, 0)},
      {"GetDWordValue", registry_.GetDWordValue("Number", nullptr)},
  };
  for (const auto& c : null_names) EXPECT_FALSE(c.result) << c.what;
  EXPECT_EQ(registry_.GetLastResult(), ERROR_INVALID_PARAMETER);
}

TEST_F(QVTRegistryTest, EnumerationEndsWithNoMoreItems) {
  MakeKeys({"Software\\Enum\\b", "Software\\Enum\\A", "Software\\Enum\\c"});
  ASSERT_TRUE(registry_.Open("Software\\Enum"));
  registry_.SetStringValue("second", "2");
  registry_.SetStringValue("first", "1");

  std::vector<std::string> keys, values;
  std::string name, key_class = "stale";
  for (DWORD i = 0; registry_.EnumKey(i, name, key_class); ++i) keys.push_back(name);
  EXPECT_EQ(registry_.GetLastResult(), ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(key_class, "");
  DWORD type = 0;
  for (DWORD i = 0; registry_.EnumValue(i, name, &type); ++i) values.push_back(name);
  EXPECT_EQ(registry_.GetLastResult(), ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(keys, (std::vector<std::string>{"A", "b", "c"}));
  EXPECT_EQ(values, (std::vector<std::string>{"second", "first"}));

  // A data buffer too small still names the value, and tells the size needed.
  BYTE small[1];
  DWORD size = sizeof small;
  ASSERT_TRUE(registry_.EnumValue(0, name, &type, small, &size));
  EXPECT_EQ(registry_.GetLastResult(), ERROR_MORE_DATA);
  EXPECT_EQ(name, "second");
  EXPECT_EQ(size, 2u);

  // Value names longer than the usual buffer come back whole.
  const std::string long_name(3000, 'n');
  ASSERT_TRUE(registry_.SetDWordValue(long_name.c_str(), 1));
  ASSERT_TRUE(registry_.EnumValue(2, name, &type));
  EXPECT_EQ(name, long_name);
}

TEST_F(QVTRegistryTest, RecursiveDeleteRemovesTheWholeTree) {
  MakeKeys({"Software\\Tree\\a\\x\\deep", "Software\\Tree\\a\\y", "Software\\Tree\\b", "Software\\Keep"});
  ASSERT_TRUE(registry_.Open("Software"));
  EXPECT_FALSE(registry_.DeleteKey("Software\\Tree", false));
  EXPECT_EQ(registry_.GetLastResult(), ERROR_ACCESS_DENIED);
  EXPECT_TRUE(Exists("Software\\Tree\\a\\x\\deep"));

  ASSERT_TRUE(registry_.DeleteKey("Software\\Tree", true)) << registry_.GetLastResult();
  EXPECT_FALSE(Exists("Software\\Tree"));
  EXPECT_TRUE(Exists("Software\\Keep"));
  EXPECT_EQ(registry_.GetCurrentKeyPath(), "Software");  // its own key was not touched

  EXPECT_FALSE(registry_.DeleteKey("Software\\Tree", true));
  EXPECT_EQ(registry_.GetLastResult(), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(registry_.DeleteKey("", true));
  EXPECT_EQ(registry_.GetLastResult(), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(registry_.DeleteKey("\\", true));
  EXPECT_FALSE(registry_.DeleteKey(nullptr, false));
  EXPECT_EQ(registry_.GetLastResult(), ERROR_INVALID_PARAMETER);
  EXPECT_TRUE(Exists("Software\\Keep"));
}

TEST_F(QVTRegistryTest, DeleteKeyDeletesOnlyTheKeyItNames) {
  // "Nodes" holds a subkey path that repeats its own name.
  MakeKeys({"Nodes\\Nodes", "Base\\Target", "Target"});
  ASSERT_TRUE(registry_.Open("Base"));
  ASSERT_TRUE(registry_.DeleteKey("Target", false));
  EXPECT_FALSE(Exists("Target"));
  EXPECT_TRUE(Exists("Base\\Target"));

  ASSERT_TRUE(registry_.Open("Nodes"));
  ASSERT_TRUE(registry_.DeleteKey("Nodes", true));
  EXPECT_FALSE(Exists("Nodes"));
  // Its own key is gone, so the object now stands on the parent: the root.
  EXPECT_EQ(registry_.GetCurrentKeyPath(), "");
  EXPECT_EQ(registry_.GetLastResult(), ERROR_SUCCESS);
  ASSERT_TRUE(registry_.Create("Again"));
  ASSERT_TRUE(registry_.SetStringValue("v", "x"));

  ASSERT_TRUE(registry_.DeleteKey("\\Base\\Target\\", false));
  EXPECT_FALSE(Exists("Base\\Target"));
}

TEST_F(QVTRegistryTest, DeleteValueAndCloseResetTheObject) {
  ASSERT_TRUE(registry_.Create("Software\\Values"));
  registry_.SetStringValue("v", "x");
  EXPECT_TRUE(registry_.DeleteValue("v"));
  EXPECT_FALSE(registry_.DeleteValue("v"));
  EXPECT_EQ(registry_.GetLastResult(), ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(registry_.Flush());
  EXPECT_TRUE(registry_.Close());
  EXPECT_EQ(registry_.GetCurrentKey(), nullptr);
  EXPECT_EQ(registry_.GetRootKey(), nullptr);
  EXPECT_EQ(registry_.GetRootName(), "");
  EXPECT_TRUE(registry_.GetCloseRoot());
}

TEST_F(QVTRegistryTest, FacilitiesTheStoreLacksFailPlainly) {
  DWORD size = 0;
  EXPECT_FALSE(registry_.GetSecurity(4, nullptr, &size));
  EXPECT_EQ(registry_.GetLastResult(), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(registry_.SetSecurity(4, nullptr));
  EXPECT_EQ(registry_.GetLastResult(), ERROR_INVALID_PARAMETER);
  char descriptor[16];
  const bool results[] = {registry_.GetSecurity(4, descriptor, &size), registry_.SaveKey("/tmp/x", nullptr),
                          registry_.RestoreKey("/tmp/x", 0),        registry_.LoadKey("k", "/tmp/x"),
                          registry_.UnLoadKey("k"),                 registry_.ReplaceKey("k", "a", "b"),
                          registry_.NotifyChange(nullptr, 0, false, false)};
  for (bool result : results) EXPECT_FALSE(result);
  EXPECT_EQ(registry_.GetLastResult(), ERROR_NOT_SUPPORTED);
}

TEST(RegistryPaths, RootNamesAndPathTexts) {
  const struct {
    HKEY key;
    const char* name;
  } roots[] = {
      {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},   {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
      {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"}, {HKEY_USERS, "HKEY_USERS"},
      {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"}, {HKEY_DYN_DATA, "HKEY_DYN_DATA"},
  };
  for (const auto& root : roots) {
    std::string name;
    EXPECT_TRUE(RegistryRootName(root.key, name));
    EXPECT_EQ(name, root.name);
    EXPECT_EQ(RegistryRootFromName(root.name), root.key);
  }
  std::string name = "unchanged";
  EXPECT_FALSE(RegistryRootName(HKEY_PERFORMANCE_DATA, name));
  EXPECT_EQ(name, "unchanged");
  EXPECT_EQ(RegistryRootFromName("hkey_current_user"), nullptr);
  EXPECT_EQ(RegistryRootFromName("HKEY_PERFORMANCE_DATA"), nullptr);

  const struct {
    const char* in;
    bool strip_leading;
    const char* out;
  } normalised[] = {
      {"A\\B\\", false, "A\\B"}, {"A\\B\\\\", false, "A\\B\\"}, {"\\A\\", false, "\\A"},
      {"\\A\\", true, "A"},      {"\\\\A", true, "\\A"},        {"", true, ""},
  };
  for (const auto& c : normalised) {
    std::string path = c.in;
    NormalizeRegistryPath(path, c.strip_leading);
    EXPECT_EQ(path, c.out) << c.in;
  }
  EXPECT_EQ(JoinRegistryPath("Software\\", "\\Harwendel\\"), "Software\\Harwendel");
  EXPECT_EQ(JoinRegistryPath("Software", "Harwendel"), "Software\\Harwendel");
  EXPECT_EQ(JoinRegistryPath("", "Harwendel"), "\\Harwendel");
}

}  // namespace
