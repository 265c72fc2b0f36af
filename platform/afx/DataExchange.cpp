#include "platform/afx/DataExchange.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "platform/afx/MessageBox.h"
#include "platform/sys/Format.h"

namespace afx {

namespace {

// Whole-text number parsing: surrounding blanks are allowed, anything else
// left over is not.
bool OnlyBlanks(const char* p) {
  while (*p == ' ' || *p == '\t') ++p;
  return *p == '\0';
}

bool ParseLong(const std::string& text, long long& out) {
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  out = std::strtoll(begin, &end, 10);
  return end != begin && errno == 0 && OnlyBlanks(end);
}

bool ParseUnsigned(const std::string& text, unsigned long long& out) {
  const char* begin = text.c_str();
  while (*begin == ' ' || *begin == '\t') ++begin;
  if (*begin == '-') return false;
  char* end = nullptr;
  errno = 0;
  out = std::strtoull(begin, &end, 10);
  return end != begin && errno == 0 && OnlyBlanks(end);
}

bool ParseDouble(const std::string& text, double& out) {
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  out = std::strtod(begin, &end);
  return end != begin && errno == 0 && std::isfinite(out) && OnlyBlanks(end);
}

[[noreturn]] void Refuse(CDataExchange* dx, const std::string& text) {
  AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
  dx->Fail();
}

template <typename T>
void ExchangeInteger(CDataExchange* dx, int id, T& value, long long min_value, long long max_value) {
  const HWND control = dx->PrepareEditCtrl(id);
  if (!dx->m_bSaveAndValidate) {
    ::ui::SetWindowText(control, std::to_string(value).c_str());
    return;
  }
  const std::string text = ::ui::GetWindowTextString(control);
  long long parsed = 0;
  if (!ParseLong(text, parsed) || parsed < min_value || parsed > max_value) Refuse(dx, "Please enter an integer.");
  value = static_cast<T>(parsed);
}

}  // namespace

HWND CDataExchange::PrepareCtrl(int id) {
  const HWND control = ::ui::GetDlgItem(m_pDlgWnd->m_hWnd, id);
  if (!control) throw std::logic_error(sys::Format("dialog data exchange: no control %d", id));
  m_idLastControl = id;
  m_bEditLastControl = FALSE;
  return control;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
  const HWND control = PrepareCtrl(id);
  m_bEditLastControl = TRUE;
  return control;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_idLastControl) {
    if (const HWND control = ::ui::GetDlgItem(m_pDlgWnd->m_hWnd, m_idLastControl)) {
      ::ui::SetFocus(control);
      if (m_bEditLastControl) ::ui::SendMessage(control, EM_SETSEL, 0, -1);
    }
  }
  throw CUserException();
}

void DDX_Text(CDataExchange* dx, int id, std::string& value) {
  const HWND control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate) value = ::ui::GetWindowTextString(control);
  else ::ui::SetWindowText(control, value.c_str());
}

void DDX_Text(CDataExchange* dx, int id, int& value) { ExchangeInteger(dx, id, value, INT32_MIN, INT32_MAX); }

void DDX_Text(CDataExchange* dx, int id, long& value) {
  ExchangeInteger(dx, id, value, INT32_MIN, INT32_MAX);  // the framework's long is 32-bit
}

void DDX_Text(CDataExchange* dx, int id, UINT& value) {
  const HWND control = dx->PrepareEditCtrl(id);
  if (!dx->m_bSaveAndValidate) {
    ::ui::SetWindowText(control, std::to_string(value).c_str());
    return;
  }
  unsigned long long parsed = 0;
  if (!ParseUnsigned(::ui::GetWindowTextString(control), parsed) || parsed > UINT32_MAX)
    Refuse(dx, "Please enter a positive integer.");
  value = static_cast<UINT>(parsed);
}

