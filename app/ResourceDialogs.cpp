// The dialog templates: the About box, the form of the main view, the
// progress window and the conversion log window, in dialog units.
#include "app/AppResources.h"
#include "app/ResourceRegistration.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WindowStyles.h"

namespace app {
namespace {

using ui::DialogItemTemplate;
using ui::DialogTemplate;
using ui::DWORD;

constexpr int kNoId = -1;  // labels and pictures nobody addresses
constexpr const char kFont[] = "MS Sans Serif";

DialogItemTemplate Label(const std::string& text, int id, short x, short y, short cx, short cy, DWORD style = 0) {
  return {"Static", text, id, ui::WS_VISIBLE | ui::SS_LEFT | style, 0, x, y, cx, cy};
}

DialogItemTemplate Picture(const std::string& resource, int id, short x, short y, short cx, short cy, DWORD kind) {
  return {"Static", resource, id, ui::WS_VISIBLE | kind, 0, x, y, cx, cy};
}

DialogItemTemplate FileList(int id, short x, short y, short cx, short cy) {
  // Not sorted by the control: the program sorts by name, date or size.
  const DWORD style = ui::WS_VISIBLE | ui::WS_TABSTOP | ui::WS_VSCROLL | ui::WS_HSCROLL | ui::WS_BORDER |
                      ui::LBS_NOTIFY | ui::LBS_HASSTRINGS | ui::LBS_NOINTEGRALHEIGHT | ui::LBS_EXTENDEDSEL;
  return {"ListBox", "", id, style, ui::WS_EX_CLIENTEDGE, x, y, cx, cy};
}

DialogTemplate AboutBox() {
  DialogTemplate t;
  t.style = ui::DS_MODALFRAME | ui::DS_SETFONT | ui::WS_POPUP | ui::WS_CAPTION | ui::WS_SYSMENU;
  t.x = 0, t.y = 0, t.cx = 235, t.cy = 130;
  t.caption = "About Briven";
  t.font_name = kFont;
  t.items = {
      Picture("#128", kNoId, 11, 17, 20, 20, ui::SS_ICON),
      Label("Briven", kAboutProductName, 40, 10, 150, 8),
      Label("Version", kAboutVersion, 40, 22, 150, 8),
      Label("", kAboutCopyright, 40, 34, 150, 8),
      Label("", kAboutUserName, 40, 46, 150, 8),
      Label("", kAboutCompany, 40, 58, 150, 8),
      Label("Contact Information:\r\nHarwendel\r\nsupport@harwendel.example", kNoId, 40, 74, 150, 32),
      {"Button", "OK", ui::IDOK, ui::WS_VISIBLE | ui::WS_TABSTOP | ui::WS_GROUP | ui::BS_DEFPUSHBUTTON, 0, 196, 7, 32,
       14},
  };
  return t;
}

DialogTemplate FormView() {
  DialogTemplate t;
  t.style = ui::DS_SETFONT | ui::WS_CHILD;
  t.cx = 330, t.cy = 200;
  t.font_name = kFont;
  t.items = {
      Picture("#140", kNoId, 7, 7, 100, 12, ui::SS_BITMAP),
      FileList(kLogList, 7, 21, 100, 150),
      Picture("#141", kNoId, 115, 7, 100, 12, ui::SS_BITMAP),
      FileList(kInstrumentList, 115, 21, 100, 150),
      Picture("#142", kNoId, 223, 7, 100, 12, ui::SS_BITMAP),
      FileList(kOutputList, 223, 21, 100, 132),
      Picture("#145", kNoId, 223, 156, 100, 12, ui::SS_BITMAP),
      {"Edit", "", kNextOutputEdit, ui::WS_VISIBLE | ui::WS_TABSTOP | ui::WS_BORDER, ui::WS_EX_CLIENTEDGE, 223, 170,
       100, 13},
  };
  return t;
}

DialogTemplate ConversionWindow() {
  DialogTemplate t;
  t.style = ui::DS_MODALFRAME | ui::DS_SETFONT | ui::WS_POPUP | ui::WS_CAPTION | ui::WS_SYSMENU;
  t.cx = 250, t.cy = 150;
  t.caption = "Briven Conversion";
  t.font_name = kFont;
  constexpr short kLabelX = 40, kCounterX = 150;
  t.items = {
      Picture("#128", kNoId, 10, 10, 20, 20, ui::SS_ICON),
      Label("", kStatusText, kLabelX, 8, 200, 18),
      {kProgressControlClass, "", kProgressBar, ui::WS_VISIBLE | ui::WS_BORDER, 0, kLabelX, 28, 200, 10},
      Label("", kInstrumentText, kLabelX, 42, 200, 8),
      Label("", kLogFileText, kLabelX, 52, 200, 8),
      Label("", kLimitsText, kLabelX, 62, 200, 16),
      Label("Frames Processed:", kNoId, kLabelX, 82, 100, 8),
      Label("Resynchronizations:", kNoId, kLabelX, 93, 100, 8),
      Label("Frame Counter Errors:", kFrameCounterLabel, kLabelX, 104, 100, 8),
      Label("Check Sum Errors:", kCheckSumLabel, kLabelX, 115, 100, 8),
      Label("", kFramesProcessedText, kCounterX, 82, 60, 9, ui::SS_RIGHT),
      Label("", kResyncText, kCounterX, 93, 60, 9, ui::SS_RIGHT),
      Label("", kFrameCounterErrorsText, kCounterX, 104, 60, 9, ui::SS_RIGHT),
      Label("", kCheckSumErrorsText, kCounterX, 115, 60, 9, ui::SS_RIGHT),
      {"Button", "Cancel", ui::IDOK, ui::WS_VISIBLE | ui::WS_TABSTOP | ui::BS_DEFPUSHBUTTON, 0, 100, 130, 50, 14},
  };
  return t;
}

DialogTemplate ConversionLogWindow() {
  DialogTemplate t;
  t.style = ui::DS_SETFONT | ui::WS_POPUP | ui::WS_CAPTION | ui::WS_SYSMENU | ui::WS_THICKFRAME;
  t.cx = 300, t.cy = 120;
  t.caption = "Conversion Log Output";
  t.font_name = kFont;
  return t;
}

}  // namespace

void RegisterDialogResources() {
  ui::RegisterDialogResource(kAboutDialog, AboutBox());
  ui::RegisterDialogResource(kFormView, FormView());
  ui::RegisterDialogResource(kConversionDialog, ConversionWindow());
  ui::RegisterDialogResource(kConversionLogDialog, ConversionLogWindow());
}

}  // namespace app
