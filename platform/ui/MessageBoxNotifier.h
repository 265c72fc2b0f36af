// The notifier's interactive answer: every notice becomes a message box on
// the user-interface thread, whichever thread raised it. A notice from
// another thread is handed to the interface thread and waits there for its
// answer, so a worker never touches a window.
#pragma once

#include <functional>
#include <string>

#include "platform/sys/Notify.h"
#include "platform/ui/Types.h"

namespace ui {

class MessageBoxNotifier {
 public:
  // Made on the interface thread; installs itself as the notice sink.
  // `caption` gives the title of each box when it is shown. While
  // `windowless` says so (a run that shows no window), notices take the
  // road they took before instead.
  explicit MessageBoxNotifier(std::function<std::string()> caption, std::function<bool()> windowless = nullptr);
  // Puts back the sink it replaced; later notices no longer reach a box.
  ~MessageBoxNotifier();
  MessageBoxNotifier(const MessageBoxNotifier&) = delete;
  MessageBoxNotifier& operator=(const MessageBoxNotifier&) = delete;

  // Shows the notice and returns the answer; from any thread.
  int Show(const sys::Notice& notice);

  // The message-box flags of a notice.
  static UINT TypeOf(const sys::Notice& notice);

 private:
  static LRESULT RelayProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  int ShowHere(const sys::Notice& notice);

  std::function<std::string()> caption_;
  std::function<bool()> windowless_;
  DWORD ui_thread_ = 0;
  HWND relay_ = nullptr;  // a hidden window of the interface thread that shows boxes sent to it
  sys::NoticeSink previous_;
};

}  // namespace ui
