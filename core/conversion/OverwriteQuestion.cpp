#include "core/conversion/OverwriteQuestion.h"

#include "platform/sys/Notify.h"

OverwriteAnswer UnattendedOverwriteQuestion::Ask(const std::string& question, bool /*series*/) {
  sys::Notify(question, sys::NoticeIcon::exclamation);
  return OverwriteAnswer::kCancel;
}
