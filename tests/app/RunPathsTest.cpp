// Where an unattended run may write: relative names need a working folder
// the run can name, a conversion log that exists is replaced only under the
// output's rule, and the program's own settings files are never an output.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/app/AppTestFolder.h"
#include "tests/app/ProgramRun.h"
#include "tests/app/ProgramRunFixture.h"

namespace {

const std::string kBinaryColumns = "SN\tFRAME(COUNTER)\tPRES\tT(W)\tCOND\tLU(490)\tSTATUS\tCHECK(SUM)\r\n";

class RunPaths : public apptest::ProgramRunTest {
 protected:
  void SetUp() override {
    for (const char* name : {"binary_cast.raw", "NMBP0417.tdf"}) Example(name);
  }
  // The program started by a shell from a working folder that script made
  // (and left unreadable), so the folder's state is the program's own.
  apptest::ProgramRun RunFrom(const std::string& script, const std::vector<std::string>& names) {
    apptest::ProgramOptions options;
    options.program = "/bin/bash";
    std::vector<std::string> arguments = {"-c", script + "\n\"$0\" \"$@\"; status=$?\ncd / && rm -rf \"" +
                                                    Path("work") + "\"\nexit $status",
                                          BRIVEN_PROGRAM};
    arguments.insert(arguments.end(), names.begin(), names.end());
    return Run(arguments, options);
  }
  std::string Settings() const { return apptest::ReadFile(Path("config/briven/current-user.settings")); }

};

TEST_F(RunPaths, AWorkingFolderThatCannotBeNamedRefusesRelativeNames) {
  // 18 levels of 250 characters: longer than any path the system takes.
  const std::string level(250, 'd');
  struct Case {
    const char* name;
    std::string script;
  };
  const std::vector<Case> cases = {
      {"removed", "mkdir -p '" + Path("work/gone") + "' && cd '" + Path("work/gone") + "' && rmdir ../gone || exit 9"},
      {"too long", "mkdir '" + Path("work") + "' && cd '" + Path("work") + "' && for i in $(seq 18); do mkdir " + level +
                       " && cd " + level + " || exit 9; done"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string output = "briven-run-paths-" + std::to_string(::getpid()) + ".dat";
    const apptest::ProgramRun run = RunFrom(c.script, {Path("binary_cast.raw"), output, Path("NMBP0417.tdf")});
    EXPECT_EQ(run.exit_code, 1) << run.err;
    EXPECT_EQ(run.err,
              "briven: Unable to determine the working folder (it was removed, or its name is longer than the system "
              "allows): relative file names cannot be resolved.\nbriven: Conversion aborted.\n");
    // Nothing went to the root folder, and "/" is no conversion log folder.
    EXPECT_FALSE(std::filesystem::exists("/" + output));
    std::filesystem::remove("/" + output);
    EXPECT_EQ(Settings().find("Conversion Log Directory"), std::string::npos) << Settings();
  }
  // Full names need no working folder: such a run converts as ever, and
  // stores no folder either.
  const apptest::ProgramRun run =
      RunFrom(cases[0].script, {Path("binary_cast.raw"), Path("full.dat"), Path("NMBP0417.tdf")});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(apptest::ReadFile(Path("full.dat")).substr(0, kBinaryColumns.size()), kBinaryColumns);
  EXPECT_EQ(Settings().find("Conversion Log Directory"), std::string::npos) << Settings();
}

struct ExistingLogCase {
  const char* name;
  std::vector<std::string> switches;
  bool stored_prompt_off;
  bool replaced;
};

TEST_F(RunPaths, AnExistingConversionLogIsReplacedOnlyUnderTheOutputsRule) {
  const std::vector<ExistingLogCase> cases = {
      {"asked for nothing", {}, false, false},
      {"-ow=no", {"-ow=no"}, false, false},
      {"-ow=yes", {"-ow=yes"}, false, true},
      {"stored prompt off", {}, true, true},
      {"stored prompt off, -ow=no", {"-ow=no"}, true, false},
  };
  const std::string old_log = "the log of a run that matters\r\n";
  for (const ExistingLogCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(Path("config"));
    if (c.stored_prompt_off) {
      std::filesystem::create_directories(Path("config/briven"));
      apptest::WriteFile(Path("config/briven/current-user.settings"),
                         "[Software\\Harwendel\\Briven\\Settings]\n\"Overwrite Prompt\"=dword:00000000\n");
    }
    const std::string log = Path("run.log");
    apptest::WriteFile(log, old_log);
    std::filesystem::remove(Path("out.dat"));
    std::vector<std::string> arguments = {Path("binary_cast.raw"), Path("out.dat"), Path("NMBP0417.tdf"), "-cl=" + log};
    arguments.insert(arguments.end(), c.switches.begin(), c.switches.end());
    const apptest::ProgramRun run = Run(arguments);
    // The conversion itself goes on either way.
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(apptest::ReadFile(Path("out.dat")).substr(0, kBinaryColumns.size()), kBinaryColumns);
    const std::string log_text = apptest::ReadFile(log);
    if (c.replaced) {
      EXPECT_EQ(run.err, "");
      EXPECT_NE(log_text.find("Begin instrument conversion."), std::string::npos) << log_text;
    } else {
      EXPECT_EQ(run.err, "briven: The conversion log file \"" + log +
                             "\" already exists; it is replaced only with -ow=yes or with Overwrite Prompt off. No "
                             "conversion log file will be recorded.\n");
      EXPECT_EQ(log_text, old_log);
    }
  }
}

TEST_F(RunPaths, TheProgramsOwnSettingsFilesAreRefusedAsAnOutput) {
  // A first run makes the settings files; a later one must not write over
  // them, and a file not there yet is protected as well.
  ASSERT_EQ(Run({Path("binary_cast.raw"), Path("first.dat"), Path("NMBP0417.tdf")}).exit_code, 0);
  const std::string settings_before = Settings();
  ASSERT_FALSE(settings_before.empty());
  for (const char* name : {"current-user.settings", "current-user.settings.lock", "classes-root.settings",
                           "classes-root.settings.lock"}) {
    SCOPED_TRACE(name);
    const std::string target = Path("config/briven/") + name;
    const bool existed = std::filesystem::exists(target);
    const std::string before = existed ? apptest::ReadFile(target) : "";
    const apptest::ProgramRun run = Run({Path("binary_cast.raw"), target, Path("NMBP0417.tdf"), "-ow=yes"});
    EXPECT_EQ(run.exit_code, 1) << run.err;
    EXPECT_NE(run.err.find("An error occured opening the output file. A sharing violation occured"), std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find("damaged"), std::string::npos) << run.err;
    EXPECT_EQ(std::filesystem::exists(target), existed);
    if (existed) {
      EXPECT_EQ(apptest::ReadFile(target), before);
    }
  }
  // Reached through another name of the folder, too; and as a conversion log.
  std::filesystem::create_directory_symlink(Path("config/briven"), Path("settings-link"));
  const apptest::ProgramRun linked =
      Run({Path("binary_cast.raw"), Path("settings-link/current-user.settings"), Path("NMBP0417.tdf"), "-ow=yes"});
  EXPECT_EQ(linked.exit_code, 1) << linked.err;
  const apptest::ProgramRun as_log = Run({Path("binary_cast.raw"), Path("second.dat"), Path("NMBP0417.tdf"), "-ow=yes",
                                          "-cl=" + Path("config/briven/current-user.settings")});
  EXPECT_EQ(as_log.exit_code, 0) << as_log.err;
  EXPECT_NE(as_log.err.find("A sharing violation occured"), std::string::npos) << as_log.err;
  EXPECT_EQ(Settings(), settings_before);
}

}  // namespace
