// The commands a script hands the desktop program in a file: every good id
// in order, nothing from lines that are no id, and the file gone after.
#include "app/CommandFile.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/app/AppTestFolder.h"

namespace {

TEST(CommandFile, EachLineIsOneCommandAndTheFileIsTakenOnce) {
  struct Case {
    const char* text;
    std::vector<unsigned> commands;
  };
  const Case cases[] = {
      {"57664\n", {57664}},
      {"32790\r\n57664", {32790, 57664}},
      {"", {}},
      {"x\n0\n65536\n-5\n 12\n12 \n32772\n", {32772}},
      {"65535\n1\n", {65535, 1}},
  };
  apptest::TempFolder folder;
  const std::string path = folder / "commands";
  for (const Case& c : cases) {
    apptest::WriteFile(path, c.text);
    EXPECT_EQ(app::TakeCommands(path), c.commands) << c.text;
    EXPECT_FALSE(std::filesystem::exists(path)) << c.text;
    EXPECT_EQ(app::TakeCommands(path), std::vector<unsigned>{}) << "taken once: " << c.text;
  }
  EXPECT_EQ(app::TakeCommands(""), std::vector<unsigned>{});
}

}  // namespace
