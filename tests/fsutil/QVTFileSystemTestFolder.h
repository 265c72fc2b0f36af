// A unique temporary folder per test (ctest runs tests in parallel) with
// small helpers to lay out a tree in it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace fstest {

using testsupport::ReadFile;
using testsupport::TempFolder;
using testsupport::WriteFile;

inline bool Exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

inline void MakeReadOnly(const std::string& path) { ::chmod(path.c_str(), 0444); }

}  // namespace fstest
