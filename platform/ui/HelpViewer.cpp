#include "platform/ui/HelpViewer.h"

#include <atomic>

namespace ui {

namespace {
std::atomic<HelpViewerService*> installed{nullptr};
}  // namespace

void SetHelpViewerService(HelpViewerService* service) { installed.store(service); }

bool ShowHelp(HWND owner, const std::string& book, unsigned long context) {
  HelpViewerService* service = installed.load();
  return service != nullptr && service->ShowHelp(owner, book, context);
}

}  // namespace ui
