// The interactive start: refused with exit 2 and its message when there is
// no display, before anything of the toolkit is loaded; handed to the
// interactive program, which shows the main window, when there is one. The command-line program itself
// never links the toolkit.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/app/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/x11/ChildProcess.h"
#include "tests/x11/X11Session.h"

namespace {

struct NoDisplayCase {
  const char* name;
  std::string display;  // empty: DISPLAY unset
  std::vector<std::string> arguments;
  std::string message;
};

const std::string kUnset = "briven: No display: the interactive program needs an X display, and DISPLAY is not set.\n";
std::string CannotOpen(const std::string& display) {
  return "briven: No display: the interactive program needs an X display, and the display DISPLAY names (\"" +
         display + "\") cannot be opened.\n";
}

std::string CommandOutput(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    ::pclose(pipe);
  }
  return out;
}

TEST(NoDisplay, InteractiveStartExitsTwoWithItsMessage) {
  // A display number no server listens on: the socket of :8765 does not exist.
  const std::vector<NoDisplayCase> cases = {
      {"unset, no argument", "", {}, kUnset},
      {"unset, one file", "", {"a.raw"}, kUnset},
      {"no server, no argument", ":8765", {}, CannotOpen(":8765")},
      {"no server, one file", ":8765", {"a.raw"}, CannotOpen(":8765")},
      {"malformed", "nowhere", {}, CannotOpen("nowhere")},
  };
  testsupport::TempFolder folder;
  for (const NoDisplayCase& c : cases) {
    apptest::ProgramOptions options;
    options.config_home = folder.path();
    options.working_folder = folder.path();
    options.display = c.display;
    for (const std::string& program : {std::string(BRIVEN_PROGRAM), std::string(BRIVEN_DESKTOP_PROGRAM)}) {
      options.program = program;
      const apptest::ProgramRun run = apptest::RunProgram(c.arguments, options);
      EXPECT_FALSE(run.timed_out) << c.name << " " << program;
      EXPECT_EQ(run.exit_code, 2) << c.name << " " << program;
      EXPECT_EQ(run.err, c.message) << c.name << " " << program;
      EXPECT_EQ(run.out, "") << c.name << " " << program;
    }
  }
}

TEST(NoDisplay, CommandLineProgramLinksNoToolkit) {
  const std::string libraries = CommandOutput(std::string("ldd ") + BRIVEN_PROGRAM);
  ASSERT_NE(libraries.find("libc.so"), std::string::npos) << libraries;
  for (const char* toolkit : {"libwx", "libgtk", "libgdk", "libcairo", "libpango", "libglib", "libX11"})
    EXPECT_EQ(libraries.find(toolkit), std::string::npos) << toolkit << " in\n" << libraries;
  // The interactive program is where they are.
  EXPECT_NE(CommandOutput(std::string("ldd ") + BRIVEN_DESKTOP_PROGRAM).find("libwx_gtk3u_core"), std::string::npos);
}

TEST(OnDisplay, InteractiveStartShowsTheMainWindowAndEndsWhenItCloses) {
  X11_REQUIRE_HOST();
  testsupport::TempFolder folder;
  // The command-line program hands the start to the interactive one, which
  // shows the main window; closing it ends the program. A file named on
  // the command line that does not exist is dropped, and the start goes on.
  for (const std::vector<std::string>& arguments : {std::vector<std::string>{}, {"a.raw"}}) {
    std::vector<std::string> argv = {"env", "-C", folder.path(), "XDG_CONFIG_HOME=" + folder.path(), BRIVEN_PROGRAM};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    x11test::ChildProcess program(argv);
    const std::string found =
        x11test::RunHelper({"xdotool", "search", "--sync", "--onlyvisible", "--name", "^Briven$"}, 30000);
    const std::string window = found.substr(0, found.find('\n'));
    ASSERT_FALSE(window.empty()) << arguments.size();
    // A key pressed while the window manager is still activating the window
    // can be lost on a loaded machine; a user would press it again.
    bool finished = false;
    for (int press = 0; press < 3 && !finished; ++press) {
      x11test::RunHelper({"xdotool", "windowactivate", "--sync", window, "key", "--clearmodifiers", "alt+F4"});
      finished = x11test::PumpUntil([&] { return program.Finished(); }, 15000);
    }
    EXPECT_TRUE(finished) << arguments.size();
    EXPECT_EQ(program.ExitCode(), 0) << arguments.size();
  }
}

}  // namespace
