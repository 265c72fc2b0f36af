#include "tests/app/ProgramRunFixture.h"

#include <filesystem>

namespace apptest {

std::string ProgramRunTest::Example(const std::string& name, const std::string& subfolder) {
  const std::string folder = subfolder.empty() ? folder_.path() : Path(subfolder);
  std::filesystem::create_directories(folder);
  const std::string copy = folder + "/" + name;
  if (!std::filesystem::exists(copy)) std::filesystem::copy_file(std::string(BRIVEN_EXAMPLES) + "/" + name, copy);
  return copy;
}

ProgramRun ProgramRunTest::Run(const std::vector<std::string>& arguments, ProgramOptions options, bool quiet_stdout) {
  if (options.working_folder.empty()) options.working_folder = folder_.path();
  options.config_home = folder_ / "config";
  ProgramRun run = RunProgram(arguments, options);
  EXPECT_FALSE(run.timed_out);
  if (quiet_stdout) {
    EXPECT_EQ(run.out, "");
  }
  return run;
}

}  // namespace apptest
