// The program's help book. A display host installs a viewer; without one
// (tests, unattended runs) asking for help shows nothing and says so.
#pragma once

#include <string>

#include "platform/ui/Types.h"

namespace ui {

class HelpViewerService {
 public:
  virtual ~HelpViewerService() = default;
  // Shows the topic the book maps `context` to, or the book's contents
  // when `context` is 0. False when the book cannot be opened or has no
  // such topic.
  virtual bool ShowHelp(HWND owner, const std::string& book, unsigned long context) = 0;
};

// Installs the viewer (not owned; nullptr: none).
void SetHelpViewerService(HelpViewerService* service);

bool ShowHelp(HWND owner, const std::string& book, unsigned long context);

}  // namespace ui
