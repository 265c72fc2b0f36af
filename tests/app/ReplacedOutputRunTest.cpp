// The program replacing an output that is already there, run as a user's
// script runs it: a run that fails or is killed leaves the previous output
// byte for byte, a run that completes or is stopped replaces it whole.
#include <signal.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/app/AppTestFolder.h"
#include "tests/app/ProgramRun.h"
#include "tests/app/ProgramRunFixture.h"

namespace {

const std::string kPrevious = "SN\tyesterday's results\r\n0417\t1\t2\r\n";

class ReplacedOutputRun : public apptest::ProgramRunTest {
 protected:
  void SetUp() override {
    for (const char* name : {"binary_cast.raw", "NMBP0417.tdf"}) Example(name);
    apptest::WriteFile(Path("out.dat"), kPrevious);
  }
  // Names in the folder that begin with prefix.
  std::vector<std::string> Named(const std::string& prefix) const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
      const std::string name = entry.path().filename().string();
      if (name.rfind(prefix, 0) == 0) names.push_back(name);
    }
    return names;
  }
};

TEST_F(ReplacedOutputRun, ARunTheDiskRefusesKeepsThePreviousOutputAndSaysSo) {
  apptest::ProgramOptions options;
  options.file_size_limit = 4096;
  const apptest::ProgramRun run =
      Run({Path("binary_cast.raw"), Path("out.dat"), Path("NMBP0417.tdf"), "-ow=yes"}, options);
  EXPECT_EQ(run.exit_code, 1) << run.err;
  EXPECT_NE(run.err.find("briven: An error occured writing to the output file. The disk is full.\n"), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("briven: The previous output file \"" + Path("out.dat") +
                         "\" is kept as it was; the rows of this conversion were discarded.\n"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(apptest::ReadFile(Path("out.dat")), kPrevious);
  EXPECT_TRUE(Named(".out.dat.").empty());
}

TEST_F(ReplacedOutputRun, ACompleteRunReplacesTheOutputKeepingItsPermissions) {
  ::chmod(Path("out.dat").c_str(), 0640);
  const apptest::ProgramRun run = Run({Path("binary_cast.raw"), Path("out.dat"), Path("NMBP0417.tdf"), "-ow=yes"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::string output = apptest::ReadFile(Path("out.dat"));
  EXPECT_EQ(output.rfind("SN\tFRAME(COUNTER)\tPRES", 0), 0u) << output.substr(0, 80);
  EXPECT_EQ(output.size(), 13370u);
  struct stat st {};
  ASSERT_EQ(::stat(Path("out.dat").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_TRUE(Named(".out.dat.").empty());
}

struct StopCase {
  int signal;
  int exit_code;       // -1: killed, no exit of its own
  bool replaced;       // the stopped run's rows take the output's place
};

TEST_F(ReplacedOutputRun, AStoppedRunReplacesWithWholeRowsAKilledOneLeavesThePreviousFile) {
  const std::string big_log = Path("big.raw");
  // Large enough that the signal always comes in the middle of the rows.
  const std::string command = std::string("'") + BRIVEN_GENERATE_LOG + "' fixed 160 '" + big_log + "' >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (const StopCase& c : {StopCase{SIGKILL, -1, false}, StopCase{SIGTERM, 143, true}}) {
    SCOPED_TRACE(c.signal);
    const std::string output = Path("big" + std::to_string(c.signal) + ".dat");
    const std::string log = Path("run" + std::to_string(c.signal) + ".log");
    apptest::WriteFile(output, kPrevious);
    apptest::ProgramOptions options;
    options.signal = c.signal;
    options.signal_after_ms = 250;
    options.signal_when_exists = log;
    const apptest::ProgramRun run = Run({big_log, output, Path("NMBP0417.tdf"), "-ow=yes", "-cl=" + log}, options);
    EXPECT_EQ(run.exit_code, c.exit_code) << run.err;
    const std::string rows = apptest::ReadFile(output);
    const std::vector<std::string> strays = Named(".big" + std::to_string(c.signal) + ".dat.briven-");
    if (c.replaced) {
      ASSERT_GT(rows.size(), kPrevious.size());
      EXPECT_EQ(rows.rfind("SN\tFRAME(COUNTER)\tPRES", 0), 0u);
      EXPECT_EQ(rows.substr(rows.size() - 2), "\r\n");
      EXPECT_TRUE(strays.empty());
    } else {
      // Killed in the middle of its rows: the temporary it was writing is
      // left, hidden and named after the output; the output is untouched.
      EXPECT_EQ(rows, kPrevious);
      EXPECT_EQ(strays.size(), 1u);
    }
  }
}

}  // namespace