void DDX_Text(CDataExchange* dx, int id, double& value) {
  const HWND control = dx->PrepareEditCtrl(id);
  if (!dx->m_bSaveAndValidate) {
    ::ui::SetWindowText(control, sys::Format("%.15g", value).c_str());
    return;
  }
  double parsed = 0;
  if (!ParseDouble(::ui::GetWindowTextString(control), parsed)) Refuse(dx, "Please enter a number.");
  value = parsed;
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  const HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    value = static_cast<int>(::ui::SendMessage(control, BM_GETCHECK, 0, 0));
  } else {
    ::ui::SendMessage(control, BM_SETCHECK, value >= 0 && value <= 2 ? static_cast<WPARAM>(value) : 0, 0);
  }
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
  const HWND first = dx->PrepareCtrl(id);
  const HWND dialog = dx->m_pDlgWnd->m_hWnd;
  if (dx->m_bSaveAndValidate) value = -1;
  int index = 0;
  HWND control = first;
  do {
    if (::ui::SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
      if (dx->m_bSaveAndValidate) {
        if (::ui::SendMessage(control, BM_GETCHECK, 0, 0) == static_cast<LRESULT>(BST_CHECKED)) value = index;
      } else {
        ::ui::SendMessage(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      ++index;
    }
    control = ::ui::GetWindow(control, GW_HWNDNEXT);
  } while (control && !(::ui::GetWindowLongPtr(control, GWL_STYLE) & WS_GROUP) && ::ui::GetParent(control) == dialog);
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index) {
  const HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) index = static_cast<int>(::ui::SendMessage(control, LB_GETCURSEL, 0, 0));
  else ::ui::SendMessage(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBString(CDataExchange* dx, int id, std::string& value) {
  const HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    const LRESULT index = ::ui::SendMessage(control, LB_GETCURSEL, 0, 0);
    value.clear();
    if (index < 0) return;
    value.resize(static_cast<std::size_t>(::ui::SendMessage(control, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0)) + 1);
    ::ui::SendMessage(control, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(value.data()));
    value.resize(value.size() - 1);
  } else if (::ui::SendMessage(control, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(value.c_str())) == LB_ERR) {
    ::ui::SendMessage(control, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (control.m_hWnd) return;
  const HWND hwnd = dx->PrepareCtrl(id);
  if (!control.SubclassWindow(hwnd))
    throw std::logic_error(sys::Format("dialog data exchange: control %d is already joined to an object", id));
}

void DDV_MaxChars(CDataExchange* dx, const std::string& value, int max_chars) {
  if (!dx->m_bSaveAndValidate) {
    if (dx->m_idLastControl && dx->m_bEditLastControl)
      ::ui::SendDlgItemMessage(dx->m_pDlgWnd->m_hWnd, dx->m_idLastControl, EM_LIMITTEXT,
                               static_cast<WPARAM>(max_chars), 0);
    return;
  }
  if (static_cast<long long>(value.size()) > max_chars)
    Refuse(dx, sys::Format("Please enter no more than %d characters.", max_chars));
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int min_value, int max_value) {
  if (dx->m_bSaveAndValidate && (value < min_value || value > max_value))
    Refuse(dx, sys::Format("Please enter an integer between %d and %d.", min_value, max_value));
}

void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT min_value, UINT max_value) {
  if (dx->m_bSaveAndValidate && (value < min_value || value > max_value))
    Refuse(dx, sys::Format("Please enter an integer between %u and %u.", min_value, max_value));
}

void DDV_MinMaxLong(CDataExchange* dx, long value, long min_value, long max_value) {
  if (dx->m_bSaveAndValidate && (value < min_value || value > max_value))
    Refuse(dx, sys::Format("Please enter an integer between %ld and %ld.", min_value, max_value));
}

void DDV_MinMaxDouble(CDataExchange* dx, double value, double min_value, double max_value) {
  if (dx->m_bSaveAndValidate && (value < min_value || value > max_value))
    Refuse(dx, sys::Format("Please enter a number between %g and %g.", min_value, max_value));
}

}  // namespace afx
