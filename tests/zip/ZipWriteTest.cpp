// Archives written here pass unzip -tq, Python's testzip() and a content
// comparison, after adding, deleting, renaming and copying entries.
#include <gtest/gtest.h>

#include <filesystem>

#include "ZipTestSupport.h"
#include "zip/ZipArchive.h"
#include "zip/ZipException.h"
#include "zip/ZipMemoryFile.h"

using ziptest::Fixture;
using ziptest::TempDir;

namespace {

// unzip -tq, testzip() and every entry's bytes against the files in
// expected (entry name -> content; "" for a folder ending in '/').
void ExpectValid(const std::string& archive, const std::map<std::string, std::string>& expected,
                 const std::string& password = {}) {
  const std::string pw = password.empty() ? std::string() : " -P " + password;
  // unzip calls an empty archive a warning (status 1).
  EXPECT_EQ(ziptest::Run("unzip -tq" + pw + " '" + archive + "' >/dev/null 2>&1"), expected.empty() ? 1 : 0) << archive;
  std::string script = "import zipfile,sys\nz=zipfile.ZipFile(sys.argv[1])\n";
  if (!password.empty()) script += "z.setpassword(b'" + password + "')\n";
  script += "assert z.testzip() is None\nassert sorted(z.namelist())==sorted(sys.argv[2:]), z.namelist()\n";
  std::string names;
  for (const auto& [name, content] : expected) names += " '" + name + "'";
  ziptest::WriteAll(archive + ".py", script);
  EXPECT_EQ(ziptest::Run("python3 '" + archive + ".py' '" + archive + "'" + names), 0) << archive;
  CZipArchive zip;
  zip.Open(archive, CZipArchive::zipOpenReadOnly);
  if (!password.empty()) zip.SetPassword(password.c_str());
  EXPECT_EQ(zip.GetCount(), static_cast<int>(expected.size()));
  for (const auto& [name, content] : expected) {
    const int index = zip.FindFile(name, CZipArchive::ffCaseSens);
    ASSERT_GE(index, 0) << name;
    CZipEntryHeader h;
    zip.GetFileInfo(h, static_cast<WORD>(index));
    if (h.IsDirectory()) continue;
    CZipMemoryFile out;
    EXPECT_TRUE(zip.ExtractFile(static_cast<WORD>(index), out));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.GetData()), static_cast<std::size_t>(out.GetLength())),
              content)
        << name;
  }
  zip.Close();
}

std::string Sample(std::size_t size) {
  std::string s;
  for (std::size_t i = 0; s.size() < size; ++i) s += "line " + std::to_string(i * 7919 % 1000) + "\n";
  s.resize(size);
  return s;
}

TEST(ZipWrite, LevelsSizesAndFolders) {
  TempDir dir;
  std::filesystem::create_directories(dir / "src/sub");
  const std::map<std::string, std::string> files = {
      {"empty.txt", ""}, {"tiny.txt", "abc"}, {"sub/big.txt", Sample(300000)}, {"sub/mid.txt", Sample(5000)}};
  for (const auto& [name, content] : files) ziptest::WriteAll(dir / "src/" + name, content);
  for (int level : {0, 1, 6, 9}) {
    const std::string archive = dir / ("level" + std::to_string(level) + ".zip");
    CZipArchive zip;
    zip.Open(archive, CZipArchive::zipCreate);
    for (const auto& [name, content] : files) ASSERT_TRUE(zip.AddNewFile(dir / "src/" + name, name, level));
    ASSERT_TRUE(zip.AddNewFile(dir / "src/sub", "sub", level));
    zip.Close();
    auto expected = files;
    expected["sub/"] = "";
    ExpectValid(archive, expected);
    zip.Open(archive, CZipArchive::zipOpenReadOnly);
    CZipEntryHeader tiny;
    zip.GetFileInfo(tiny, static_cast<WORD>(zip.FindFile("tiny.txt")));
    EXPECT_EQ(tiny.m_uMethod, 0);  // too small to be worth compressing
    EXPECT_EQ(tiny.m_uVersionNeeded, 20);
    zip.Close();
  }
}

