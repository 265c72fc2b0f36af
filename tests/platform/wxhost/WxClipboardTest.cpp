#include "platform/wxhost/WxClipboard.h"

#include <gtest/gtest.h>

namespace {

TEST(WxClipboard, LineBreaksBecomeTheDisplaysAndBackAgain) {
  EXPECT_EQ(wxhost::WxClipboard::ToDisplayLines("a\r\nb\r\n\rc\n"), "a\nb\n\rc\n");
  EXPECT_EQ(wxhost::WxClipboard::FromDisplayLines("a\nb\r\n\nc"), "a\r\nb\r\n\r\nc");
  EXPECT_EQ(wxhost::WxClipboard::FromDisplayLines(wxhost::WxClipboard::ToDisplayLines("x\r\ny\r\n")), "x\r\ny\r\n");
}

}  // namespace
