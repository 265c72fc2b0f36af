// The program's resources as C++ data, our equivalent of a resource script:
// dialog templates, string table, menu and accelerator table in the window
// system's own resource types, registered with it by number. Identifiers keep their historic numbers because stored
// settings, help contexts and the command routing all depend on them.
#pragma once

#include <string>

#include "platform/ui/DialogTemplate.h"

namespace app {

// Templates, menus and tables.
constexpr int kAboutDialog = 100;
constexpr int kFormView = 101;
constexpr int kMainResource = 128;  // menu, accelerators, document string, icon
constexpr int kConversionDialog = 130;
constexpr int kConversionLogDialog = 147;

// The cursor a toolbar button being copied shows.
constexpr unsigned kCopyButtonCursor = 20691;
// The pointer of help mode (Shift+F1): an arrow with a question mark.
constexpr unsigned kContextHelpCursor = 20692;

// Strings.
constexpr unsigned kStringHeaderPane = 129;
constexpr unsigned kStringConvertingPane = 130;
constexpr unsigned kStringAppTitle = 57344;

// Commands.
constexpr unsigned kCmdViewProperties = 32771;
constexpr unsigned kCmdDocumentProperties = 32772;
constexpr unsigned kCmdParameters = 32773;
constexpr unsigned kCmdFileNaming = 32774;
constexpr unsigned kCmdConvert = 32775;
constexpr unsigned kCmdRefresh = 32783;
constexpr unsigned kCmdHeader = 32786;
constexpr unsigned kCmdConversionLog = 32790;
constexpr unsigned kCmdEnterConvert = 32791;
constexpr unsigned kCmdFileNew = 57600;
constexpr unsigned kCmdFileOpen = 57601;
constexpr unsigned kCmdAppAbout = 57664;
constexpr unsigned kCmdAppExit = 57665;
constexpr unsigned kCmdHelpFinder = 57667;
constexpr unsigned kCmdContextHelp = 57669;
constexpr unsigned kCmdHelp = 57670;
constexpr unsigned kCmdViewToolbar = 59392;
constexpr unsigned kCmdViewStatusBar = 59393;

// Controls of the form view.
constexpr int kLogList = 1007;
constexpr int kInstrumentList = 1008;
constexpr int kOutputList = 1009;
constexpr int kNextOutputEdit = 1017;

// Controls of the progress window.
constexpr int kProgressBar = 1000;
constexpr int kStatusText = 1001;
constexpr int kLimitsText = 1003;
constexpr int kFrameCounterLabel = 1004;
constexpr int kCheckSumLabel = 1005;
constexpr int kFramesProcessedText = 1049;
constexpr int kResyncText = 1050;
constexpr int kFrameCounterErrorsText = 1051;
constexpr int kCheckSumErrorsText = 1052;
constexpr int kInstrumentText = 1062;
constexpr int kLogFileText = 1063;

// Controls of the About box.
constexpr int kAboutProductName = 1127;
constexpr int kAboutVersion = 1128;
constexpr int kAboutCopyright = 1129;
constexpr int kAboutUserName = 1130;
constexpr int kAboutCompany = 1131;

// The edit control the conversion log window creates over its client area.
constexpr int kConversionLogEdit = 101;

// The class name under which the progress bar control is registered.
constexpr const char kProgressControlClass[] = "msctls_progress32";

// Registers every dialog template, string, menu and accelerator table of
// the program with the window system (once; later calls do nothing), so
// that they are read through the window system's resource calls.
void RegisterResources();

// A string of the table ("" when there is none), registering first.
std::string LoadAppString(unsigned id);
// A dialog template (null when there is none), registering first.
const ui::DialogTemplate* LoadAppDialog(int id);

}  // namespace app
