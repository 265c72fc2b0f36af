// The one road every message-box text takes. The interactive program
// installs a sink that shows a dialog; until then (tests, unattended runs)
// each text becomes one line "briven: <text>" on stderr and the question is
// answered with its default button, so no run ever waits for a person who
// is not there.
#pragma once

#include <functional>
#include <string>

namespace sys {

enum class NoticeIcon { exclamation, information, question, stop };
enum class NoticeButtons { ok, okCancel, yesNo, yesNoCancel };

// The answers, numbered as the dialog results the callers compare with.
enum NoticeAnswer : int { kAnswerOk = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

struct Notice {
  std::string text;
  NoticeIcon icon = NoticeIcon::exclamation;
  NoticeButtons buttons = NoticeButtons::ok;
  int default_button = 0;  // index of the button that answers by default
};

using NoticeSink = std::function<int(const Notice&)>;

// Shows or prints the text; returns the answer.
int Notify(const std::string& text, NoticeIcon icon = NoticeIcon::exclamation,
           NoticeButtons buttons = NoticeButtons::ok, int default_button = 0);
int Notify(const Notice& notice);

// Installs sink and returns the one it replaces; an empty sink restores the
// stderr line. Callable from any thread.
NoticeSink SetNoticeSink(NoticeSink sink);

// The answer of the default button (the first one when the index is out of
// range).
int DefaultAnswer(const Notice& notice);

// The text on one line: every run of line breaks (CR, LF, and the tabs that
// indent a following line) becomes one space; breaks at either end go.
std::string FoldToOneLine(const std::string& text);

// The built-in sink: writes "briven: <folded text>\n" to stderr in one write
// and returns the default answer.
int WriteNoticeToStderr(const Notice& notice);

}  // namespace sys