TEST(ZipWrite, EncryptedCommentsAndStreamedEntries) {
  TempDir dir;
  const std::string archive = dir / "enc.zip";
  CZipArchive zip;
  zip.Open(archive, CZipArchive::zipCreate);
  zip.SetPassword("pa55");
  CZipMemoryFile source;
  const std::string data = Sample(70000);
  source.Write(data.data(), static_cast<UINT>(data.size()));
  ASSERT_TRUE(zip.AddNewFile(source, "secret.txt", 6));
  CZipMemoryFile empty;
  ASSERT_TRUE(zip.AddNewFile(empty, "empty.txt", 6));
  CZipEntryHeader header;
  header.SetFileName("streamed.bin");
  ASSERT_TRUE(zip.OpenNewFile(header, 9));
  EXPECT_FALSE(zip.OpenNewFile(header, 9));  // one entry at a time
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(zip.WriteNewFile(data.data(), 1000));
  ASSERT_TRUE(zip.CloseNewFile());
  ASSERT_TRUE(zip.SetGlobalComment("global comment"));
  ASSERT_TRUE(zip.SetFileComment(0, "entry comment"));
  zip.Close();
  std::string streamed;
  for (int i = 0; i < 10; ++i) streamed += data.substr(0, 1000);
  ExpectValid(archive, {{"secret.txt", data}, {"empty.txt", ""}, {"streamed.bin", streamed}}, "pa55");
  zip.Open(archive, CZipArchive::zipOpenReadOnly);
  EXPECT_EQ(zip.GetGlobalComment(), "global comment");
  CZipEntryHeader h;
  zip.GetFileInfo(h, static_cast<WORD>(zip.FindFile("empty.txt")));
  EXPECT_FALSE(h.IsEncrypted());  // an empty file is not worth a password
  zip.GetFileInfo(h, static_cast<WORD>(zip.FindFile("secret.txt")));
  EXPECT_TRUE(h.IsEncrypted());
  EXPECT_EQ(h.GetComment(), "entry comment");
  zip.Close();
}

TEST(ZipWrite, DeleteRenameAndCopyKeepArchivesValid) {
  TempDir dir;
  const std::string archive = dir / "edit.zip";
  std::filesystem::copy_file(Fixture("infozip-deflated.zip"), archive);
  const std::string cal = ziptest::ReadAll(Fixture("x.cal"));
  CZipArchive zip;
  zip.Open(archive, CZipArchive::zipOpen);
  ASSERT_TRUE(zip.DeleteFiles(std::vector<std::string>{"Properties.txt", "empty.dat"}));
  ASSERT_TRUE(zip.RenameFile(static_cast<WORD>(zip.FindFile("docs/x.cal")), "docs/a-much-longer-name.cal"));
  ASSERT_TRUE(zip.RenameFile(static_cast<WORD>(zip.FindFile("y.tdf")), "y"));
  zip.Close();
  ExpectValid(archive, {{"docs/", ""}, {"docs/a-much-longer-name.cal", cal}, {"y", "tdf\n"}});

  // Copies take the raw data; bsdtar's local extra fields differ from its
  // central ones, and an encrypted entry keeps its descriptor.
  const std::string copy = dir / "copy.zip";
  CZipArchive target;
  target.Open(copy, CZipArchive::zipCreate);
  for (const char* from : {"bsdtar.zip", "7z.zip", "infozip-stream-encrypted.zip"}) {
    CZipArchive source;
    source.Open(Fixture(from), CZipArchive::zipOpenReadOnly);
    const int index = std::string(from).find("encrypted") != std::string::npos ? 0 : source.FindFile("x.cal", 0, true);
    ASSERT_TRUE(target.GetFromArchive(source, static_cast<WORD>(index))) << from;
    if (std::string(from) == "bsdtar.zip") {
      ASSERT_TRUE(target.RenameFile(0, "from-bsdtar.cal"));
    }
    source.Close();
  }
  ASSERT_TRUE(target.RenameFile(1, "from-7z.cal"));
  target.Close();
  ExpectValid(copy, {{"from-bsdtar.cal", cal}, {"from-7z.cal", cal}, {"-", cal}}, "secret");
}

TEST(ZipWrite, DeletingEverythingKeepsOnlyPrependedData) {
  TempDir dir;
  const std::string archive = dir / "pre.zip";
  std::filesystem::copy_file(Fixture("prepended.zip"), archive);
  const std::string original = ziptest::ReadAll(archive);
  CZipArchive zip;
  zip.Open(archive, CZipArchive::zipOpen);
  std::vector<WORD> all;
  for (WORD i = 0; i < zip.GetCount(); ++i) all.push_back(i);
  ASSERT_TRUE(zip.DeleteFiles(all));
  zip.Close();
  const std::string left = ziptest::ReadAll(archive);
  ASSERT_GE(left.size(), 22u);
  EXPECT_EQ(left.substr(0, left.size() - 22), original.substr(0, left.size() - 22));
  EXPECT_EQ(left.substr(0, 10), "#!/bin/sh\n");
  zip.Open(archive, CZipArchive::zipOpenReadOnly);
  EXPECT_EQ(zip.GetCount(), 0);
  zip.Close();
}

TEST(ZipWrite, AppendingToAnExistingArchive) {
  TempDir dir;
  const std::string archive = dir / "append.zip";
  std::filesystem::copy_file(Fixture("python.zip"), archive);
  CZipArchive zip;
  zip.Open(archive, CZipArchive::zipOpen);
  CZipMemoryFile source;
  source.Write("added", 5);
  ASSERT_TRUE(zip.AddNewFile(source, "", 6));  // unnamed entries are numbered
  zip.Close();
  ExpectValid(archive, {{"Properties.txt", "Name=Demo\r\nVersion=1\r\n"},
                        {"docs/x.cal", ziptest::ReadAll(Fixture("x.cal"))},
                        {"dir/", ""},
                        {"caf\xc3\xa9.txt", "utf-8 name"},
                        {"file4", "added"}});
}

