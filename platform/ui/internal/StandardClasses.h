// The built-in window classes: their procedures and their registration.
#pragma once

#include "platform/ui/Types.h"

namespace ui::internal {

LRESULT StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ListBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ComboBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ScrollBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT StatusBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ProgressProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT TooltipProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT MDIClientProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT TabControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ToolbarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT RebarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

constexpr const char* kDialogClassName = "#32770";

}  // namespace ui::internal
