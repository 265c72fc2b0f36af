// Message boxes. Every one goes through the process's one notifier: a
// dialog in interactive runs, a line on stderr answered with the default
// button otherwise.
#pragma once

#include <string>

#include "platform/afx/AfxIds.h"

namespace afx {

constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_YESNOCANCEL = 0x0003;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_ICONSTOP = 0x0010;
constexpr UINT MB_ICONHAND = MB_ICONSTOP;
constexpr UINT MB_ICONQUESTION = 0x0020;
constexpr UINT MB_ICONEXCLAMATION = 0x0030;
constexpr UINT MB_ICONINFORMATION = 0x0040;
constexpr UINT MB_DEFBUTTON1 = 0x0000;
constexpr UINT MB_DEFBUTTON2 = 0x0100;
constexpr UINT MB_DEFBUTTON3 = 0x0200;

// Returns the answer (IDOK, IDCANCEL, IDYES, IDNO).
int AfxMessageBox(const std::string& text, UINT type = MB_OK, UINT help_id = 0);
int AfxMessageBox(UINT string_id, UINT type = MB_OK, UINT help_id = 0);

}  // namespace afx
