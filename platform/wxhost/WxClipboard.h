// The display's text clipboard, through wx: what our controls copy other
// programs can paste, and the other way. Our text breaks lines with CR LF,
// the display's with LF alone; text is UTF-8 both sides.
#pragma once

#include <string>

#include "platform/ui/Clipboard.h"

namespace wxhost {

class WxClipboard : public ui::ClipboardService {
 public:
  bool SetText(const std::string& text) override;
  bool GetText(std::string& text) override;

  // The line-break conversions, exposed for tests.
  static std::string ToDisplayLines(const std::string& text);
  static std::string FromDisplayLines(const std::string& text);
};

}  // namespace wxhost
