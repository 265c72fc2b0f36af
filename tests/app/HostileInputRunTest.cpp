// The program run on inputs a user gets wrong: a log whose line ends do not
// match its instrument, and definition files that are empty, pipes,
// devices, damaged or written by other editors. Every run must end, with
// the right status and a reason on stderr.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/app/AppTestFolder.h"
#include "tests/app/ProgramRun.h"
#include "tests/app/ProgramRunFixture.h"

namespace {


// Built anew, so a log of millions of lines is rewritten in one pass.
std::string Replace(const std::string& text, const std::string& from, const std::string& to) {
  std::string out;
  out.reserve(text.size());
  std::size_t done = 0;
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, done)) {
    out.append(text, done, at - done).append(to);
    done = at + from.size();
  }
  return out.append(text, done, std::string::npos);
}

class HostileInputRun : public apptest::ProgramRunTest {
 protected:
  void Generate(const std::string& kind, int megabytes, const std::string& out) {
    const std::string command = std::string("'") + BRIVEN_GENERATE_LOG + "' " + kind + " " +
                                std::to_string(megabytes) + " '" + out + "' >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }

  std::string ascii_log_ = Example("ascii_cast.raw");
  std::string ascii_instrument_ = Example("NMAC0093.tdf");
};

// The CR LF instrument given a log with LF line ends: every header is given
// up in turn. The run must end (it once took hours past 16 MiB); the limit
// here is a hang limit, not a speed check.
TEST_F(HostileInputRun, ALogWithoutTheInstrumentsLineEndsEnds) {
  const std::string crlf_log = Path("crlf.raw");
  Generate("ascii", 40, crlf_log);
  const std::string log = Path("lf.raw");
  apptest::WriteFile(log, Replace(apptest::ReadFile(crlf_log), "\r", ""));
  std::filesystem::remove(crlf_log);
  ASSERT_GT(std::filesystem::file_size(log), 40u * 1000 * 1000);
  apptest::ProgramOptions options;
  options.timeout_ms = 240000;
  const apptest::ProgramRun run = Run({log, Path("out.dat"), ascii_instrument_}, options);
  EXPECT_EQ(run.exit_code, 3) << run.err;
  EXPECT_NE(run.err.find("NMAC0093 not found."), std::string::npos) << run.err;
}

struct RefusedCase {
  const char* name;
  std::string instrument;
  std::string reason;
};

TEST_F(HostileInputRun, DefinitionFilesThatAreNoDefinitionAreRefusedWithStatusOne) {
  const std::string fifo = Path("pipe.tdf");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // A writer that keeps the pipe open and never writes.
  const int writer = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  const std::string endless_line = std::string(5u << 20, 'x') + "\n";
  const std::vector<RefusedCase> cases = {
      {"empty file", folder_.Write("empty.tdf", ""), "The file is empty."},
      {"only comments, CR line ends", folder_.Write("comments.tdf", "# one\r# two\r"), "The file names no instrument."},
      {"pipe with an idle writer", fifo, "The file is not a regular file."},
      {"device", "/dev/zero", "The file is not a regular file."},
      {"line beyond the limit", folder_.Write("long.tdf", "# ok\n" + endless_line),
       "Line 2: The line is longer than 4194304 bytes."},
  };
  for (const RefusedCase& c : cases) {
    const std::string output = Path("out.dat");
    const apptest::ProgramRun run = Run({ascii_log_, output, c.instrument});
    EXPECT_EQ(run.exit_code, 1) << c.name << ": " << run.err;
    EXPECT_NE(run.err.find("Name: \"" + c.instrument + "\". " + c.reason + " The file format is invalid or corrupted."),
              std::string::npos)
        << c.name << ": " << run.err;
    EXPECT_NE(run.err.find("briven: Conversion aborted.\n"), std::string::npos) << c.name << ": " << run.err;
    EXPECT_FALSE(std::filesystem::exists(output)) << c.name;
  }
  ::close(writer);
}

TEST_F(HostileInputRun, DefinitionsFromOtherEditorsConvertLikeTheOriginal) {
  const std::string original = apptest::ReadFile(ascii_instrument_);
  ASSERT_EQ(original.find('\r'), std::string::npos);
  const apptest::ProgramRun reference = Run({ascii_log_, Path("reference.dat"), ascii_instrument_});
  ASSERT_EQ(reference.exit_code, 0) << reference.err;
  const std::string expected = apptest::ReadFile(Path("reference.dat"));
  const struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"CR line ends, first line a comment", Replace(original, "\n", "\r")},
      {"CR LF line ends", Replace(original, "\n", "\r\n")},
      {"byte-order mark", "\xEF\xBB\xBF" + original},
  };
  for (const auto& c : cases) {
    const std::string instrument = folder_.Write("edited.tdf", c.text);
    const apptest::ProgramRun run = Run({ascii_log_, Path("out.dat"), instrument, "-ow=yes"});
    EXPECT_EQ(run.exit_code, 0) << c.name << ": " << run.err;
    EXPECT_EQ(run.err, "") << c.name;
    EXPECT_EQ(apptest::ReadFile(Path("out.dat")), expected) << c.name;
  }
}

TEST_F(HostileInputRun, ADefinitionWithErrorsIsToldWithItsFirstErrorsLine) {
  const std::string original = apptest::ReadFile(ascii_instrument_);
  const std::string broken = Replace(original, "PRES             NONE     'dbar'       V   AF   1     POLYU",
                                     "PRES NONE 'dbar' V AF 1 NOFIT");
  ASSERT_NE(broken, original);
  std::size_t line = 1;
  for (std::size_t at = 0; (at = broken.find('\n', at)) < broken.find("NOFIT"); ++at) ++line;
  const std::string instrument = folder_.Write("broken.tdf", broken);
  const apptest::ProgramRun run = Run({ascii_log_, Path("out.dat"), instrument});
  EXPECT_EQ(run.exit_code, 1) << run.err;
  EXPECT_NE(run.err.find("Definition File: \"" + instrument + "\"\nbriven: First error: Line " + std::to_string(line) +
                         ": The fit type parameter is invalid. Sensor ignored.\n"),
            std::string::npos)
      << run.err;
}

struct SignalCase {
  int signal;
  int exit_code;
};

// A signal while a large definition file is read stops the run like one
// during the conversion: the aborted summary, and 128 + the signal.
TEST_F(HostileInputRun, SignalsDuringTheInstrumentLoadStopTheRun) {
  const std::string big_log = Path("big.raw");
  Generate("fixed", 60, big_log);
  std::string definition;
  const std::string comment = "# " + std::string(200, 'c') + "\n";
  while (definition.size() < (60u << 20)) definition += comment;
  const std::string instrument = folder_.Write("large.tdf", definition + apptest::ReadFile(Example("NMBP0417.tdf")));
  for (const SignalCase& c : {SignalCase{SIGINT, 130}, SignalCase{SIGTERM, 143}}) {
    const std::string output = Path("out" + std::to_string(c.signal) + ".dat");
    const std::string log = Path("run" + std::to_string(c.signal) + ".log");
    apptest::ProgramOptions options;
    options.signal = c.signal;
    // The conversion log is opened just before the instrument is loaded.
    options.signal_when_exists = log;
    const apptest::ProgramRun run = Run({big_log, output, instrument, "-cl=" + log}, options);
    EXPECT_EQ(run.exit_code, c.exit_code) << run.err;
    EXPECT_NE(run.err.find("briven: Conversion aborted."), std::string::npos) << run.err;
    EXPECT_NE(apptest::ReadFile(log).find("Conversion aborted."), std::string::npos);
  }
}

}  // namespace
