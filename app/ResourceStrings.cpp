// The string table: the document string, the status-bar pane texts, the
// application title and the command prompts (status text, then the tooltip
// after "\n").
#include <mutex>
#include <utility>
#include <vector>

#include "app/AppResources.h"
#include "app/ResourceRegistration.h"
#include "platform/ui/Resources.h"

namespace app {

void RegisterStringResources() {
  const std::vector<std::pair<unsigned, const char*>> strings = {
      {static_cast<unsigned>(kMainResource), "Briven\n\nBriven\n\n\nBriven.Document\nBriven Document"},
      {kStringHeaderPane, " H "},
      {kStringConvertingPane, " CONVERTING... "},
      {kStringAppTitle, "Briven"},
      {kCmdViewProperties, "Choose the folders and filters of the file lists\nFile List Properties (Ctrl+O)"},
      {kCmdDocumentProperties, "Change the program settings\nProgram Properties"},
      {kCmdParameters, "Change the conversion parameters\nConversion Parameters (Ctrl+P)"},
      {kCmdFileNaming, "Choose how output files are named\nFile Naming (Ctrl+F)"},
      {kCmdConvert, "Begin conversion\nBegin Conversion (Ctrl+C)"},
      {kCmdRefresh, "Read the file lists again\nRefresh (Ctrl+R)"},
      {kCmdHeader, "Convert the header lines of log files\nHeader Conversion (Ctrl+H)"},
      {kCmdConversionLog, "Show or hide the conversion log output\nConversion Log"},
      {kCmdAppAbout, "Display program information, version number and copyright\nAbout"},
      {kCmdAppExit, "Quit the application\nExit"},
      {kCmdHelpFinder, "List Help topics\nHelp Topics (F1)"},
      {kCmdContextHelp, "Display help for clicked buttons, menus and windows\nHelp (Shift+F1)"},
      {kCmdViewToolbar, "Show or hide the toolbar\nToggle ToolBar"},
      {kCmdViewStatusBar, "Show or hide the status bar\nToggle StatusBar"},
  };
  for (const auto& [id, text] : strings) ui::RegisterStringResource(id, text);
}

void RegisterResources() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterDialogResources();
    RegisterSettingsDialogResources();
    RegisterMenuResources();
    RegisterStringResources();
    RegisterImageResources();
  });
}

std::string LoadAppString(unsigned id) {
  RegisterResources();
  std::string text;
  if (!ui::LoadStringResource(id, text)) text.clear();
  return text;
}

const ui::DialogTemplate* LoadAppDialog(int id) {
  RegisterResources();
  return ui::FindDialogResource(static_cast<ui::UINT>(id));
}

}  // namespace app
