#include "platform/wxhost/WxHelpViewer.h"

#include "platform/wxhost/WxHost.h"
// GTK's headers define TRUE and FALSE as macros: they come after ours.
#include <wx/filename.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpfrm.h>
#include <wx/log.h>

namespace wxhost {

WxHelpViewer::WxHelpViewer(WxHost& host) : host_(host) {}

WxHelpViewer::~WxHelpViewer() = default;

bool WxHelpViewer::ShowHelp(ui::HWND owner, const std::string& book, unsigned long context) {
  if (!controller_) {
    controller_ = std::make_unique<wxHtmlHelpController>(wxHF_DEFAULT_STYLE, host_.HostWindowOf(owner));
    // Help settings are not kept between runs: there is no wxConfig of ours.
    controller_->UseConfig(nullptr);
  }
  if (books_.count(book) == 0) {
    // A missing or broken book is our answer false, not wx's complaint.
    wxLogNull quiet;
    if (!controller_->AddBook(wxFileName(wxString::FromUTF8(book)), false)) return false;
    books_.insert(book);
  }
  if (context == 0) return controller_->DisplayContents();
  return controller_->Display(static_cast<int>(context));
}

wxWindow* WxHelpViewer::Window() const { return controller_ ? controller_->GetFrame() : nullptr; }

}  // namespace wxhost
