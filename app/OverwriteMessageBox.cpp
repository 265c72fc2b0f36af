#include "app/OverwriteMessageBox.h"

#include "platform/sys/Notify.h"

OverwriteAnswer OverwriteMessageBox::Ask(const std::string& question, bool series) {
  const int answer = sys::Notify(question, sys::NoticeIcon::exclamation, sys::NoticeButtons::yesNo);
  if (answer == sys::kAnswerYes) return OverwriteAnswer::kYes;
  return series ? OverwriteAnswer::kNo : OverwriteAnswer::kCancel;
}
