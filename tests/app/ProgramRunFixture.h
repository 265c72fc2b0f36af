// The base of the tests that run the built program: a temporary folder of
// its own as working folder and settings home, private copies of the
// example files, and the checks every run shares.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/app/AppTestFolder.h"
#include "tests/app/ProgramRun.h"

namespace apptest {

class ProgramRunTest : public ::testing::Test {
 protected:
  // A private copy of examples/name in the test's folder (under subfolder
  // when given): a definition file is read under an exclusive lock, so
  // runs of other tests must not share ours.
  std::string Example(const std::string& name, const std::string& subfolder = "");
  // Runs the program from the test's folder, with its settings there; a
  // run that hangs fails. stdout belongs to the user's pipeline: unless
  // told otherwise, never a byte from us.
  ProgramRun Run(const std::vector<std::string>& arguments, ProgramOptions options = {}, bool quiet_stdout = true);
  std::string Path(const std::string& name) const { return folder_ / name; }

  TempFolder folder_;
};

}  // namespace apptest
