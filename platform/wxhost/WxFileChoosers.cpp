#include "platform/wxhost/WxFileChoosers.h"

#include "platform/wxhost/WxHost.h"
// GTK's headers define TRUE and FALSE as macros: they come after ours.
#include <wx/dirdlg.h>
#include <wx/filedlg.h>

namespace wxhost {

std::string WxFileChoosers::WxWildcard(const std::string& wildcard) {
  std::string trimmed = wildcard;
  while (!trimmed.empty() && trimmed.back() == '|') trimmed.pop_back();
  return trimmed.empty() ? std::string("*") : trimmed;
}

bool WxFileChoosers::ChooseFolder(const ui::FolderChoice& choice, std::string& chosen) {
  // The process's current folder stays as it is: relative names given on
  // the command line must keep meaning what they meant.
  wxDirDialog dialog(host_.HostWindowOf(choice.owner), wxString::FromUTF8(choice.title),
                     wxString::FromUTF8(choice.start_folder), wxDD_DEFAULT_STYLE, wxDefaultPosition, wxDefaultSize,
                     "wxDirCtrl");
  if (host_.RunNativeModal([&] { return dialog.ShowModal(); }) != wxID_OK) return false;
  chosen = dialog.GetPath().utf8_string();
  return true;
}

bool WxFileChoosers::ChooseFile(const ui::FileChoice& choice, std::string& chosen) {
  wxFileDialog dialog(host_.HostWindowOf(choice.owner), wxString::FromUTF8(choice.title),
                      wxString::FromUTF8(choice.start_folder), "", wxString::FromUTF8(WxWildcard(choice.wildcard)),
                      wxFD_OPEN, wxDefaultPosition, wxDefaultSize, "filedlg");
  dialog.Centre();
  if (host_.RunNativeModal([&] { return dialog.ShowModal(); }) != wxID_OK) return false;
  chosen = dialog.GetPath().utf8_string();
  return true;
}

}  // namespace wxhost
