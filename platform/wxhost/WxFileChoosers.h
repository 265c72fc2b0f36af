// The folder and file choosers of the display (GTK's, through wx), modal
// over the host window of the calling dialog. Their own loop runs while
// they are open; the host keeps our queue moving meanwhile.
#pragma once

#include "platform/ui/FileChooser.h"

namespace wxhost {

class WxHost;

class WxFileChoosers : public ui::FileChooserService {
 public:
  explicit WxFileChoosers(WxHost& host) : host_(host) {}
  bool ChooseFolder(const ui::FolderChoice& choice, std::string& chosen) override;
  bool ChooseFile(const ui::FileChoice& choice, std::string& chosen) override;

  // The wildcard as wx takes it: without the empty last entry a trailing
  // "|" would make.
  static std::string WxWildcard(const std::string& wildcard);

 private:
  WxHost& host_;
};

}  // namespace wxhost
