// The templates of the settings dialogs, the file naming dialog and the
// overwrite question, in dialog units. Labels carry the mnemonics of the
// edits that follow them in the tab order.
#include <string>
#include <vector>

#include "app/ResourceRegistration.h"
#include "app/SettingsDlgIds.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WindowStyles.h"

namespace app {
namespace {

using ui::DialogItemTemplate;
using ui::DialogTemplate;
using ui::DWORD;

constexpr int kNoId = -1;
constexpr const char kFont[] = "MS Sans Serif";
constexpr DWORD kTab = ui::WS_VISIBLE | ui::WS_TABSTOP;

DialogItemTemplate Label(const std::string& text, short x, short y, short cx, short cy = 8, int id = kNoId) {
  return {"Static", text, id, ui::WS_VISIBLE | ui::SS_LEFT, 0, x, y, cx, cy};
}

DialogItemTemplate Group(const std::string& text, short x, short y, short cx, short cy, int id = kNoId) {
  return {"Button", text, id, ui::WS_VISIBLE | ui::BS_GROUPBOX, 0, x, y, cx, cy};
}

DialogItemTemplate Check(const std::string& text, int id, short x, short y, short cx) {
  return {"Button", text, id, kTab | ui::BS_AUTOCHECKBOX, 0, x, y, cx, 10};
}

// `first` opens a new radio group.
DialogItemTemplate Radio(const std::string& text, int id, short x, short y, short cx, bool first) {
  return {"Button", text, id, kTab | ui::BS_AUTORADIOBUTTON | (first ? ui::WS_GROUP : 0), 0, x, y, cx, 10};
}

DialogItemTemplate Edit(int id, short x, short y, short cx, bool group = false) {
  return {"Edit", "", id, kTab | ui::WS_BORDER | ui::ES_AUTOHSCROLL | (group ? ui::WS_GROUP : 0),
          ui::WS_EX_CLIENTEDGE, x, y, cx, 12};
}

DialogItemTemplate DropList(int id, short x, short y, short cx, std::vector<std::string> items) {
  return {"ComboBox", "", id, kTab | ui::WS_GROUP | ui::CBS_DROPDOWNLIST, 0, x, y, cx, 60,
          std::move(items)};
}

DialogItemTemplate Push(const std::string& text, int id, short x, short y, short cx = 50, bool is_default = false) {
  return {"Button", text, id, kTab | ui::WS_GROUP | (is_default ? ui::BS_DEFPUSHBUTTON : ui::BS_PUSHBUTTON), 0,
          x, y, cx, 14};
}

DialogTemplate Modal(const std::string& caption, short cx, short cy, bool close_box = true) {
  DialogTemplate t;
  t.style = ui::DS_MODALFRAME | ui::DS_SETFONT | ui::WS_POPUP | ui::WS_CAPTION | (close_box ? ui::WS_SYSMENU : 0);
  t.cx = cx, t.cy = cy;
  t.caption = caption;
  t.font_name = kFont;
  return t;
}

// OK, Cancel and Help in a row at the bottom right.
void AddButtonRow(DialogTemplate& t) {
  const short y = static_cast<short>(t.cy - 21);
  t.items.push_back(Push("OK", ui::IDOK, static_cast<short>(t.cx - 171), y, 50, true));
  t.items.push_back(Push("Cancel", ui::IDCANCEL, static_cast<short>(t.cx - 114), y));
  t.items.push_back(Push("&Help", kHelpButton, static_cast<short>(t.cx - 57), y));
}

DialogTemplate Parameters() {
  using namespace parameters;
  DialogTemplate t = Modal("Conversion Parameters", 360, 206);
  t.items = {
      Group("Output Field Delimiter", 7, 4, 160, 44),
      Radio("Selec&t:", kSelectRadio, 14, 17, 48, true),
      DropList(kDelimiterCombo, 66, 15, 92, {"TAB", "SPACE"}),
      Radio("Specif&y:", kSpecifyRadio, 14, 32, 48, true),
      Edit(kDelimiterEdit, 66, 30, 92),
      Group("Output Values", 7, 52, 160, 122),
      Check("&Extra output heading information", kExtraHeading, 14, 64, 150),
      Check("&Convert to physical values", kPhysicalValues, 14, 78, 150),
      Check("&Apply immersion coefficients", kImmersion, 24, 92, 140),
      Check("&Process Time Tags", kProcessTimeTags, 14, 106, 150),
      Check("&Format Time Tags", kFormatTimeTags, 24, 120, 140),
      Check("&Suppress non-numerical output values", kSuppressStrings, 14, 134, 150),
      Check("He&xadecimal output values", kHexadecimal, 14, 148, 150),
      Group("Floating Point Output", 173, 4, 180, 62),
      DropList(kFloatTypeCombo, 180, 15, 166, {"Decimal", "Exponential", "Best Fit"}),
      Label("Floating point precisio&n:", 180, 34, 100),
      Edit(kPrecisionEdit, 310, 32, 36, true),
      Label("Output field &width:", 180, 50, 100),
      Edit(kWidthEdit, 310, 48, 36, true),
      Group("Frame Checks", 173, 70, 180, 52),
      Check("F&rame Counter (if available)", kFrameCounter, 180, 82, 170),
      Check("Chec&k Sum (if available)", kCheckSum, 180, 95, 170),
      Check("&Include frames with sensor conversion errors", kErrorFrames, 180, 108, 170),
      Group("Conversion Range", 173, 126, 180, 48),
      Label("Conversion &Limit:", 180, 140, 70),
      Edit(kLimitEdit, 254, 138, 36, true),
      Label("frame(s)", 294, 140, 34),
      Label("S&ubsampling Rate:", 180, 156, 70),
      Edit(kSubsamplingEdit, 254, 154, 36, true),
      Label("frame(s)", 294, 156, 34),
  };
  AddButtonRow(t);
  return t;
}

DialogTemplate AppSettings() {
  using namespace appsettings;
  DialogTemplate t = Modal("Briven Properties", 260, 124);
  t.items = {
      Check("&Save all application settings on exit", kSaveSettings, 10, 10, 240),
      Check("&Prompt to overwrite existing output files", kOverwritePrompt, 10, 24, 240),
      Check("&Dismiss Conversion Progress window after conversion complete", kDismissProgress, 10, 38, 240),
      Check("&Maintain a conversion log file:", kConversionLog, 10, 56, 240),
      Label("Director&y:", 22, 73, 36),
      Edit(kLogFolderEdit, 60, 71, 170, true),
      Push("...", kLogFolderChooser, 233, 70, 18),
  };
  AddButtonRow(t);
  return t;
}

DialogTemplate Overwrite() {
  using namespace overwrite;
  // No close box: the question is answered by one of its four buttons.
  DialogTemplate t = Modal("Briven", 250, 76, false);
  t.items = {
      Label("", 10, 10, 230, 32, kQuestionText),
      Push("&Yes", kYes, 10, 52, 52, true),
      Push("Yes to &All", kYesToAll, 69, 52, 52),
      Push("&No", kNo, 128, 52, 52),
      Push("&Cancel", kCancel, 187, 52, 52),
  };
  return t;
}

// One file list's working folder, filter, subfolders check and chooser.
void AddListRow(DialogTemplate& t, short x, short y, int folder, int chooser, int filter, int subfolders) {
  t.items.push_back(Label("Working Directory:", x, static_cast<short>(y + 2), 66));
  t.items.push_back(Edit(folder, static_cast<short>(x + 68), y, static_cast<short>(260 - x - 68), true));
  t.items.push_back(Push("...", chooser, 264, static_cast<short>(y - 1), 18));
  t.items.push_back(Label("Filter:", x, static_cast<short>(y + 18), 66));
  t.items.push_back(Edit(filter, static_cast<short>(x + 68), static_cast<short>(y + 16), 60, true));
  t.items.push_back(Check("&Include Subfolders", subfolders, static_cast<short>(x + 140), static_cast<short>(y + 18), 80));
}

DialogTemplate ListProperties() {
  using namespace listprops;
  DialogTemplate t = Modal("File List Properties", 296, 246);
  t.items = {
      Group("Sort", 7, 4, 282, 30, kSortGroup),
      Label("Sort By:", 14, 18, 30),
      DropList(kSortCombo, 46, 16, 60, {"NAME", "DATE", "SIZE"}),
      Radio("&Ascending", kAscending, 126, 18, 60, true),
      Radio("&Descending", kDescending, 196, 18, 60, false),
      Group("Log Files", 7, 38, 282, 44),
  };
  AddListRow(t, 14, 50, kLogFolder, kLogChooser, kLogFilter, kLogSubfolders);
  t.items.push_back(Group("Instrument Files", 7, 86, 282, 88));
  t.items.push_back(Radio("From Instrument &Package File:", kFromPackage, 14, 98, 130, true));
  t.items.push_back(Edit(kPackageEdit, 24, 110, 236, true));
  t.items.push_back(Push("...", kPackageChooser, 264, 109, 18));
  t.items.push_back(Radio("From &Instrument Files:", kFromFiles, 14, 127, 130, true));
  AddListRow(t, 24, 140, kInstrumentFolder, kInstrumentChooser, kInstrumentFilter, kInstrumentSubfolders);
  t.items.push_back(Group("Output Files", 7, 178, 282, 44));
  AddListRow(t, 14, 190, kOutputFolder, kOutputChooser, kOutputFilter, kOutputSubfolders);
  AddButtonRow(t);
  return t;
}

DialogTemplate FileNaming() {
  using namespace naming;
  DialogTemplate t = Modal("Output File Naming", 230, 166);
  t.items = {
      Label("&File Naming for:", 7, 9, 60),
      DropList(kPageCombo, 70, 7, 120, {"Instrument Conversion", "Header Conversion"}),
      Group("Naming Convention", 7, 26, 216, 90, kConventionGroup),
      Radio("&User Defined", kUserDefined, 14, 39, 200, true),
      Radio("&Log [-Instrument] File Title(s)", kFileTitles, 14, 52, 200, false),
      Radio("&Auto Increment", kAutoIncrement, 14, 65, 200, false),
      Label("&Base:", 26, 81, 40),
      Edit(kBaseEdit, 70, 79, 80, true),
      Label("&Increment:", 26, 98, 40),
      Edit(kIncrementEdit, 70, 96, 24, true),
      DropList(kIncrementTypeCombo, 100, 96, 80, {"Alphabetically", "Numerically"}),
      Label("File Name &Extension:", 7, 124, 70),
      Edit(kExtensionEdit, 80, 122, 40, true),
  };
  AddButtonRow(t);
  return t;
}

}  // namespace

void RegisterSettingsDialogResources() {
  ui::RegisterDialogResource(kParametersDialog, Parameters());
  ui::RegisterDialogResource(kAppSettingsDialog, AppSettings());
  ui::RegisterDialogResource(kOverwriteDialog, Overwrite());
  ui::RegisterDialogResource(kListPropertiesDialog, ListProperties());
  ui::RegisterDialogResource(kFileNamingDialog, FileNaming());
}

}  // namespace app
