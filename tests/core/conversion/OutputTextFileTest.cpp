// The output writer: CR LF line ends through its large buffer, a second
// writer refused, and failures that show only when the buffer goes out.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstring>

#include "core/conversion/DocumentSettings.h"
#include "core/conversion/OutputTextFile.h"
#include "core/conversion/SameFile.h"
#include "platform/sys/FileException.h"
#include "platform/sys/Profile.h"
#include "tests/core/conversion/ConversionTestSupport.h"

namespace {

using conversion_test::ReadFile;
using conversion_test::TempFolder;

TEST(OutputTextFileTest, LineEndsBecomeCrLfAcrossBufferFlushes) {
  TempFolder folder;
  const std::string path = folder.Path("out.dat");
  COutputTextFile file;
  ASSERT_EQ(file.Open(path), 0);
  const std::string row = std::string(99, 'a') + "\n";
  const int rows = static_cast<int>(COutputTextFile::kBufferSize / row.size()) * 3;
  for (int i = 0; i < rows; ++i) ASSERT_EQ(file.WriteLine(row), 0);
  ASSERT_EQ(file.WriteLine("two\nlines\n"), 0);
  ASSERT_EQ(file.WriteLine("no end"), 0);
  EXPECT_EQ(file.Close(), 0);
  const std::string text = ReadFile(path);
  ASSERT_EQ(text.size(), static_cast<std::size_t>(rows) * 101 + 18);
  EXPECT_EQ(text.substr(0, 101), std::string(99, 'a') + "\r\n");
  EXPECT_EQ(text.substr(text.size() - 18), "two\r\nlines\r\nno end");
}

// Rows written in place give the bytes WriteLine gives the same texts (a
// row longer than the room first asked for among them), a row never ended
// leaves nothing, and a closed writer offers no place.
TEST(OutputTextFileTest, RowsWrittenInPlaceAreWrittenAsWriteLineWritesThem) {
  TempFolder folder;
  const std::string texts[] = {"row one\n", "two\nlines\n", "no end ", "and its end\n", "\n", "",
                               std::string(200000, 'x') + "\n"};
  std::string expected;
  {
    COutputTextFile reference;
    ASSERT_EQ(reference.Open(folder.Path("reference.dat")), 0);
    for (const std::string& text : texts) ASSERT_EQ(reference.WriteLine(text, 7), 0);
    ASSERT_EQ(reference.Close(), 0);
    expected = ReadFile(folder.Path("reference.dat"));
  }
  COutputTextFile file;
  EXPECT_EQ(file.BeginRow(16), nullptr);
  ASSERT_EQ(file.Open(folder.Path("out.dat")), 0);
  for (const std::string& text : texts) {
    char* dropped = file.BeginRow(16);
    ASSERT_NE(dropped, nullptr);
    std::memcpy(dropped, "left out\r\n", 10);
    // A row's own line end is written as CR LF; one within it is the
    // writer's to make so.
    const bool ends_line = !text.empty() && text.back() == '\n';
    const std::string body = ends_line ? text.substr(0, text.size() - 1) : text;
    char* at = file.MakeRoom(file.BeginRow(4), body.size() + 2);
    std::memcpy(at, body.data(), body.size());
    at += body.size();
    if (ends_line) {
      *at++ = '\r';
      *at++ = '\n';
    }
    ASSERT_EQ(file.EndRow(at, 7, ends_line, body.find('\n') != std::string::npos), 0);
  }
  ASSERT_EQ(file.Close(), 0);
  EXPECT_EQ(ReadFile(folder.Path("out.dat")), expected);
  EXPECT_EQ(file.GetWrittenTag(), 7u);
  EXPECT_EQ(file.BeginRow(16), nullptr);
}

TEST(OutputTextFileTest, RowsStillBufferedReachTheFileWhenTheWriterGoesUnclosed) {
  TempFolder folder;
  {
    COutputTextFile file;
    ASSERT_EQ(file.Open(folder.Path("out.dat")), 0);
    ASSERT_EQ(file.WriteLine("first\nsecond\n"), 0);
  }
  EXPECT_EQ(ReadFile(folder.Path("out.dat")), "first\r\nsecond\r\n");
}

TEST(OutputTextFileTest, AClosedOrSecondWriterIsRefused) {
  TempFolder folder;
  COutputTextFile closed;
  EXPECT_EQ(closed.WriteLine("x\n"), sys::CFileException::invalidFile);
  COutputTextFile first, second;
  ASSERT_EQ(first.Open(folder.Path("out.dat")), 0);
  ASSERT_EQ(first.WriteLine("kept\n"), 0);
  EXPECT_EQ(second.Open(folder.Path("out.dat")), sys::CFileException::sharingViolation);
  EXPECT_EQ(first.Close(), 0);
  EXPECT_EQ(ReadFile(folder.Path("out.dat")), "kept\r\n");
  EXPECT_EQ(first.Open(folder.Path("no/such/folder/out.dat")), sys::CFileException::badPath);
}

TEST(OutputTextFileTest, AFailedFinalWriteIsTheCloseResult) {
  TempFolder folder;
  COutputTextFile file;
  ASSERT_EQ(file.Open(folder.Path("out.dat")), 0);
  ASSERT_EQ(file.WriteLine(std::string(5000, 'x') + "\n"), 0);  // still buffered
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 1000;
  ::setrlimit(RLIMIT_FSIZE, &small);
  const int cause = file.Close();
  ::setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_NE(cause, 0);
  EXPECT_FALSE(file.IsOpen());
}

TEST(SameFileTest, NamesOfOneFileAreTheSameFile) {
  TempFolder folder;
  const std::string a = folder.Write("a.raw", "x");
  const std::string b = folder.Write("b.raw", "x");
  EXPECT_TRUE(conversion::IsSameFile(a, folder.Path() + "/./a.raw"));
  EXPECT_FALSE(conversion::IsSameFile(a, b));
  EXPECT_FALSE(conversion::IsSameFile(a, folder.Path("missing")));
  EXPECT_FALSE(conversion::IsSameFile(a, ""));
}

TEST(DocumentSettingsTest, ValuesSetForOneRunAreNotStored) {
  sys::MemoryProfile profile;
  sys::SetAppProfile(&profile);
  DocumentSettings settings;
  settings.overwrite_prompt = 0;
  settings.dismiss_progress = 1;
  settings.conversion_log = 1;
  settings.conversion_log_folder = "/logs/";
  ASSERT_TRUE(settings.Save({true, true, true}));
  EXPECT_EQ(profile.GetInt("Settings", "Overwrite Prompt", -1), -1);
  EXPECT_EQ(profile.GetInt("Settings", "Dismiss Progress", -1), -1);
  EXPECT_EQ(profile.GetInt("Settings", "Conversion Log", -1), -1);
  EXPECT_EQ(profile.GetString("Settings", "Conversion Log Directory", ""), "/logs/");
  ASSERT_TRUE(settings.Save({}));
  DocumentSettings loaded;
  loaded.Load();
  EXPECT_EQ(loaded.overwrite_prompt, 0);
  EXPECT_EQ(loaded.dismiss_progress, 1);
  EXPECT_EQ(loaded.conversion_log, 1);
  EXPECT_EQ(loaded.conversion_log_folder, "/logs/");
  sys::SetAppProfile(nullptr);
}

}  // namespace
