#include "platform/wxhost/WxClipboard.h"

// GTK's headers define TRUE and FALSE as macros: they come after ours.
#include <wx/clipbrd.h>
#include <wx/dataobj.h>

namespace wxhost {

namespace {

wxString ToWx(const std::string& text) {
  wxString converted = wxString::FromUTF8(text.data(), text.size());
  // Bytes that are not UTF-8 are taken as Latin-1 rather than lost.
  if (converted.empty() && !text.empty()) converted = wxString(text.data(), wxConvISO8859_1, text.size());
  return converted;
}

}  // namespace

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

bool WxClipboard::SetText(const std::string& text) {
  wxClipboardLocker lock(wxTheClipboard);
  if (!lock) return false;
  wxTheClipboard->UsePrimarySelection(false);
  return wxTheClipboard->SetData(new wxTextDataObject(ToWx(ToDisplayLines(text))));
}

bool WxClipboard::GetText(std::string& text) {
  wxClipboardLocker lock(wxTheClipboard);
  if (!lock) return false;
  wxTheClipboard->UsePrimarySelection(false);
  if (!wxTheClipboard->IsSupported(wxDF_UNICODETEXT) && !wxTheClipboard->IsSupported(wxDF_TEXT)) return false;
  wxTextDataObject data;
  if (!wxTheClipboard->GetData(data)) return false;
  const wxString received = data.GetText();
  const wxScopedCharBuffer utf8 = received.utf8_str();
  text = FromDisplayLines(std::string(utf8.data(), utf8.length()));
  return true;
}

}  // namespace wxhost
