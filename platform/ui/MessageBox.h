// The message box: a modal dialog with a text, an icon and a row of
// buttons, made from the flags alone.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/Types.h"

namespace ui {

constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x0002;
constexpr UINT MB_YESNOCANCEL = 0x0003;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_RETRYCANCEL = 0x0005;
constexpr UINT MB_TYPEMASK = 0x000F;
constexpr UINT MB_ICONHAND = 0x0010;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x0020;
constexpr UINT MB_ICONEXCLAMATION = 0x0030;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x0040;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0x00F0;
constexpr UINT MB_DEFBUTTON1 = 0x0000;
constexpr UINT MB_DEFBUTTON2 = 0x0100;
constexpr UINT MB_DEFBUTTON3 = 0x0200;
constexpr UINT MB_DEFMASK = 0x0F00;

// The ids of the buttons, left to right, that `type` gives.
std::vector<int> MessageBoxButtons(UINT type);

// Runs the box modally over `owner` (disabled meanwhile). Returns the id
// of the button that answered; Esc and the close box answer Cancel, or OK
// when OK is the only button, and do nothing when there is no Cancel.
// 0 when the box could not be made.
int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);

}  // namespace ui
