// The usage text and the manual page: what a user reads before the first
// run, with no display and without touching any file.
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/UsageText.h"
#include "tests/app/AppTestFolder.h"
#include "tests/app/ProgramRun.h"

namespace {

// Every form a user may type, as both texts must show it.
const char* const kSwitches[] = {"--help", "--version", "-c", "-ci", "-cl=", "-conversionlog=", "-dt", "-ds",
                                 "-ef", "-ec", "-efc", "-ew=", "-endwindow=", "-ff", "-fe", "-fg", "-h", "-l",
                                 "-n", "-ow=", "-overwrite=", "-p", "-s", "-t", "-tf", "-w", "-x"};

std::string RunCommand(const std::string& command, int& status) {
  std::string output;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  status = ::pclose(pipe);
  return output;
}

TEST(Help, EachHelpArgumentPrintsTheUsageTextWithoutADisplay) {
  apptest::TempFolder folder;
  for (const char* argument : {"--help", "-h", "-?", "-H"}) {
    apptest::ProgramOptions options;
    options.working_folder = folder.path();
    options.config_home = folder / "config";
    const apptest::ProgramRun run = apptest::RunProgram({argument}, options);
    EXPECT_FALSE(run.timed_out) << argument;
    if (std::string(argument) == "-H") {
      // Only the exact spellings ask for help; this one is an interactive start.
      EXPECT_EQ(run.out, "");
      continue;
    }
    EXPECT_EQ(run.exit_code, 0) << argument;
    EXPECT_EQ(run.out, app::UsageText()) << argument;
    EXPECT_EQ(run.err, "") << argument;
  }
}

TEST(Help, TheUsageTextNamesEverySwitchAndExitStatus) {
  const std::string usage = app::UsageText();
  for (const char* form : kSwitches) EXPECT_NE(usage.find(form), std::string::npos) << form;
  for (const char* status : {"\n  0 ", "\n  1 ", "\n  2 ", "\n  3 ", "\n  130", "143"})
    EXPECT_NE(usage.find(status), std::string::npos) << status;
  EXPECT_NE(usage.find("$XDG_CONFIG_HOME/briven/"), std::string::npos);
}

TEST(Help, TheManualPageRendersCleanlyWithTheSameSwitches) {
  const std::string page = std::string(BRIVEN_APP_SOURCE) + "/briven.1";
  int status = -1;
  // Plain ASCII and wide lines, so that no form is hyphenated or broken.
  const std::string environment = "LC_ALL=C MANWIDTH=160 MANPAGER=cat ";
  const std::string warnings = RunCommand(environment + "man --warnings -l '" + page + "' 2>&1 >/dev/null", status);
  ASSERT_EQ(status, 0) << warnings;
  EXPECT_EQ(warnings, "");
  const std::string rendered = RunCommand(environment + "man -l '" + page + "' 2>/dev/null", status);
  ASSERT_EQ(status, 0);
  EXPECT_NE(rendered.find("BRIVEN(1)"), std::string::npos) << rendered;
  for (const char* form : kSwitches) EXPECT_NE(rendered.find(form), std::string::npos) << form;
  for (const char* section : {"SYNOPSIS", "OPTIONS", "EXIT STATUS", "FILES", "$XDG_CONFIG_HOME/briven/"})
    EXPECT_NE(rendered.find(section), std::string::npos) << section;
}

}  // namespace
