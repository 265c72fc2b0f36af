// How a definition file is cut into lines, and the files that are refused
// before they are read as definitions: line ends of every convention, a
// byte-order mark, lines and files beyond sane sizes, pipes and devices,
// and a load stopped by its caller.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/instrument/DefinitionLineReader.h"
#include "core/instrument/Instrument.h"
#include "core/instrument/ResultCodes.h"

namespace {

using namespace instrument;
using instrument_test::TempFolder;

// A variable-frame instrument with a comment first, a coefficient line and
// the terminator: every kind of line, in LF form.
const std::string kDefinition =
    "# Example instrument\n"
    "VLF_INSTRUMENT NMAC '' 4 AS 0 NONE\n"
    "VLF_SN 0093 '' 4 AS 0 NONE\n"
    "\n"
    "FIELD NONE ',' 1 AS 0 DELIMITER\n"
    "PRES NONE 'dbar' V AF 1 POLYU\n"
    "    -0.12 1.0\n"
    "TERMINATOR NONE '\\x0D\\x0A' 2 AS 0 DELIMITER\n";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

std::string InvalidFileReport(const std::string& kind, const std::string& path, const std::string& reason) {
  return "An error occured reading the " + kind + ".\r\n\t" + kind + " Name: \"" + path + "\".\r\n\t" + reason +
         "\r\n\tThe file format is invalid or corrupted.\r\n\tInstrument processing aborted.\r\n";
}

struct LineEndCase {
  const char* name;
  std::string text;
};

TEST(DefinitionFileReading, EveryLineEndConventionAndAByteOrderMarkGiveTheSameInstrument) {
  // A comment line of exactly the chunk size puts the next line end at the
  // chunk's border, so a CR LF pair is split between two reads.
  const std::string chunk_comment = "#" + std::string(64 * 1024 - 2, 'c');
  const LineEndCase cases[] = {
      {"LF", kDefinition},
      {"CR LF", Replace(kDefinition, "\n", "\r\n")},
      {"CR only, first line a comment", Replace(kDefinition, "\n", "\r")},
      {"CR only without a last line end", Replace(kDefinition, "\n", "\r").substr(0, kDefinition.size() - 1)},
      {"byte-order mark", "\xEF\xBB\xBF" + kDefinition},
      {"byte-order mark, CR LF", "\xEF\xBB\xBF" + Replace(kDefinition, "\n", "\r\n")},
      {"CR LF split across reads", chunk_comment + "\r\n" + Replace(kDefinition, "\n", "\r\n").substr(22)},
      {"CR only split across reads", chunk_comment + "\r" + Replace(kDefinition, "\n", "\r").substr(21)},
  };
  for (const LineEndCase& c : cases) {
    TempFolder folder;
    CInstrument instrument;
    ASSERT_EQ(instrument.LoadInstrumentFile(folder.Write("a.tdf", c.text)), kResultOk) << c.name;
    EXPECT_EQ(instrument.GetErrorCount(), 0) << c.name << "\n" << instrument.GetLoadReport();
    EXPECT_EQ(instrument.GetHeader(), "NMAC0093") << c.name;
    EXPECT_EQ(instrument.GetLinesRead(), 8) << c.name;
    ASSERT_EQ(instrument.GetSensorCount(), 1) << c.name;
    EXPECT_EQ(instrument.GetSensor(0)->GetLineNumber(), 6) << c.name;
    EXPECT_EQ(instrument.GetSensor(0)->GetCoefficientCount(), 2) << c.name;
    EXPECT_EQ(instrument.GetTerminator(), "\r\n") << c.name;
  }
}

TEST(DefinitionFileReading, AByteOrderMarkAfterTheStartIsText) {
  TempFolder folder;
  CInstrument instrument;
  const std::string path = folder.Write("a.tdf", "\n\xEF\xBB\xBF# a comment\n" + kDefinition.substr(21));
  ASSERT_EQ(instrument.LoadInstrumentFile(path), kResultOk);
  const std::string& report = instrument.GetLoadReport();
  EXPECT_NE(report.find("\tLine 2: Unexpected sensor definition line format.\r\n"), std::string::npos) << report;
}

struct LimitCase {
  const char* name;
  std::string text;
  std::string reason;  // empty: loads
};

TEST(DefinitionFileReading, LinesAndFilesBeyondTheLimitsAreRefusedNamingTheLine) {
  constexpr std::size_t kLine = DefinitionLineReader::kMaxLineLength;
  const std::string header = "INSTRUMENT RADX '' 4 AS 0 NONE\n# second\n";
  const std::string full_line = "#" + std::string(kLine - 1, 'x');
  // Comment lines of 1 KiB up to the file limit, then one byte more.
  const std::string comment_kib = "#" + std::string(1022, 'c') + "\n";
  std::string full_file;
  full_file.reserve(DefinitionLineReader::kMaxFileSize + 1);
  full_file = header;
  while (full_file.size() + comment_kib.size() <= DefinitionLineReader::kMaxFileSize) full_file += comment_kib;
  full_file.append(DefinitionLineReader::kMaxFileSize - full_file.size(), '#');
  const std::size_t comment_lines = (full_file.size() - header.size()) / comment_kib.size();
  const std::string lines_in_full_file = std::to_string(2 + comment_lines + 1);
  const LimitCase cases[] = {
      {"longest line", header + full_line + "\nT NONE 'C' 2 BU 0 COUNT\n", ""},
      {"line one byte longer", header + full_line + "x\nT NONE 'C' 2 BU 0 COUNT\n",
       "Line 3: The line is longer than 4194304 bytes."},
      {"endless first line", std::string(kLine + 10, '\0'), "Line 1: The line is longer than 4194304 bytes."},
      {"largest file", full_file, ""},
      {"file one byte larger", full_file + "\n",
       "Line " + lines_in_full_file + ": The file is longer than 67108864 bytes."},
  };
  for (const LimitCase& c : cases) {
    TempFolder folder;
    CInstrument instrument;
    const std::string path = folder.Write("a.cal", c.text);
    const int result = instrument.LoadInstrumentFile(path);
    if (c.reason.empty()) {
      EXPECT_EQ(result, kResultOk) << c.name << "\n" << instrument.GetLoadReport();
      continue;
    }
    EXPECT_EQ(result, kInstrumentInvalidFile) << c.name;
    EXPECT_EQ(instrument.GetLoadReport(), InvalidFileReport("Calibration File", path, c.reason)) << c.name;
  }
}

TEST(DefinitionFileReading, PipesAndDevicesAreRefusedWithoutWaitingForThem) {
  TempFolder folder;
  const std::string fifo = folder.Path("pipe.tdf");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  {
    CInstrument instrument;
    EXPECT_EQ(instrument.LoadInstrumentFile(fifo), kInstrumentInvalidFile);
    EXPECT_EQ(instrument.GetLoadReport(),
              InvalidFileReport("Telemetry Definition File", fifo, "The file is not a regular file."));
  }
  // A writer that holds the pipe open and never writes must not hold the
  // load either.
  const int writer = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  {
    CInstrument instrument;
    EXPECT_EQ(instrument.LoadInstrumentFile(fifo), kInstrumentInvalidFile);
  }
  ::close(writer);
  CInstrument zeros;
  EXPECT_EQ(zeros.LoadInstrumentFile("/dev/zero"), kInstrumentInvalidFile);
  EXPECT_EQ(zeros.GetLoadReport(),
            InvalidFileReport("Instrument File", "/dev/zero", "The file is not a regular file."));
}

TEST(DefinitionFileReading, ALoadWithoutAnInstrumentLineCanBeRefusedAsNameless) {
  TempFolder folder;
  for (const char* text : {"", "\xEF\xBB\xBF", "# only a comment\r# and another\r"}) {
    CInstrument instrument;
    const std::string path = folder.Write("a.tdf", text);
    ASSERT_EQ(instrument.LoadInstrumentFile(path), kResultOk);
    EXPECT_EQ(instrument.RefuseUnnamedInstrument(), kInstrumentInvalidFile);
    const char* reason = instrument.GetLinesRead() == 0 ? "The file is empty." : "The file names no instrument.";
    EXPECT_EQ(instrument.GetLoadReport(), InvalidFileReport("Telemetry Definition File", path, reason)) << text;
  }
}

TEST(DefinitionFileReading, AStopRequestEndsTheLoadAtOnce) {
  TempFolder folder;
  std::string big = kDefinition;
  while (big.size() < (4u << 20)) big += "# " + std::string(200, 'c') + "\n";
  const std::string path = folder.Write("big.tdf", big);
  int asked = 0;
  CInstrument instrument;
  EXPECT_EQ(instrument.LoadInstrumentFile(path, [&asked] { return ++asked > 3; }), kInstrumentLoadStopped);
  EXPECT_EQ(asked, 4);  // asked once a chunk, and not read on after the yes
  EXPECT_EQ(instrument.GetLoadReport(),
            "Unable to load instrument.\r\n\tThe load was stopped.\r\n\tInstrument processing aborted.\r\n");
  CInstrument unstopped;
  EXPECT_EQ(unstopped.LoadInstrumentFile(path, [] { return false; }), kResultOk);
}

}  // namespace
