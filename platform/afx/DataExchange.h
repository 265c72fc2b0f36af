// Dialog data exchange: routines that move a value between a member and a
// control (in either direction) and validate it on the way in. A failed
// validation tells the user, puts the focus back on the field and throws
// CUserException, which UpdateData turns into FALSE.
#pragma once

#include <exception>
#include <string>

#include "platform/afx/Wnd.h"

namespace afx {

class CUserException : public std::exception {
 public:
  const char* what() const noexcept override { return "data exchange refused a value"; }
};

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL save_and_validate) : m_bSaveAndValidate(save_and_validate), m_pDlgWnd(dialog) {}

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  int m_idLastControl = 0;
  BOOL m_bEditLastControl = FALSE;

  // The control `id` of the dialog, remembered as the one a failure
  // returns to; a missing control is a programming error (thrown).
  HWND PrepareCtrl(int id);
  HWND PrepareEditCtrl(int id);
  // Focuses the last prepared control (selecting an edit's text) and
  // throws CUserException.
  [[noreturn]] void Fail();
};

// Text and numbers through the control's text.
void DDX_Text(CDataExchange* dx, int id, std::string& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, long& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
// Check box state (0, 1, 2), the checked radio of a group (-1: none), list
// box selection by index or by text.
void DDX_Check(CDataExchange* dx, int id, int& value);
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_LBIndex(CDataExchange* dx, int id, int& index);
void DDX_LBString(CDataExchange* dx, int id, std::string& value);
// Joins a control object to its control the first time.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

// Validation, applied when saving; DDV_MaxChars also limits the edit.
void DDV_MaxChars(CDataExchange* dx, const std::string& value, int max_chars);
void DDV_MinMaxInt(CDataExchange* dx, int value, int min_value, int max_value);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT min_value, UINT max_value);
void DDV_MinMaxLong(CDataExchange* dx, long value, long min_value, long max_value);
void DDV_MinMaxDouble(CDataExchange* dx, double value, double min_value, double max_value);

}  // namespace afx
