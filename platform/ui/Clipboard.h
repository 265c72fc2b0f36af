// The text clipboard. A display host installs the display's clipboard, so
// text goes to and comes from other programs; until then (tests, unattended
// runs) the clipboard lives in the process.
#pragma once

#include <string>

namespace ui {

class ClipboardService {
 public:
  virtual ~ClipboardService() = default;
  // False when the clipboard could not be taken.
  virtual bool SetText(const std::string& text) = 0;
  // False when it holds no text.
  virtual bool GetText(std::string& text) = 0;
};

// Installs a clipboard (not owned; nullptr restores the process's own).
void SetClipboardService(ClipboardService* service);

bool SetClipboardText(const std::string& text);
bool GetClipboardText(std::string& text);

}  // namespace ui
