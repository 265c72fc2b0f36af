// The conversion log window's text: never 40,000 characters or more, the
// oldest lines going first, whole, and a text without line ends cut too.
#include <string>

#include <gtest/gtest.h>

#include "app/ConversionLogDlg.h"

namespace {

TEST(ConversionLogText, StaysBelowTheLimitDroppingWholeLinesFirst) {
  CConversionLogDlg log;
  const std::string line = std::string(98, 'x') + "\r\n";  // 100 characters
  for (int i = 0; i < 1000; ++i) log.AppendText(std::to_string(i % 10) + line.substr(1));
  EXPECT_LT(log.GetLength(), CConversionLogDlg::kTextLimit);
  EXPECT_GE(log.GetLength(), CConversionLogDlg::kTrimTarget - 100);
  // Whole lines only: the text still starts where a line starts.
  EXPECT_EQ(log.GetLength() % 100, 0u);
  EXPECT_EQ(log.GetText().substr(log.GetLength() - 100, 1), "9");
}

TEST(ConversionLogText, TextWithoutLineEndsIsCutToo) {
  CConversionLogDlg log;
  const std::string chunk(7000, 'a');
  for (int i = 0; i < 10; ++i) log.AppendText(chunk);
  EXPECT_LT(log.GetLength(), CConversionLogDlg::kTextLimit);
  log.AppendText("\r\nlast");
  EXPECT_LT(log.GetLength(), CConversionLogDlg::kTextLimit);
  EXPECT_EQ(log.GetText().substr(log.GetLength() - 6), "\r\nlast");
  log.Clear();
  EXPECT_EQ(log.GetLength(), 0u);
}

}  // namespace
