// The string table: the document string, the status-bar pane texts, the
// application title and the command prompts (status text, then the tooltip
// after "\n").
#include <map>

#include "app/AppResources.h"

namespace app {

const char* FindStringResource(unsigned id) {
  static const std::map<unsigned, const char*> strings = {
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
  const auto it = strings.find(id);
  return it == strings.end() ? nullptr : it->second;
}

}  // namespace app
