// Replacing an existing output: the previous file is never emptied, takes
// the new rows only when the writer closes with every write done, and stays
// byte for byte as it was when the run fails or is discarded; no temporary
// is left behind either way, and the new file keeps the old one's
// permissions. A new file is written in place, as before.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <algorithm>
#include <filesystem>
#include <vector>

#include "core/conversion/OutputTextFile.h"
#include "platform/sys/FileException.h"
#include "tests/core/conversion/ConversionTestSupport.h"

namespace {

using conversion_test::ReadFile;
using conversion_test::TempFolder;

const std::string kPrevious = "yesterday's rows\r\n";

std::vector<std::string> Entries(const TempFolder& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

unsigned ModeOf(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mode & 07777;
}

TEST(OutputReplacementTest, ThePreviousFileStaysUntilTheWriterClosesWhole) {
  TempFolder folder;
  const std::string path = folder.Write("out.dat", kPrevious);
  ::chmod(path.c_str(), 0640);
  COutputTextFile file;
  ASSERT_EQ(file.Open(path), 0);
  ASSERT_EQ(file.WriteLine(std::string(COutputTextFile::kBufferSize, 'r') + "\n"), 0);  // reaches the disk
  // While the run lasts the old rows are all there, and the rows go to a
  // hidden temporary whose name says whose it is.
  EXPECT_EQ(ReadFile(path), kPrevious);
  const std::vector<std::string> during = Entries(folder);
  ASSERT_EQ(during.size(), 2u);
  EXPECT_EQ(during[0].rfind(".out.dat.briven-", 0), 0u) << during[0];
  EXPECT_EQ(file.GetFilePath(), path);
  EXPECT_EQ(file.Close(), 0);
  EXPECT_FALSE(file.KeptPrevious());
  EXPECT_EQ(ReadFile(path).size(), COutputTextFile::kBufferSize + 2);
  EXPECT_EQ(ModeOf(path), 0640u);
  EXPECT_EQ(Entries(folder), std::vector<std::string>{"out.dat"});
}

TEST(OutputReplacementTest, AFailedOrDiscardedRunKeepsThePreviousFileByteForByte) {
  struct Case {
    const char* name;
    bool refuse_writes;  // a file-size limit makes every write past it fail (EFBIG)
    bool discard;
  };
  for (const Case& c : {Case{"write fails", true, false}, Case{"run discarded", false, true},
                        Case{"write fails, then discarded", true, true}}) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::string path = folder.Write("out.dat", kPrevious);
    COutputTextFile file;
    ASSERT_EQ(file.Open(path), 0);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    if (c.refuse_writes) small.rlim_cur = 1000;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const int cause = file.WriteLine(std::string(COutputTextFile::kBufferSize, 'x') + "\n");
    const int closed = c.discard ? file.Discard() : file.Close();
    ::setrlimit(RLIMIT_FSIZE, &old);
    if (c.refuse_writes) {
      EXPECT_NE(cause, 0);
    }
    if (!c.discard) {
      EXPECT_EQ(closed, 0) << "the failed write was reported already";
    }
    EXPECT_TRUE(file.KeptPrevious());
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(ReadFile(path), kPrevious);
    EXPECT_EQ(Entries(folder), std::vector<std::string>{"out.dat"});
  }
}

TEST(OutputReplacementTest, ALinkStaysALinkAndANewFileIsWrittenInPlace) {
  TempFolder folder;
  const std::string target = folder.Write("target.dat", kPrevious);
  std::filesystem::create_symlink(target, folder.Path("link.dat"));
  COutputTextFile file;
  ASSERT_EQ(file.Open(folder.Path("link.dat")), 0);
  ASSERT_EQ(file.WriteLine("new\n"), 0);
  ASSERT_EQ(file.Close(), 0);
  EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("link.dat")));
  EXPECT_EQ(ReadFile(target), "new\r\n");

  // No previous file: rows appear in the file itself as they are written,
  // and a discarded run leaves them (whole lines) as a closed one would.
  ASSERT_EQ(file.Open(folder.Path("fresh.dat")), 0);
  ASSERT_EQ(file.WriteLine(std::string(COutputTextFile::kBufferSize, 'f') + "\n"), 0);
  EXPECT_EQ(ReadFile(folder.Path("fresh.dat")).size(), COutputTextFile::kBufferSize + 2);
  EXPECT_EQ(file.Discard(), 0);
  EXPECT_FALSE(file.KeptPrevious());
  EXPECT_EQ(Entries(folder), (std::vector<std::string>{"fresh.dat", "link.dat", "target.dat"}));
}

TEST(OutputReplacementTest, AFileInUseOrWriteProtectedIsNotReplaced) {
  TempFolder folder;
  const std::string path = folder.Write("out.dat", kPrevious);
  COutputTextFile first, second;
  ASSERT_EQ(first.Open(path), 0);
  EXPECT_EQ(second.Open(path), sys::CFileException::sharingViolation);
  first.Discard();
  if (::geteuid() != 0) {  // root may write any file
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(second.Open(path), sys::CFileException::accessDenied);
  }
  EXPECT_EQ(ReadFile(path), kPrevious);
  EXPECT_EQ(Entries(folder), std::vector<std::string>{"out.dat"});
}

}  // namespace
