#include "platform/wxhost/WxClipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

// GTK's headers define TRUE and FALSE as macros: they come after ours.
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/evtloop.h>

namespace wxhost {

namespace {

wxString ToWx(const std::string& text) {
  wxString converted = wxString::FromUTF8(text.data(), text.size());
  // Bytes that are not UTF-8 are taken as Latin-1 rather than lost.
  if (converted.empty() && !text.empty()) converted = wxString(text.data(), wxConvISO8859_1, text.size());
  return converted;
}

std::string ToUtf8(const wxString& text) {
  const wxScopedCharBuffer utf8 = text.utf8_str();
  return std::string(utf8.data(), utf8.length());
}

// wx keeps a pointer to the object a read fills and never lets go of it, and
// a reply can come after the read has given up waiting (the wait also ends
// when another program takes the clipboard from us). The object a reply
// lands in must therefore outlive every read: it lives as long as the
// program.
wxTextDataObject& ReceivingObject() {
  static wxTextDataObject* const received = new wxTextDataObject;
  return *received;
}

// Handles the clipboard events already queued (losing the clipboard among
// them) before a read starts to wait, so they cannot end its wait early.
void HandleQueuedClipboardEvents() {
  if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->YieldFor(wxEVT_CATEGORY_CLIPBOARD);
}

}  // namespace

WxClipboard::~WxClipboard() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

std::string WxClipboard::ToDisplayLines(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

std::string WxClipboard::FromDisplayLines(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

unsigned long WxClipboard::ClipboardOwner() {
  if (!display_tried_) {
    display_tried_ = true;
    display_ = XOpenDisplay(nullptr);
  }
  if (display_ == nullptr) return None;
  return XGetSelectionOwner(display_, XInternAtom(display_, "CLIPBOARD", False));
}

bool WxClipboard::StillOurs() { return our_owner_ != None && ClipboardOwner() == our_owner_; }

bool WxClipboard::SetText(const std::string& text) {
  wxClipboardLocker lock(wxTheClipboard);
  if (!lock) return false;
  wxTheClipboard->UsePrimarySelection(false);
  const wxString shown = ToWx(ToDisplayLines(text));
  our_owner_ = None;
  if (!wxTheClipboard->SetData(new wxTextDataObject(shown))) return false;
  our_text_ = FromDisplayLines(ToUtf8(shown));
  our_owner_ = ClipboardOwner();
  return true;
}

bool WxClipboard::GetText(std::string& text) {
  // Our own text needs no round trip through the display, and while we own
  // the clipboard another program taking it could cut a read short.
  if (StillOurs()) {
    text = our_text_;
    return true;
  }
  wxClipboardLocker lock(wxTheClipboard);
  if (!lock) return false;
  wxTheClipboard->UsePrimarySelection(false);
  HandleQueuedClipboardEvents();
  if (!wxTheClipboard->IsSupported(wxDF_UNICODETEXT) && !wxTheClipboard->IsSupported(wxDF_TEXT)) return false;
  wxTextDataObject& received = ReceivingObject();
  received.SetText(wxString());
  if (!wxTheClipboard->GetData(received)) return false;
  text = FromDisplayLines(ToUtf8(received.GetText()));
  return true;
}

}  // namespace wxhost
