// Rows built straight from frames: the ISO 8601 column of a time text with
// or without its milliseconds.
#include <gtest/gtest.h>

#include "core/conversion/FrameChecker.h"
#include "core/conversion/OutputFormatter.h"
#include "tests/core/conversion/ConversionTestSupport.h"

namespace {

using conversion_test::InstrumentDoc;
using conversion_test::MakeFrame;

std::string IsoRow(const std::string& time_text) {
  const std::string definition = "INSTRUMENT ISOT '' 4 AS 0 NONE\nISO8601 NONE '' " +
                                 std::to_string(time_text.size()) + " AS 0 COUNT\n";
  InstrumentDoc doc(definition);
  CBrivenParameters params;
  const int iso = doc.FindIso8601Sensor(0);
  EXPECT_EQ(iso, 0) << doc.Instrument().GetLoadReport();
  COutputFormatter formatter;
  formatter.Prepare(doc, params, "", iso, -1);
  CFrameChecker checks;
  auto frame = MakeFrame("ISOT" + time_text, 1);
  std::string row;
  formatter.AppendRow(row, doc, *frame, checks);
  return row;
}

TEST(OutputFormatterTest, TheIsoColumnHasASpaceForTheTWithOrWithoutMilliseconds) {
  struct Case {
    const char* text;
    const char* row;
  } cases[] = {
      {"2007-05-03T12:34:56.789Z", "2007-05-03 12:34:56.789\n"},
      {"2007-05-03T12:34:56.789", "2007-05-03 12:34:56.789\n"},
      {"2007-05-03T12:34:56", "2007-05-03 12:34:56\n"},
      {"2007-05-03T12:34", "2007-05-03 12:34\n"},
      // No time part: nothing to rewrite, and no stray space.
      {"2007-05-03", "2007-05-03\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(IsoRow(c.text), c.row) << c.text;
}

}  // namespace
