// The help viewer: wx's HTML help window over our own HTML book (a .hhp
// project, or a .zip or .htb of one), its topics found by context number
// through the book's map.
#pragma once

#include <memory>
#include <set>
#include <string>

#include "platform/ui/HelpViewer.h"

class wxHtmlHelpController;
class wxWindow;

namespace wxhost {

class WxHost;

class WxHelpViewer : public ui::HelpViewerService {
 public:
  explicit WxHelpViewer(WxHost& host);
  ~WxHelpViewer() override;
  bool ShowHelp(ui::HWND owner, const std::string& book, unsigned long context) override;

  // The help window while it is open, else null (for tests).
  wxWindow* Window() const;

 private:
  WxHost& host_;
  std::unique_ptr<wxHtmlHelpController> controller_;
  std::set<std::string> books_;
};

}  // namespace wxhost
