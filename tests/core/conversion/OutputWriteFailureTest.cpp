// A disk that refuses the output part way through: the writer and the whole
// conversion leave a file of whole rows, and the summary counts only the
// frames whose rows are in it. The refusal is a file-size limit in a forked
// child (SIGXFSZ ignored, so writes past it fail with EFBIG).
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <functional>

#include "core/conversion/OutputTextFile.h"
#include "tests/core/conversion/ConversionRunner.h"

namespace {

using conversion_test::ConversionRun;
using conversion_test::ConversionSetup;
using conversion_test::ReadFile;
using conversion_test::RunConversion;
using conversion_test::TempFolder;

// Runs work in a child whose files may not grow beyond limit bytes; the
// child's exit status is work's result.
int RunUnderFileSizeLimit(rlim_t limit, const std::function<int()>& work) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit small{limit, limit};
    ::setrlimit(RLIMIT_FSIZE, &small);
    ::_exit(work());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Every line of text ends in CR LF and none is cut.
void ExpectWholeLines(const std::string& text, std::size_t line_size) {
  ASSERT_FALSE(text.empty());
  ASSERT_EQ(text.compare(text.size() - 2, 2, "\r\n"), 0) << "ends mid-line";
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find("\r\n", at);
    ASSERT_EQ(end - at + 2, line_size) << "line at " << at;
    at = end + 2;
  }
}

TEST(OutputTextFileFailureTest, AFailedWriteLeavesTheWholeLinesAndTheirTag) {
  const std::size_t row_size = 100;  // 98 characters and CR LF
  const std::string row = std::string(98, 'r') + "\n";
  const std::size_t per_buffer = COutputTextFile::kBufferSize / row_size + 1;
  struct Case {
    const char* name;
    rlim_t limit;
    std::size_t rows;
  };
  // Refused in the final flush at close, and in a flush in mid-run that
  // leaves a whole earlier buffer in the file.
  const Case cases[] = {
      {"refused at close", 5050, 200},
      {"refused in mid-run", COutputTextFile::kBufferSize + 123457, per_buffer * 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::string path = folder.Path("out.dat");
    const int status = RunUnderFileSizeLimit(c.limit, [&] {
      COutputTextFile file;
      if (file.Open(path) != 0) return 10;
      int cause = 0;
      for (std::uint32_t i = 1; i <= c.rows && cause == 0; ++i) cause = file.WriteLine(row, i);
      if (cause == 0) cause = file.Close();
      if (cause == 0) return 11;
      // Nothing more reaches a file that has failed.
      if (file.IsOpen() && file.WriteLine(row, 999) == 0) return 12;
      file.Close();
      const std::size_t kept = ReadFile(path).size() / row_size;
      return file.GetWrittenTag() == kept ? 0 : 13;
    });
    EXPECT_EQ(status, 0);
    const std::string text = ReadFile(path);
    ExpectWholeLines(text, row_size);
    EXPECT_EQ(text.size(), c.limit / row_size * row_size);
  }
}

// A log of count frames of the fixed 15-byte test instrument.
std::string MakeLog(int count) {
  std::string log;
  log.reserve(static_cast<std::size_t>(count) * 15);
  for (int i = 0; i < count; ++i) {
    std::string body = "TSTB0123";
    body += static_cast<char>(i & 0xFF);
    body += static_cast<char>(0x04);
    body += static_cast<char>(0xD2);
    body += static_cast<char>(0xFF);
    body += static_cast<char>(0xFB);
    body += '\0';
    unsigned sum = 0;
    for (unsigned char b : body) sum += b;
    body += static_cast<char>((0x100 - (sum & 0xFF)) & 0xFF);
    log += body;
  }
  return log;
}

TEST(ConversionWriteFailureTest, TheOutputKeepsWholeRowsAndTheSummaryCountsThem) {
  constexpr int kFrames = 60000;  // about 1.7 MiB of rows: more than one buffer
  struct Case {
    const char* name;
    rlim_t limit;
  };
  const Case cases[] = {{"refused at the end", 4321}, {"refused in mid-run", COutputTextFile::kBufferSize + 54321}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::string log = folder.Write("many.raw", MakeLog(kFrames));
    const std::string result = folder.Path("result.txt");
    const int status = RunUnderFileSizeLimit(c.limit, [&] {
      const ConversionRun run = RunConversion(folder, {log, "binary.cal", nullptr, nullptr, false});
      std::FILE* out = std::fopen(result.c_str(), "w");
      if (!out) return 20;
      std::fprintf(out, "%d %u\n", run.completed ? 1 : 0, run.state.counters.frames_processed);
      std::fputs(run.log.c_str(), out);
      std::fclose(out);
      return 0;
    });
    ASSERT_EQ(status, 0);
    const std::string report = ReadFile(result);
    int completed = -1;
    unsigned processed = 0;
    ASSERT_EQ(std::sscanf(report.c_str(), "%d %u", &completed, &processed), 2);
    EXPECT_EQ(completed, 0);
    EXPECT_NE(report.find("An error occured writing to the output file.\r\n"), std::string::npos) << report;
    EXPECT_NE(report.find(std::string("Frames processed: ") + std::to_string(processed) + "\r\n"), std::string::npos)
        << report;

    const std::string output = ReadFile(folder.Path("out.dat"));
    ASSERT_LE(output.size(), c.limit);
    ASSERT_EQ(output.compare(output.size() - 2, 2, "\r\n"), 0) << "the output ends mid-row";
    // Column headers, then one row per frame, frames numbered from 1.
    const std::string columns = "SN\tFRAME(COUNTER)\tPRES\tTEMP(A)\tCHECK(SUM)\r\n";
    ASSERT_EQ(output.compare(0, columns.size(), columns), 0);
    std::size_t rows = 0;
    for (std::size_t at = columns.size(); at < output.size(); ++rows) {
      const std::size_t end = output.find("\r\n", at);
      const std::string expected = "0123\t" + std::to_string(rows & 0xFF) + "\t1234\t-5\t";
      ASSERT_EQ(output.compare(at, expected.size(), expected), 0) << "row " << rows;
      at = end + 2;
    }
    EXPECT_GT(rows, 0u);
    EXPECT_EQ(processed, rows);
  }
}

}  // namespace
