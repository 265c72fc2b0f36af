// Positions past 2 GiB read correctly; growth past the format's 4 GiB is
// refused before anything is written. Sparse files keep these cheap.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <cstring>
#include <filesystem>

#include "ZipTestSupport.h"
#include "zip/ZipArchive.h"
#include "zip/ZipException.h"
#include "zip/ZipLittleEndian.h"
#include "zip/ZipMemoryFile.h"

using ziptest::TempDir;
using namespace ZipLittleEndian;

namespace {

constexpr std::int64_t kGap = 0xA0000000;  // 2.5 GiB of sparse zeros

void WriteAt(int fd, std::int64_t at, const std::string& bytes) {
  ASSERT_EQ(::pwrite(fd, bytes.data(), bytes.size(), at), static_cast<ssize_t>(bytes.size()));
}

// A stored 2.5 GiB entry of zeros followed by a small one: the small
// entry's offset and the directory's lie beyond 2 GiB.
TEST(ZipLarge, EntriesBeyondTwoGibibytes) {
  TempDir dir;
  const std::string path = dir / "big.zip";
  const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  const std::string small = "small entry\n";
  const auto crc = static_cast<DWORD>(crc32(0, reinterpret_cast<const Bytef*>(small.data()), small.size()));
  const std::string big = ziptest::StoredLocalHeader("big.bin", 0, static_cast<DWORD>(kGap));
  WriteAt(fd, 0, big);
  const std::int64_t second = static_cast<std::int64_t>(big.size()) + kGap;
  const std::string local = ziptest::StoredLocalHeader("small.txt", crc, static_cast<DWORD>(small.size())) + small;
  WriteAt(fd, second, local);
  const std::string cd = ziptest::StoredCentralHeader("big.bin", 0, static_cast<DWORD>(kGap), 0) +
                         ziptest::StoredCentralHeader("small.txt", crc, static_cast<DWORD>(small.size()), static_cast<DWORD>(second));
  const std::int64_t cdAt = second + static_cast<std::int64_t>(local.size());
  std::string end(22, '\0');
  auto* p = reinterpret_cast<BYTE*>(end.data());
  Put32(p, 0x06054B50);
  Put16(p + 8, 2);
  Put16(p + 10, 2);
  Put32(p + 12, static_cast<DWORD>(cd.size()));
  Put32(p + 16, static_cast<DWORD>(cdAt));
  WriteAt(fd, cdAt, cd + end);
  ::close(fd);

  CZipArchive zip;
  zip.Open(path, CZipArchive::zipOpenReadOnly);
  ASSERT_EQ(zip.GetCount(), 2);
  CZipMemoryFile out;
  ASSERT_TRUE(zip.ExtractFile(static_cast<WORD>(zip.FindFile("small.txt")), out));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.GetData()), static_cast<std::size_t>(out.GetLength())), small);
  zip.Close();
}

TEST(ZipLarge, AddingPastFourGibibytesIsRefusedBeforeWriting) {
  TempDir dir;
  const std::string source = dir / "huge.bin";
  const int fd = ::open(source.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, 0x100000000ll), 0);
  ::close(fd);
  const std::string archive = dir / "out.zip";
  CZipArchive zip;
  zip.Open(archive, CZipArchive::zipCreate);
  CZipMemoryFile tiny;
  tiny.Write("a", 1);
  ASSERT_TRUE(zip.AddNewFile(tiny, "a.txt", 0));
  zip.Flush();
  const auto before = std::filesystem::file_size(archive);
  try {
    zip.AddNewFile(source, "huge.bin", 0);
    ADD_FAILURE() << "added";
  } catch (const CZipException& e) {
    EXPECT_EQ(e.m_iCause, 27);
    EXPECT_NE(std::string(e.what()).find("4 GiB"), std::string::npos);
  }
  EXPECT_LE(std::filesystem::file_size(archive), before);
  zip.Close();
  EXPECT_EQ(ziptest::Run("unzip -tq '" + archive + "' >/dev/null"), 0);
}

}  // namespace