TEST(ZipWrite, ReplacingEntriesInTheMiddleAndAtTheEnd) {
  TempDir dir;
  const std::string archive = dir / "replace.zip";
  CZipArchive zip;
  zip.Open(archive, CZipArchive::zipCreate);
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
    CZipMemoryFile source;
    source.Write(name, 5);
    ASSERT_TRUE(zip.AddNewFile(source, name, 6));
  }
  zip.Close();
  zip.Open(archive, CZipArchive::zipOpen);
  const std::string longer = Sample(20000);
  struct Case {
    const char* name;
    std::string content;
  };
  for (const Case& c : {Case{"a.txt", longer}, Case{"b.txt", "b"}, Case{"c.txt", "new c"}}) {
    CZipMemoryFile source;
    source.Write(c.content.data(), static_cast<UINT>(c.content.size()));
    CZipAddNewFileInfo info;
    info.m_pFile = &source;
    info.m_szFileNameInZip = c.name;
    info.m_iComprLevel = 6;
    info.m_iReplaceIndex = -2;  // the entry of the same name
    ASSERT_TRUE(zip.AddNewFile(info)) << c.name;
  }
  zip.Close();
  ExpectValid(archive, {{"a.txt", longer}, {"b.txt", "b"}, {"c.txt", "new c"}});
}

class Refuse : public CZipProgressCallback {
 public:
  bool Callback(int) override { return false; }
};

// Stopping the directory write leaves the file as it was; the directory is
// still in hand and a later flush writes it.
TEST(ZipWrite, StoppedDirectoryWriteCanBeRedone) {
  TempDir dir;
  const std::string archive = dir / "many.zip";
  CZipArchive zip;
  zip.Open(archive, CZipArchive::zipCreate);
  std::map<std::string, std::string> expected;
  for (int i = 0; i < 300; ++i) {
    CZipMemoryFile source;
    source.Write("x", 1);
    const std::string name = "f" + std::to_string(i);
    ASSERT_TRUE(zip.AddNewFile(source, name, 0));
    expected[name] = "x";
  }
  Refuse refuse;
  zip.SetCallback(&refuse, CZipProgressCallback::cbSave);
  try {
    zip.Flush();
    ADD_FAILURE();
  } catch (const CZipException& e) {
    EXPECT_EQ(e.m_iCause, CZipException::abortedSafely);
  }
  zip.SetCallback(nullptr, CZipProgressCallback::cbSave);
  EXPECT_EQ(zip.Flush(), 0);
  zip.Close();
  ExpectValid(archive, expected);
}

TEST(ZipWrite, RefusedStates) {
  TempDir dir;
  CZipArchive zip;
  EXPECT_FALSE(zip.AddNewFile(dir / "none", 6));
  zip.Open(Fixture("python.zip"), CZipArchive::zipOpenReadOnly);
  CZipMemoryFile source;
  EXPECT_FALSE(zip.AddNewFile(source, "x", 6));
  EXPECT_FALSE(zip.DeleteFile(0));
  EXPECT_FALSE(zip.RenameFile(0, "x"));
  zip.Close();
  zip.Open(dir / "new.zip", CZipArchive::zipCreate);
  EXPECT_FALSE(zip.AddNewFile(dir / "missing.txt", 6));
  zip.Close();
  ExpectValid(dir / "new.zip", {});
}

}  // namespace

namespace {

TEST(ZipWrite, LargestCommentAndNameOrderOfFileNameSearch) {
  TempDir dir;
  const std::string archive = dir / "names.zip";
  CZipArchive zip;
  zip.Open(archive, CZipArchive::zipCreate);
  for (const char* name : {"b/PROPERTIES.TXT", "a/properties.txt", "Properties.txt.bak"}) {
    CZipMemoryFile source;
    source.Write(name, 1);
    ASSERT_TRUE(zip.AddNewFile(source, name, 6));
  }
  ASSERT_TRUE(zip.SetGlobalComment(std::string(65535, 'c')));
  EXPECT_FALSE(zip.SetGlobalComment(std::string(65536, 'c')));
  zip.Close();
  zip.Open(archive, CZipArchive::zipOpenReadOnly);
  EXPECT_EQ(zip.GetGlobalComment().size(), 65535u);
  const int found = zip.FindFile("Properties.txt", CZipArchive::ffDefault, true);
  ASSERT_GE(found, 0);
  CZipEntryHeader h;
  zip.GetFileInfo(h, static_cast<WORD>(found));
  EXPECT_EQ(h.GetFileName(), "a/properties.txt");  // the first in name order
  EXPECT_EQ(zip.FindFile("Properties.txt", CZipArchive::ffCaseSens, true), -1);
  std::vector<WORD> matches;
  zip.FindMatches("*.txt", matches, false);
  EXPECT_EQ(matches.size(), 2u);
  zip.Close();
}

}  // namespace
