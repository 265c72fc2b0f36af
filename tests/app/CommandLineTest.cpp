// How the arguments of an unattended run are split into the document's file
// names and the option switches.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "core/conversion/BrivenDoc.h"

namespace {

TEST(CommandLine, ArgumentCountChoosesTheKindOfStart) {
  EXPECT_EQ(app::ClassifyStart(1), app::StartKind::kInteractive);
  EXPECT_EQ(app::ClassifyStart(2), app::StartKind::kOpenFile);
  EXPECT_EQ(app::ClassifyStart(3), app::StartKind::kConvert);
  EXPECT_EQ(app::ClassifyStart(9), app::StartKind::kConvert);
}

struct SplitCase {
  const char* name;
  std::vector<std::string> arguments;
  bool ok;
  std::string log, output, instrument;
  const char* message;
  const char* refusal = "";
};

TEST(CommandLine, NamesComeFirstAndSwitchesAfter) {
  const std::vector<SplitCase> cases = {
      {"two names", {"a.raw", "b.dat"}, true, "a.raw", "b.dat", "", ""},
      {"absolute paths are names", {"/data/a.raw", "/out/b.dat", "/cal/c.tdf", "-x"}, true, "/data/a.raw",
       "/out/b.dat", "/cal/c.tdf", ""},
      {"a fourth name is no switch", {"a.raw", "b.dat", "c.tdf", "d.tdf"}, false, "a.raw", "b.dat", "c.tdf",
       "Invalid command line parameters.\r\nParameters parsed: 3",
       "Refused \"d.tdf\": not a switch; at most three file names (log, output, instrument) come first, then the "
       "switches, each \"-\" and a letter."},
      {"an empty argument is no switch", {"a.raw", "", "b.dat"}, false, "a.raw", "", "",
       "Invalid command line parameters.\r\nParameters parsed: 1"},
      {"switches counted with the names", {"a.raw", "b.dat", "-x", "-c", "-q"}, false, "a.raw", "b.dat", "",
       "Invalid command line parameters.\r\nParameters parsed: 4",
       "Refused \"-q\": there is no switch -q (see briven --help)."},
      {"switches but one name", {"a.raw", "-x", "-c"}, false, "a.raw", "", "",
       "There must be at least two file name parameters to use command line processing."},
  };
  for (const SplitCase& c : cases) {
    CBrivenDoc doc;
    std::string message, refusal;
    EXPECT_EQ(app::TakeConversionArguments(c.arguments, doc, message, refusal), c.ok) << c.name;
    EXPECT_EQ(message, c.message) << c.name;
    if (*c.refusal != '\0') {
      EXPECT_EQ(refusal, c.refusal) << c.name;
    }
    EXPECT_EQ(doc.GetLogFileName(), c.log) << c.name;
    EXPECT_EQ(doc.GetOutputFileName(), c.output) << c.name;
    EXPECT_EQ(doc.GetInstrumentFileName(), c.instrument) << c.name;
  }
}

TEST(CommandLine, TheShellVerbsSingleArgumentMustBeAName) {
  CBrivenDoc doc;
  std::string message;
  EXPECT_TRUE(app::TakeOpenFileArgument("cast.raw", doc, message));
  EXPECT_EQ(doc.GetLogFileName(), "cast.raw");
  CBrivenDoc other;
  EXPECT_FALSE(app::TakeOpenFileArgument("-x", other, message));
  EXPECT_EQ(message, "Invalid command line parameters.\r\nParameters parsed: 0");
}

}  // namespace
