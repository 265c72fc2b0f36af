#include "platform/ui/MessageBoxNotifier.h"

#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"

namespace ui {

namespace {

constexpr const char* kRelayClass = "BrivenNoticeRelay";
constexpr UINT kShowNotice = WM_APP + 0x310;

struct Relayed {
  MessageBoxNotifier* notifier;
  const sys::Notice* notice;
};

}  // namespace

MessageBoxNotifier::MessageBoxNotifier(std::function<std::string()> caption, std::function<bool()> windowless)
    : caption_(std::move(caption)), windowless_(std::move(windowless)), ui_thread_(GetCurrentThreadId()) {
  WNDCLASS wc{};
  wc.lpfnWndProc = RelayProc;
  wc.lpszClassName = kRelayClass;
  RegisterClass(wc);  // already there for a second notifier
  relay_ = CreateWindowEx(0, kRelayClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr);
  previous_ = sys::SetNoticeSink([this](const sys::Notice& notice) { return Show(notice); });
}

MessageBoxNotifier::~MessageBoxNotifier() {
  sys::SetNoticeSink(std::move(previous_));
  if (relay_ && IsWindow(relay_)) DestroyWindow(relay_);
}

UINT MessageBoxNotifier::TypeOf(const sys::Notice& notice) {
  UINT type = MB_OK;
  switch (notice.buttons) {
    case sys::NoticeButtons::ok: type = MB_OK; break;
    case sys::NoticeButtons::okCancel: type = MB_OKCANCEL; break;
    case sys::NoticeButtons::yesNo: type = MB_YESNO; break;
    case sys::NoticeButtons::yesNoCancel: type = MB_YESNOCANCEL; break;
  }
  switch (notice.icon) {
    case sys::NoticeIcon::exclamation: type |= MB_ICONEXCLAMATION; break;
    case sys::NoticeIcon::information: type |= MB_ICONINFORMATION; break;
    case sys::NoticeIcon::question: type |= MB_ICONQUESTION; break;
    case sys::NoticeIcon::stop: type |= MB_ICONSTOP; break;
  }
  const int buttons = static_cast<int>(MessageBoxButtons(type).size());
  if (notice.default_button > 0 && notice.default_button < buttons)
    type |= static_cast<UINT>(notice.default_button) << 8;
  return type;
}

int MessageBoxNotifier::Show(const sys::Notice& notice) {
  if (windowless_ && windowless_()) return previous_ ? previous_(notice) : sys::WriteNoticeToStderr(notice);
  if (GetCurrentThreadId() == ui_thread_) return ShowHere(notice);
  // Sent, not posted: the call waits for the person's answer on the
  // interface thread. A relay already gone answers with the default.
  Relayed relayed{this, &notice};
  if (!relay_ || !IsWindow(relay_)) return sys::DefaultAnswer(notice);
  const LRESULT answer = SendMessage(relay_, kShowNotice, 0, reinterpret_cast<LPARAM>(&relayed));
  return answer ? static_cast<int>(answer) : sys::DefaultAnswer(notice);
}

int MessageBoxNotifier::ShowHere(const sys::Notice& notice) {
  // The box belongs over whatever window the user is working in.
  HWND owner = GetActiveWindow();
  if (owner == relay_) owner = nullptr;
  const int answer = MessageBox(owner, notice.text, caption_ ? caption_() : std::string(), TypeOf(notice));
  return answer ? answer : sys::DefaultAnswer(notice);
}

LRESULT MessageBoxNotifier::RelayProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kShowNotice) return DefWindowProc(hwnd, message, wParam, lParam);
  const auto* relayed = reinterpret_cast<const Relayed*>(lParam);
  return relayed->notifier->ShowHere(*relayed->notice);
}

}  // namespace ui
