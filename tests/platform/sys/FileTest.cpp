#include "platform/sys/File.h"
#include "platform/sys/StdioFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using sys::CFile;
using sys::CFileException;
using sys::CStdioFile;

using testsupport::ReadFile;
using testsupport::TempFolder;
using testsupport::WriteFile;

int OpenCause(const std::string& path, unsigned flags) {
  CFile file;
  CFileException error;
  if (file.Open(path, flags, &error)) return CFileException::none;
  return error.m_cause;
}

TEST(FileCause, RealFailuresMapToTheirCauses) {
  TempFolder dir;
  WriteFile(dir / "plain", "x");
  fs::create_directory(dir / "locked");
  WriteFile(dir / "locked/inner", "x");
  fs::permissions(dir / "locked", fs::perms::none);
  const bool root = ::geteuid() == 0;

  struct Case {
    const char* what;
    std::string path;
    unsigned flags;
    int cause;
  } cases[] = {
      {"missing file", dir / "nothing", CFile::modeRead, CFileException::fileNotFound},
      {"missing folder", dir / "no-folder/file", CFile::modeRead, CFileException::badPath},
      {"file used as folder", dir / "plain/file", CFile::modeRead, CFileException::badPath},
      {"folder opened for writing", dir / "locked", CFile::modeWrite, CFileException::accessDenied},
      {"folder opened for reading", dir / ".", CFile::modeRead, CFileException::accessDenied},
      {"no permission", dir / "locked/inner", CFile::modeRead,
       root ? CFileException::none : CFileException::accessDenied},
  };
  for (const Case& c : cases) EXPECT_EQ(OpenCause(c.path, c.flags), c.cause) << c.what;
}

TEST(FileCause, FullDeviceIsDiskFull) {
  CFile file("/dev/full", CFile::modeWrite | CFile::shareDenyNone);
  const std::string bytes(1 << 16, 'x');
  try {
    file.Write(bytes.data(), bytes.size());
    FAIL() << "a write to /dev/full succeeded";
  } catch (const CFileException& e) {
    EXPECT_EQ(e.m_cause, CFileException::diskFull);
    EXPECT_EQ(e.m_strFileName, "/dev/full");
  }
}

TEST(FileShare, ExclusiveOpenIsRefusedAndTruncatesNothing) {
  TempFolder dir;
  WriteFile(dir / "log", "keep me");
  CFile first(dir / "log", CFile::modeRead | CFile::shareDenyWrite);
  EXPECT_EQ(OpenCause(dir / "log", CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive),
            CFileException::sharingViolation);
  EXPECT_EQ(ReadFile(dir / "log"), "keep me");
  EXPECT_EQ(OpenCause(dir / "log", CFile::modeRead | CFile::shareDenyWrite), CFileException::none);
}

TEST(FileShare, PlainReadersShareButKeepWritersOut) {
  TempFolder dir;
  WriteFile(dir / "instrument.cal", "x");
  CFile first(dir / "instrument.cal", CFile::modeRead);
  EXPECT_EQ(OpenCause(dir / "instrument.cal", CFile::modeRead), CFileException::none);
  EXPECT_EQ(OpenCause(dir / "instrument.cal", CFile::modeWrite), CFileException::sharingViolation);
  EXPECT_EQ(OpenCause(dir / "instrument.cal", CFile::modeRead | CFile::shareExclusive),
            CFileException::sharingViolation);
}

TEST(StdioFile, ReadsBothLineEndsAndWritesCrLf) {
  TempFolder dir;
  WriteFile(dir / "in.txt", "one\r\ntwo\nthree");
  CStdioFile in(dir / "in.txt", CFile::modeRead | CFile::typeText);
  std::string line;
  std::vector<std::string> lines;
  while (in.ReadString(line)) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three"}));

  {
    CStdioFile out(dir / "out.txt", CFile::modeCreate | CFile::modeWrite | CFile::typeText);
    out.WriteString("a\nb\n");
    EXPECT_EQ(out.GetPosition(), 6);
    out.Close();
  }
  EXPECT_EQ(ReadFile(dir / "out.txt"), "a\r\nb\r\n");
}

TEST(File, NamedPipeWithNobodyAtTheOtherEndDoesNotHang) {
  TempFolder dir;
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  // Reading: open succeeds and the pipe reads as empty.
  CFile reader;
  ASSERT_TRUE(reader.Open(dir / "pipe", CFile::modeRead | CFile::shareDenyNone));
  char byte = 0;
  EXPECT_EQ(reader.Read(&byte, 1), 0u);
  reader.Close();
  // Writing with no reader: a failure, not a wait.
  EXPECT_NE(OpenCause(dir / "pipe", CFile::modeWrite | CFile::shareDenyNone), CFileException::none);
}

TEST(File, PositionedReadLeavesThePointer) {
  TempFolder dir;
  WriteFile(dir / "data", "0123456789");
  CFile file(dir / "data", CFile::modeRead);
  char buffer[4] = {};
  file.Seek(2, CFile::begin);
  EXPECT_EQ(file.ReadAt(buffer, 3, 7), 3u);
  EXPECT_EQ(std::string(buffer, 3), "789");
  EXPECT_EQ(file.GetPosition(), 2);
  EXPECT_EQ(file.ReadAt(buffer, 4, 9), 1u);
}

}  // namespace
