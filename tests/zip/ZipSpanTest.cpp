// Archives spanning fixed-size volumes: written as data.000, data.001, ...
// with the last under the archive's name, read back when opened with a
// volume size, refused (with no sibling looked for) when opened without.
#include <gtest/gtest.h>

#include <filesystem>

#include "ZipTestSupport.h"
#include "zip/ZipArchive.h"
#include "zip/ZipException.h"
#include "zip/ZipMemoryFile.h"

using ziptest::Fixture;
using ziptest::TempDir;

namespace {

std::string Noise(std::size_t size) {
  std::string s(size, '\0');
  unsigned x = 12345;
  for (char& c : s) c = static_cast<char>((x = x * 1103515245 + 12345) >> 24);
  return s;
}

TEST(ZipSpan, FixedSizeVolumesRoundTrip) {
  TempDir dir;
  const std::string archive = dir / "data.zip";
  const std::string big = Noise(150000);
  const std::string text(20000, 't');
  CZipArchive zip;
  zip.Open(archive, CZipArchive::zipCreateSpan, 65536);
  CZipMemoryFile a, b;
  a.Write(big.data(), static_cast<UINT>(big.size()));
  b.Write(text.data(), static_cast<UINT>(text.size()));
  ASSERT_TRUE(zip.AddNewFile(a, "noise.bin", 0));
  ASSERT_TRUE(zip.AddNewFile(b, "text.txt", 6));
  EXPECT_FALSE(zip.OpenFile(0));  // an archive being spanned cannot be read
  EXPECT_FALSE(zip.DeleteFile(0));
  zip.Close();
  for (const char* volume : {"data.000", "data.001", "data.zip"})
    EXPECT_TRUE(std::filesystem::exists(dir / volume)) << volume;
  EXPECT_LE(std::filesystem::file_size(dir / "data.000"), 65536u);

  try {
    zip.Open(archive, CZipArchive::zipOpenReadOnly);
    ADD_FAILURE() << "opened without a volume size";
  } catch (const CZipException& e) {
    EXPECT_EQ(e.m_iCause, CZipException::badZipFile);
  }
  zip.Open(archive, CZipArchive::zipOpenReadOnly, 65536);
  ASSERT_EQ(zip.GetCount(), 2);
  CZipEndRecord info;
  EXPECT_EQ(zip.GetCentralDirInfo(info), -1);
  for (const auto& [name, content] : {std::pair<std::string, std::string>{"noise.bin", big}, {"text.txt", text}}) {
    CZipMemoryFile out;
    ASSERT_TRUE(zip.ExtractFile(static_cast<WORD>(zip.FindFile(name)), out)) << name;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.GetData()), static_cast<std::size_t>(out.GetLength())),
              content);
    EXPECT_TRUE(zip.TestFile(static_cast<WORD>(zip.FindFile(name))));
  }
  zip.Close();

}

// Everything fitted on the first volume: the archive is rewritten as an
// ordinary one, without the spanning signature and without descriptors
// (except where an encrypted entry's check byte needs one).
TEST(ZipSpan, OneVolumeSpannedArchiveBecomesOrdinary) {
  TempDir dir;
  const std::string archive = dir / "one.zip";
  CZipArchive zip;
  zip.Open(archive, CZipArchive::zipCreateSpan, 1 << 20);
  const std::string text(5000, 's');
  for (const char* name : {"a.txt", "b.txt"}) {
    CZipMemoryFile a;
    a.Write(text.data(), static_cast<UINT>(text.size()));
    ASSERT_TRUE(zip.AddNewFile(a, name, 6));
  }
  zip.SetPassword("pw");
  CZipMemoryFile c;
  c.Write(text.data(), static_cast<UINT>(text.size()));
  ASSERT_TRUE(zip.AddNewFile(c, "c.txt", 6));
  zip.Close();
  EXPECT_FALSE(std::filesystem::exists(dir / "one.000"));
  EXPECT_EQ(ziptest::ReadAll(archive).substr(0, 4), std::string("PK\x03\x04", 4));
  EXPECT_EQ(ziptest::Run("unzip -tq -P pw '" + archive + "' >/dev/null"), 0);
  zip.Open(archive, CZipArchive::zipOpenReadOnly);
  zip.SetPassword("pw");
  CZipEntryHeader h;
  zip.GetFileInfo(h, 0);
  EXPECT_FALSE(h.IsDataDescriptor());
  for (WORD i = 0; i < 3; ++i) EXPECT_TRUE(zip.TestFile(i)) << i;
  zip.Close();
}

TEST(ZipSpan, TheThousandthVolumeIsRefused) {
  TempDir dir;
  CZipArchive zip;
  zip.Open(dir / "many.zip", CZipArchive::zipCreateSpan, 1);
  CZipMemoryFile a;
  const std::string data(1500, 'd');
  a.Write(data.data(), static_cast<UINT>(data.size()));
  try {
    zip.AddNewFile(a, "a.txt", 0);
    ADD_FAILURE();
  } catch (const CZipException& e) {
    EXPECT_EQ(e.m_iCause, CZipException::tooManyVolumes);
  }
  zip.Close(CZipArchive::afAfterException);
  EXPECT_TRUE(std::filesystem::exists(dir / "many.998"));
  EXPECT_FALSE(std::filesystem::exists(dir / "many.999"));
}

TEST(ZipSpan, RemovableSpanningNeedsACallbackAndARemovableDrive) {
  TempDir dir;
  CZipArchive zip;
  try {
    zip.Open(dir / "r.zip", CZipArchive::zipCreateSpan, 0);
    ADD_FAILURE();
  } catch (const CZipException& e) {
    EXPECT_EQ(e.m_iCause, CZipException::noCallback);
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(ZipSpan, SplitArchiveOfInfoZipIsRefusedWithoutItsParts) {
  CZipArchive zip;
  try {
    zip.Open(Fixture("infozip-split.zip"), CZipArchive::zipOpenReadOnly);
    ADD_FAILURE();
  } catch (const CZipException& e) {
    EXPECT_EQ(e.m_iCause, CZipException::badZipFile);
    EXPECT_NE(std::string(e.what()).find("multi-volume"), std::string::npos) << e.what();
  }
}

}  // namespace
