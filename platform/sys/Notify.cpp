#include "platform/sys/Notify.h"

#include <cerrno>
#include <mutex>
#include <unistd.h>

namespace sys {
namespace {

struct SinkSlot {
  std::mutex mutex;
  NoticeSink sink;
};

// Never destroyed, so a thread that reports while the process exits still
// finds it.
SinkSlot& Slot() {
  static SinkSlot* const slot = new SinkSlot;
  return *slot;
}

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

void WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // nowhere left to tell it
    done += static_cast<std::size_t>(n);
  }
}

}  // namespace

int Notify(const std::string& text, NoticeIcon icon, NoticeButtons buttons, int default_button) {
  return Notify(Notice{text, icon, buttons, default_button});
}

int Notify(const Notice& notice) {
  NoticeSink sink;
  {
    std::lock_guard<std::mutex> guard(Slot().mutex);
    sink = Slot().sink;
  }
  // Called outside the lock: a dialog runs a message loop, and a notice
  // raised from inside it must not deadlock.
  return sink ? sink(notice) : WriteNoticeToStderr(notice);
}

NoticeSink SetNoticeSink(NoticeSink sink) {
  std::lock_guard<std::mutex> guard(Slot().mutex);
  NoticeSink previous = std::move(Slot().sink);
  Slot().sink = std::move(sink);
  return previous;
}

int DefaultAnswer(const Notice& notice) {
  static constexpr int kOk[] = {kAnswerOk};
  static constexpr int kOkCancel[] = {kAnswerOk, kAnswerCancel};
  static constexpr int kYesNo[] = {kAnswerYes, kAnswerNo};
  static constexpr int kYesNoCancel[] = {kAnswerYes, kAnswerNo, kAnswerCancel};
  const int* answers = kOk;
  int count = 1;
  switch (notice.buttons) {
    case NoticeButtons::ok:
      break;
    case NoticeButtons::okCancel:
      answers = kOkCancel;
      count = 2;
      break;
    case NoticeButtons::yesNo:
      answers = kYesNo;
      count = 2;
      break;
    case NoticeButtons::yesNoCancel:
      answers = kYesNoCancel;
      count = 3;
      break;
  }
  const int index = notice.default_button >= 0 && notice.default_button < count ? notice.default_button : 0;
  return answers[index];
}

std::string FoldToOneLine(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (!IsBreak(text[i])) {
      out += text[i++];
      continue;
    }
    while (i < text.size() && (IsBreak(text[i]) || text[i] == '\t')) ++i;
    if (!out.empty() && i < text.size()) out += ' ';
  }
  return out;
}

int WriteNoticeToStderr(const Notice& notice) {
  WriteAll(STDERR_FILENO, "briven: " + FoldToOneLine(notice.text) + "\n");
  return DefaultAnswer(notice);
}

}  // namespace sys
