// The templates in dialog units, laid out as the classic toolbar dialogs:
// the list on the left, the buttons in a column on its right, the name and
// the three options below the list.
#include "docking/QVTToolBarsResources.h"

#include <mutex>
#include <string>

#include "platform/afx/AfxIds.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WindowStyles.h"

namespace docking {
namespace {

using ui::DialogItemTemplate;
using ui::DialogTemplate;
using ui::DWORD;
using R = QVTToolBarsResources;

constexpr int kNoId = -1;
constexpr const char kFont[] = "MS Sans Serif";
constexpr DWORD kTab = ui::WS_VISIBLE | ui::WS_TABSTOP;

DialogItemTemplate Label(const char* text, int id, short x, short y, short cx) {
  return {"Static", text, id, ui::WS_VISIBLE | ui::SS_LEFT, 0, x, y, cx, 8};
}

DialogItemTemplate Push(const char* text, int id, short x, short y, DWORD extra = 0) {
  return {"Button", text, id, kTab | ui::BS_PUSHBUTTON | extra, 0, x, y, 60, 14};
}

DialogItemTemplate Check(const char* text, int id, short x, short y, short cx) {
  return {"Button", text, id, kTab | ui::BS_AUTOCHECKBOX, 0, x, y, cx, 10};
}

// The list becomes a check list box: it draws its own items.
DialogItemTemplate ToolBarList(short x, short y, short cx, short cy) {
  const DWORD style = kTab | ui::WS_VSCROLL | ui::WS_BORDER | ui::LBS_NOTIFY | ui::LBS_HASSTRINGS |
                      ui::LBS_OWNERDRAWFIXED | ui::LBS_NOINTEGRALHEIGHT;
  return {"ListBox", "", R::kToolBarList, style, ui::WS_EX_CLIENTEDGE, x, y, cx, cy};
}

DialogItemTemplate NameEdit(short x, short y, short cx) {
  return {"Edit", "", R::kNameEdit, kTab | ui::WS_BORDER | ui::ES_AUTOHSCROLL, ui::WS_EX_CLIENTEDGE, x, y, cx, 12};
}

// What the dialog and the page share: the list, the name and the options.
void AddListAndOptions(DialogTemplate& t, short list_y) {
  t.items.push_back(Label("Toolbars:", kNoId, 7, list_y - 11, 60));
  t.items.push_back(ToolBarList(7, list_y, 140, 82));
  const short name_y = static_cast<short>(list_y + 88);
  t.items.push_back(Label("Toolbar name:", R::kNameLabel, 7, name_y + 2, 48));
  t.items.push_back(NameEdit(57, name_y, 90));
  const short options_y = static_cast<short>(name_y + 18);
  t.items.push_back(Check("&Show Tooltips", R::kToolTipsCheck, 7, options_y, 62));
  t.items.push_back(Check("C&ool Look", R::kCoolLookCheck, 72, options_y, 50));
  t.items.push_back(Check("&Large Buttons", R::kLargeButtonsCheck, 125, options_y, 62));
}

DialogTemplate ToolBarsDialog() {
  DialogTemplate t;
  t.style = ui::DS_MODALFRAME | ui::DS_SETFONT | ui::WS_POPUP | ui::WS_CAPTION | ui::WS_SYSMENU;
  t.cx = 222, t.cy = 140;
  t.caption = "Toolbars";
  t.font_name = kFont;
  AddListAndOptions(t, 18);
  t.items.push_back(Push("&Close", ui::IDOK, 155, 18, ui::BS_DEFPUSHBUTTON));
  t.items.push_back(Push("&New...", R::kNewButton, 155, 36));
  t.items.push_back(Push("C&ustomize...", R::kCustomizeButton, 155, 54));
  t.items.push_back(Push("&Reset", R::kResetButton, 155, 72));
  t.items.push_back(Push("&Help", static_cast<int>(afx::ID_HELP), 155, 90));
  return t;
}

DialogTemplate ToolBarsPage() {
  DialogTemplate t;
  t.style = ui::DS_SETFONT | ui::WS_CHILD | ui::WS_CAPTION;
  t.cx = 222, t.cy = 136;
  t.caption = "Toolbars";
  t.font_name = kFont;
  AddListAndOptions(t, 18);
  t.items.push_back(Push("&New...", R::kNewButton, 155, 18));
  t.items.push_back(Push("&Reset", R::kResetButton, 155, 36));
  return t;
}

DialogTemplate NewToolBarDialog() {
  DialogTemplate t;
  t.style = ui::DS_MODALFRAME | ui::DS_SETFONT | ui::WS_POPUP | ui::WS_CAPTION | ui::WS_SYSMENU;
  t.cx = 200, t.cy = 62;
  t.caption = "New Toolbar";
  t.font_name = kFont;
  t.items = {
      Label("&Toolbar name:", kNoId, 7, 7, 120),
      {"Edit", "", R::kNewNameEdit, kTab | ui::WS_BORDER | ui::ES_AUTOHSCROLL, ui::WS_EX_CLIENTEDGE, 7, 18, 125, 12},
      {"Button", "&OK", ui::IDOK, kTab | ui::BS_DEFPUSHBUTTON, 0, 140, 7, 53, 14},
      {"Button", "&Cancel", ui::IDCANCEL, kTab | ui::BS_PUSHBUTTON, 0, 140, 24, 53, 14},
      {"Button", "&Help", static_cast<int>(afx::ID_HELP), kTab | ui::BS_PUSHBUTTON, 0, 140, 41, 53, 14},
  };
  return t;
}

}  // namespace

void QVTToolBarsResources::Register() {
  static std::once_flag once;
  std::call_once(once, [] {
    ui::RegisterDialogResource(kToolBarsDialog, ToolBarsDialog());
    ui::RegisterDialogResource(kNewToolBarDialog, NewToolBarDialog());
    ui::RegisterDialogResource(kToolBarsPage, ToolBarsPage());
    ui::RegisterStringResource(kResetText, "&Reset");
    ui::RegisterStringResource(kDeleteText, "&Delete");
  });
}

}  // namespace docking
