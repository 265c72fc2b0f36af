#include "platform/ui/Clipboard.h"

#include <atomic>
#include <mutex>
#include <optional>

namespace ui {

namespace {

// The clipboard of a process without a display.
class ProcessClipboard : public ClipboardService {
 public:
  bool SetText(const std::string& text) override {
    std::lock_guard lock(mutex_);
    text_ = text;
    return true;
  }
  bool GetText(std::string& text) override {
    std::lock_guard lock(mutex_);
    if (!text_) return false;
    text = *text_;
    return true;
  }

 private:
  std::mutex mutex_;
  std::optional<std::string> text_;
};

ProcessClipboard& OwnClipboard() {
  static ProcessClipboard clipboard;
  return clipboard;
}

std::atomic<ClipboardService*> installed{nullptr};

ClipboardService& Current() {
  ClipboardService* service = installed.load();
  return service ? *service : OwnClipboard();
}

}  // namespace

void SetClipboardService(ClipboardService* service) { installed.store(service); }

bool SetClipboardText(const std::string& text) { return Current().SetText(text); }

bool GetClipboardText(std::string& text) { return Current().GetText(text); }

}  // namespace ui
