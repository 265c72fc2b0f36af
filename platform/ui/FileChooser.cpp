#include "platform/ui/FileChooser.h"

#include <atomic>

namespace ui {

namespace {
std::atomic<FileChooserService*> installed{nullptr};
}  // namespace

void SetFileChooserService(FileChooserService* service) { installed.store(service); }

bool ChooseFolder(const FolderChoice& choice, std::string& chosen) {
  FileChooserService* service = installed.load();
  return service != nullptr && service->ChooseFolder(choice, chosen);
}

bool ChooseFile(const FileChoice& choice, std::string& chosen) {
  FileChooserService* service = installed.load();
  return service != nullptr && service->ChooseFile(choice, chosen);
}

}  // namespace ui
