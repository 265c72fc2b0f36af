#include "platform/sys/Notify.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Sends stderr into a temporary file for the life of the object.
class CapturedStderr {
 public:
  CapturedStderr() {
    char name[] = "/tmp/briven-stderr-XXXXXX";
    fd_ = ::mkstemp(name);
    ::unlink(name);
    std::fflush(stderr);
    saved_ = ::dup(STDERR_FILENO);
    ::dup2(fd_, STDERR_FILENO);
  }
  ~CapturedStderr() {
    Restore();
    ::close(fd_);
  }
  std::string Text() {
    Restore();
    std::string out;
    char buffer[256];
    for (off_t at = 0;;) {
      const ssize_t n = ::pread(fd_, buffer, sizeof buffer, at);
      if (n <= 0) break;
      out.append(buffer, static_cast<std::size_t>(n));
      at += n;
    }
    return out;
  }

 private:
  void Restore() {
    if (saved_ < 0) return;
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
    saved_ = -1;
  }
  int fd_ = -1;
  int saved_ = -1;
};

// Restores the built-in sink whatever a test installed.
class NotifyTest : public ::testing::Test {
 protected:
  void TearDown() override { sys::SetNoticeSink(nullptr); }
};

TEST_F(NotifyTest, FoldsLineBreaksIntoOneLine) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"An error occured opening the log file\r\n\"/d/x.raw\".\r\nConversion aborted.",
       "An error occured opening the log file \"/d/x.raw\". Conversion aborted."},
      {"Unable to open.\r\n\tThe file could not be found.\r\n", "Unable to open. The file could not be found."},
      {"\r\n\r\nlead\n\ntrail\r\n\r\n", "lead trail"},
      {"a\rb", "a b"},
      {"\tkept tab", "\tkept tab"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(sys::FoldToOneLine(c.in), c.out) << c.in;
}

TEST_F(NotifyTest, DefaultSinkWritesOneLineAndAnswersTheDefault) {
  CapturedStderr captured;
  const int ok = sys::Notify("Fatal error executing Briven!");
  const int no = sys::Notify("Overwrite?\r\nIt exists.", sys::NoticeIcon::question, sys::NoticeButtons::yesNo, 1);
  const int first = sys::Notify("x", sys::NoticeIcon::question, sys::NoticeButtons::yesNoCancel, 9);
  EXPECT_EQ(captured.Text(), "briven: Fatal error executing Briven!\nbriven: Overwrite? It exists.\nbriven: x\n");
  EXPECT_EQ(ok, sys::kAnswerOk);
  EXPECT_EQ(no, sys::kAnswerNo);
  EXPECT_EQ(first, sys::kAnswerYes) << "an out-of-range default is the first button";
}

TEST_F(NotifyTest, InstalledSinkReceivesTheNoticeAndItsAnswerIsReturned) {
  std::vector<sys::Notice> seen;
  sys::SetNoticeSink([&](const sys::Notice& notice) {
    seen.push_back(notice);
    return int{sys::kAnswerCancel};
  });
  CapturedStderr captured;
  EXPECT_EQ(sys::Notify("line one\r\nline two", sys::NoticeIcon::stop, sys::NoticeButtons::okCancel),
            sys::kAnswerCancel);
  EXPECT_EQ(captured.Text(), "") << "an installed sink replaces the stderr line";
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "line one\r\nline two") << "a dialog gets the text unfolded";
  EXPECT_EQ(seen[0].icon, sys::NoticeIcon::stop);
  EXPECT_EQ(seen[0].buttons, sys::NoticeButtons::okCancel);

  // A sink may itself raise a notice (a dialog's own failure) without a deadlock.
  sys::SetNoticeSink([](const sys::Notice& notice) {
    return notice.text == "outer" ? sys::Notify("inner") : int{sys::kAnswerNo};
  });
  EXPECT_EQ(sys::Notify("outer"), sys::kAnswerNo);

  const sys::NoticeSink previous = sys::SetNoticeSink(nullptr);
  EXPECT_TRUE(static_cast<bool>(previous));
  CapturedStderr again;
  sys::Notify("back");
  EXPECT_EQ(again.Text(), "briven: back\n");
}

}  // namespace
