#include "platform/afx/MessageBox.h"

#include "platform/sys/Notify.h"

namespace afx {

namespace {

sys::NoticeIcon IconOf(UINT type) {
  switch (type & 0xF0) {
    case MB_ICONSTOP: return sys::NoticeIcon::stop;
    case MB_ICONQUESTION: return sys::NoticeIcon::question;
    case MB_ICONINFORMATION: return sys::NoticeIcon::information;
  }
  return sys::NoticeIcon::exclamation;
}

sys::NoticeButtons ButtonsOf(UINT type) {
  switch (type & 0x0F) {
    case MB_OKCANCEL: return sys::NoticeButtons::okCancel;
    case MB_YESNOCANCEL: return sys::NoticeButtons::yesNoCancel;
    case MB_YESNO: return sys::NoticeButtons::yesNo;
  }
  return sys::NoticeButtons::ok;
}

}  // namespace

int AfxMessageBox(const std::string& text, UINT type, UINT) {
  sys::Notice notice;
  notice.text = text;
  notice.icon = IconOf(type);
  notice.buttons = ButtonsOf(type);
  notice.default_button = static_cast<int>((type >> 8) & 0x0F);
  return sys::Notify(notice);
}

int AfxMessageBox(UINT string_id, UINT type, UINT help_id) {
  std::string text;
  ::ui::LoadStringResource(string_id, text);
  return AfxMessageBox(text, type, help_id);
}

}  // namespace afx
