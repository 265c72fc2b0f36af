// The display's text clipboard, through wx: what our controls copy other
// programs can paste, and the other way. Our text breaks lines with CR LF,
// the display's with LF alone; text is UTF-8 both sides.
#pragma once

#include <string>

#include "platform/ui/Clipboard.h"

typedef struct _XDisplay Display;

namespace wxhost {

class WxClipboard : public ui::ClipboardService {
 public:
  WxClipboard() = default;
  ~WxClipboard() override;
  WxClipboard(const WxClipboard&) = delete;
  WxClipboard& operator=(const WxClipboard&) = delete;

  bool SetText(const std::string& text) override;
  bool GetText(std::string& text) override;

  // The line-break conversions, exposed for tests.
  static std::string ToDisplayLines(const std::string& text);
  static std::string FromDisplayLines(const std::string& text);

 private:
  // Whether the display's clipboard is still the one we took last.
  bool StillOurs();
  unsigned long ClipboardOwner();

  // A connection of our own, only for asking the server who owns the
  // clipboard; opened on first use.
  Display* display_ = nullptr;
  bool display_tried_ = false;
  // What we last put on the clipboard, as the display would give it back,
  // and the window that took the clipboard for it.
  std::string our_text_;
  unsigned long our_owner_ = 0;
};

}  // namespace wxhost
