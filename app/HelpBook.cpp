#include "app/HelpBook.h"

#include <algorithm>
#include <map>

#include "app/AppResources.h"
#include "app/SettingsDlgIds.h"
#include "platform/sys/Format.h"
#include "platform/sys/Notify.h"
#include "platform/sys/Version.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/ImageResources.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/NonClient.h"
#include "platform/ui/Window.h"

namespace app {
namespace {

constexpr const char kBookName[] = "help/briven.hhp";

// The numbers the main window's bars report for themselves.
constexpr unsigned long kBarHitFirst = 0x80010001;
constexpr unsigned long kBarHitLast = 0x80010004;
constexpr unsigned long kMenuBarHitBase = 0x50000;

const std::map<int, std::vector<int>>& HelpControlTables() {
  using namespace parameters;
  static const std::map<int, std::vector<int>> tables = {
      {kParametersDialog,
       {kSelectRadio, kSpecifyRadio, kDelimiterCombo, kDelimiterEdit, kExtraHeading, kPhysicalValues, kImmersion,
        kProcessTimeTags, kFormatTimeTags, kFloatTypeCombo, kPrecisionEdit, kWidthEdit, kSuppressStrings,
        kHexadecimal, kFrameCounter, kCheckSum, kErrorFrames, kLimitEdit, kSubsamplingEdit, kHelpButton}},
      {kAppSettingsDialog,
       {appsettings::kSaveSettings, appsettings::kOverwritePrompt, appsettings::kDismissProgress,
        appsettings::kConversionLog, appsettings::kLogFolderEdit, appsettings::kLogFolderChooser, kHelpButton}},
      {kListPropertiesDialog,
       {listprops::kSortCombo, listprops::kAscending, listprops::kDescending, listprops::kLogFolder,
        listprops::kLogFilter, listprops::kLogSubfolders, listprops::kLogChooser, listprops::kFromPackage,
        listprops::kPackageEdit, listprops::kPackageChooser, listprops::kFromFiles, listprops::kInstrumentFolder,
        listprops::kInstrumentFilter, listprops::kInstrumentSubfolders, listprops::kInstrumentChooser,
        listprops::kOutputFolder, listprops::kOutputFilter, listprops::kOutputSubfolders, listprops::kOutputChooser,
        kHelpButton}},
      {kFileNamingDialog,
       {kHelpButton, naming::kFileTitles, naming::kAutoIncrement, naming::kBaseEdit, naming::kIncrementEdit,
        naming::kUserDefined, naming::kExtensionEdit, naming::kPageCombo, naming::kIncrementTypeCombo}},
  };
  return tables;
}

// The commands of the menu and the toolbar, which Shift+F1 can point at.
constexpr unsigned kHelpCommands[] = {kCmdViewProperties, kCmdDocumentProperties, kCmdParameters, kCmdFileNaming,
                                      kCmdConvert,        kCmdRefresh,            kCmdHeader,     kCmdConversionLog,
                                      kCmdAppAbout,       kCmdAppExit,            kCmdHelpFinder, kCmdContextHelp,
                                      kCmdViewToolbar,    kCmdViewStatusBar};

// The controls of the main window's form.
constexpr int kFormControls[] = {kLogList, kInstrumentList, kOutputList, kNextOutputEdit};

}  // namespace

const std::vector<int>& HelpControlsOf(int dialog) {
  static const std::vector<int> none;
  const auto& tables = HelpControlTables();
  const auto found = tables.find(dialog);
  return found == tables.end() ? none : found->second;
}

unsigned long ControlHelpContextOrNone(int dialog, int control) {
  const std::vector<int>& controls = HelpControlsOf(dialog);
  if (std::find(controls.begin(), controls.end(), control) == controls.end()) return 0;
  return ControlHelpContext(dialog, control);
}

unsigned long MapFrameHelpContext(unsigned long data, unsigned menu_bar_id) {
  if (data == kMenuBarHitBase + menu_bar_id) return kHelpMenuBar;
  if (data >= kBarHitFirst && data <= kBarHitLast) return kHelpBarsFirst + (data - kBarHitFirst);
  return data;
}

unsigned long HelpContextOfFormControl(ui::HWND form, ui::HWND clicked) {
  while (clicked && ui::GetParent(clicked) != form) clicked = ui::GetParent(clicked);
  if (!clicked || !form) return 0;
  const int id = ui::GetDlgCtrlID(clicked);
  constexpr int kNoId = 0xFFFF;
  if (id <= 0 || id == kNoId) return 0;
  return kHelpResourceBase + static_cast<unsigned long>(id);
}

std::vector<unsigned long> HelpContextsInUse() {
  std::vector<unsigned long> contexts = {kHelpMainWindow, kHelpMenuBar};
  for (unsigned long bar = kHelpBarsFirst; bar < kHelpMenuBar; ++bar) contexts.push_back(bar);
  for (unsigned command : kHelpCommands) contexts.push_back(kHelpCommandBase + command);
  for (int control : kFormControls) contexts.push_back(kHelpResourceBase + static_cast<unsigned long>(control));
  for (const auto& [dialog, controls] : HelpControlTables()) {
    contexts.push_back(DialogHelpContext(dialog));
    for (int control : controls) contexts.push_back(ControlHelpContext(dialog, control));
  }
  // Dialogs without a Help button or control topics: F1 in them opens their page.
  for (int dialog : {kOverwriteDialog, kConversionDialog, kConversionLogDialog})
    contexts.push_back(DialogHelpContext(dialog));
  return contexts;
}

std::string HelpBookPath() { return sys::FindDataFile(kBookName); }

bool ShowHelpContext(ui::HWND owner, unsigned long context) {
  const std::string book = HelpBookPath();
  if (book.empty()) {
    sys::Notify("The help book of Briven is not installed.", sys::NoticeIcon::exclamation);
    return false;
  }
  if (ui::ShowHelp(owner, book, context)) return true;
  sys::Notify(sys::Format("No help could be shown from the help book\r\n%s.", book.c_str()),
              sys::NoticeIcon::exclamation);
  return false;
}

bool RunHelpMode(ui::HWND top, HelpContextOfWindow context_of) {
  return RunHelpMode(top, HelpContextOfClick([context_of](ui::HWND clicked, ui::POINT) {
                       return context_of ? context_of(clicked) : 0UL;
                     }));
}

bool RunHelpMode(ui::HWND top, const HelpContextOfClick& context_of) {
  ui::SetCapture(top);
  // The pointer says the next click is a question while the capture holds
  // (no window sets its own pointer then); the old one is back after.
  struct HelpPointer {
    ui::HCURSOR shown = ui::LoadCursor(kContextHelpCursor);
    ui::HCURSOR previous = shown ? ui::SetCursor(shown) : nullptr;
    ~HelpPointer() {
      if (shown) ui::SetCursor(previous);
    }
  } pointer;
  ui::MSG msg{};
  bool shown = false;
  for (;;) {
    if (ui::GetMessage(&msg, nullptr, 0, 0) <= 0) {
      // The program is ending: the quit goes on to the outer loop.
      ui::ReleaseCapture();
      ui::PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    if (msg.message == ui::WM_LBUTTONDOWN) {
      // Where the click was, on the screen: the pointer may have moved since.
      ui::POINT point{ui::GET_X_LPARAM(msg.lParam), ui::GET_Y_LPARAM(msg.lParam)};
      if (msg.hwnd) ui::ClientToScreen(msg.hwnd, &point);
      ui::ReleaseCapture();
      const ui::HWND clicked = ui::WindowFromPoint(point);
      const unsigned long context = context_of && clicked ? context_of(clicked, point) : 0;
      shown = ShowHelpContext(top, context ? context : kHelpMainWindow);
      return shown;
    }
    if (msg.message == ui::WM_RBUTTONDOWN || (msg.message == ui::WM_KEYDOWN && msg.wParam == ui::VK_ESCAPE)) {
      ui::ReleaseCapture();
      return false;
    }
    // Other input is not meant for the windows while the user points.
    const bool key = msg.message >= 0x0100 && msg.message <= 0x0109;
    const bool mouse = msg.message >= 0x0200 && msg.message <= 0x020D;
    if (key || mouse) continue;
    ui::TranslateMessage(&msg);
    ui::DispatchMessage(&msg);
  }
}

}  // namespace app
