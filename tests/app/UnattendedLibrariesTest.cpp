// An unattended run pays only for what it uses: the drawing libraries (and
// the forty behind them) are loaded when something first draws, and a
// conversion never draws.
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "tests/app/AppTestFolder.h"

namespace {

std::string LoadedObjects(const std::string& command) {
  std::string output;
  FILE* pipe = ::popen(("LD_DEBUG=files " + command + " 2>&1 >/dev/null").c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  ::pclose(pipe);
  return output;
}

TEST(UnattendedLibraries, AConversionLoadsNoDrawingLibrary) {
  apptest::TempFolder folder;
  const std::string examples = BRIVEN_EXAMPLES;
  const std::string command = "env -u DISPLAY XDG_CONFIG_HOME='" + (folder / "config") + "' '" BRIVEN_PROGRAM "' '" +
                              examples + "/binary_cast.raw' '" + (folder / "out.dat") + "' '" + examples +
                              "/NMBP0417.tdf' -c -efc";
  const std::string loaded = LoadedObjects(command);
  ASSERT_NE(loaded.find("libc.so"), std::string::npos) << loaded.substr(0, 2000);
  for (const char* library : {"libcairo", "libpango", "libglib", "libfontconfig", "libX11"})
    EXPECT_EQ(loaded.find(library), std::string::npos) << library;
  EXPECT_NE(apptest::ReadFile(folder / "out.dat").find("0417\t"), std::string::npos);
}

}  // namespace
