// The folder and file choosers a dialog opens. A display host installs the
// display's own choosers, modal over the calling dialog's window; without
// one (tests, unattended runs) nobody can choose, and every chooser answers
// as if cancelled.
#pragma once

#include <string>

#include "platform/ui/Types.h"

namespace ui {

struct FolderChoice {
  HWND owner = nullptr;  // the calling dialog
  std::string title;
  std::string start_folder;
};

struct FileChoice {
  HWND owner = nullptr;
  std::string title;
  // "Description (*.ext)|*.ext|..." pairs; a trailing "|" is allowed.
  std::string wildcard;
  std::string start_folder;
};

class FileChooserService {
 public:
  virtual ~FileChooserService() = default;
  // True with the chosen path; false when the user cancelled.
  virtual bool ChooseFolder(const FolderChoice& choice, std::string& chosen) = 0;
  virtual bool ChooseFile(const FileChoice& choice, std::string& chosen) = 0;
};

// Installs the choosers (not owned; nullptr: none).
void SetFileChooserService(FileChooserService* service);

bool ChooseFolder(const FolderChoice& choice, std::string& chosen);
bool ChooseFile(const FileChoice& choice, std::string& chosen);

}  // namespace ui
