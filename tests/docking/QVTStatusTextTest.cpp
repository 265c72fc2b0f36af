#include "docking/QVTStatusText.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace docking;

TEST(QVTStatusTextTest, SameTextTwiceNeedsNoSending) {
  EXPECT_TRUE(QVTStatusText::IsUnchanged(false, "Ready", "Ready"));
  EXPECT_FALSE(QVTStatusText::IsUnchanged(false, "Ready", "Ready."));
  EXPECT_FALSE(QVTStatusText::IsUnchanged(true, "Ready", "Ready"));
  EXPECT_TRUE(QVTStatusText::IsUnchanged(false, "", nullptr));
  EXPECT_FALSE(QVTStatusText::IsUnchanged(false, "Ready", nullptr));
}

struct BufferCase {
  std::size_t size;
  const char* copied;
};

// The answer counts the characters copied, without the terminating zero;
// the byte after the buffer is never touched.
TEST(QVTStatusTextTest, WindowTextIntoBuffersOfEverySize) {
  const std::string text = " CONVERTING... ";
  const std::vector<BufferCase> cases = {
      {0, nullptr},
      {1, ""},
      {text.size(), " CONVERTING..."},
      {text.size() + 1, " CONVERTING... "},
      {text.size() + 10, " CONVERTING... "},
  };
  for (const BufferCase& c : cases) {
    SCOPED_TRACE(c.size);
    std::vector<char> buffer(c.size + 1, '#');
    const ui::LRESULT answer = QVTStatusText::CopyWindowText(text, buffer.data(), c.size);
    if (c.copied == nullptr) {
      EXPECT_EQ(answer, 0);
      EXPECT_EQ(buffer[0], '#');
      continue;
    }
    EXPECT_STREQ(buffer.data(), c.copied);
    EXPECT_EQ(answer, static_cast<ui::LRESULT>(std::strlen(c.copied)));
    EXPECT_EQ(buffer[c.size], '#');
  }
}

TEST(QVTStatusTextTest, SettingTheWindowTextAnswersTrueWhenTaken) {
  EXPECT_EQ(QVTStatusText::SetWindowTextAnswer(true), ui::TRUE);
  EXPECT_EQ(QVTStatusText::SetWindowTextAnswer(false), ui::FALSE);
}

}  // namespace
