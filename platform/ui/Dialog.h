// The dialog manager: dialogs made from templates, modeless or modal (a
// nested loop ended by EndDialog), keyboard navigation, and the item
// helpers.
#pragma once

#include <string>

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Types.h"

namespace ui {

HWND CreateDialogIndirectParam(const DialogTemplate* dialog, HWND parent, DLGPROC proc, LPARAM init_param);
// Runs the dialog modally: the owner is disabled meanwhile. Returns the
// EndDialog result, -1 when the dialog could not be made, IDCANCEL when
// WM_QUIT ended the loop first.
INT_PTR DialogBoxIndirectParam(const DialogTemplate* dialog, HWND owner, DLGPROC proc, LPARAM init_param);
// Ends the modal loop of an existing dialog (a stale handle is refused).
BOOL EndDialog(HWND dialog, INT_PTR result);
// Runs an already created dialog modally; used by the framework's dialogs.
INT_PTR RunModalDialog(HWND dialog, HWND owner);
LRESULT DefDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsDialogMessage(HWND dialog, MSG* msg);

HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);
BOOL SetDlgItemText(HWND dialog, int id, const char* text);
std::string GetDlgItemTextString(HWND dialog, int id);
UINT GetDlgItemText(HWND dialog, int id, char* buffer, int size);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL is_signed);
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL is_signed);
LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckRadioButton(HWND dialog, int first_id, int last_id, int check_id);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
BOOL MapDialogRect(HWND dialog, RECT* rect);

}  // namespace ui
