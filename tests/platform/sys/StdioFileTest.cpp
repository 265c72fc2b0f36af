#include "platform/sys/StdioFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using sys::CFile;
using sys::CFileException;
using sys::CStdioFile;

// A file in a folder of its own, removed afterwards.
class StdioFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "briven-stdio-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    path_ = folder_ + "/data.txt";
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  void WriteFile(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
  std::string ReadFile() {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::string folder_;
  std::string path_;
};

TEST_F(StdioFileTest, LinesLongerThanTheBufferArriveWhole) {
  // A CR LF split across the read-ahead boundary still ends the line.
  const std::string first(64 * 1024 - 1, 'a');
  const std::string second(200 * 1024, 'b');
  WriteFile(first + "\r\n" + second + "\nlast");
  CStdioFile file(path_, CFile::modeRead | CFile::typeText);
  std::string line;
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(line, first);
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(line.size(), second.size());
  EXPECT_EQ(line, second);
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(line, "last");
  EXPECT_FALSE(file.ReadString(line));
  EXPECT_EQ(line, "");
}

TEST_F(StdioFileTest, LengthFollowsAFileThatShrankUnderTheReader) {
  WriteFile(std::string(1000, 'x') + "\n");
  CStdioFile reader(path_, CFile::modeRead | CFile::shareDenyNone | CFile::typeText);
  std::string line;
  ASSERT_TRUE(reader.ReadString(line));  // the whole file is now read ahead
  ASSERT_EQ(::truncate(path_.c_str(), 10), 0);
  EXPECT_EQ(reader.GetLength(), 10);

  // Pending writes still count until they reach the disk.
  CStdioFile writer(folder_ + "/out.txt", CFile::modeCreate | CFile::modeWrite | CFile::typeText);
  writer.WriteString("abc\n");
  EXPECT_EQ(writer.GetLength(), 5);
}

TEST_F(StdioFileTest, FailedSeekKeepsThePosition) {
  WriteFile("one\ntwo\nthree\n");
  CStdioFile file(path_, CFile::modeRead | CFile::typeText);
  std::string line;
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_THROW(file.Seek(-100, CFile::current), CFileException);
  EXPECT_EQ(file.GetPosition(), 4);
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(line, "two");
  EXPECT_EQ(file.Seek(-4, CFile::current), 4);
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(line, "two");
}

TEST_F(StdioFileTest, ClosedFileReadsNothingLeftOver) {
  WriteFile("one\ntwo\n");
  CStdioFile file(path_, CFile::modeRead | CFile::typeText);
  std::string line;
  ASSERT_TRUE(file.ReadString(line));
  file.Close();
  EXPECT_THROW(file.ReadString(line), CFileException);
}

TEST_F(StdioFileTest, ReopeningWritesOutWhatThePreviousFileHadPending) {
  CStdioFile file(folder_ + "/first.txt", CFile::modeCreate | CFile::modeWrite | CFile::typeText);
  file.WriteString("kept\n");
  ASSERT_TRUE(file.Open(path_, CFile::modeCreate | CFile::modeWrite | CFile::typeText));
  file.WriteString("second\n");
  file.Close();
  std::ifstream first(folder_ + "/first.txt", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(first), {}), "kept\r\n");
  EXPECT_EQ(ReadFile(), "second\r\n");
}

TEST_F(StdioFileTest, TextModeWritesCrLfAndBinaryModeKeepsBytes) {
  {
    CStdioFile text(path_, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
    text.WriteString("a\n\nb\r\nc");
    text.Close();
  }
  EXPECT_EQ(ReadFile(), "a\r\n\r\nb\r\r\nc");
  {
    CStdioFile binary(path_, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    binary.WriteString("a\nb");
    binary.Close();
  }
  EXPECT_EQ(ReadFile(), "a\nb");
}

}  // namespace
