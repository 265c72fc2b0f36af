// Windows: classes and procedures, creation and destruction, the window
// tree and z-order, geometry in screen coordinates, show and enable state,
// focus, text, stored longs and recorded invalidation. A stale or foreign
// handle is refused everywhere (FALSE, 0 or null, last error 1400).
#pragma once

#include <string>

#include "platform/ui/Types.h"

namespace ui {

constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;
constexpr DWORD ERROR_CANNOT_FIND_WND_CLASS = 1407;
constexpr DWORD ERROR_CLASS_ALREADY_EXISTS = 1410;
constexpr DWORD ERROR_INVALID_THREAD_ID = 1444;
constexpr DWORD ERROR_TIMEOUT = 1460;
DWORD GetLastError();
void SetLastError(DWORD error);

// Class styles.
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;
constexpr UINT CS_SAVEBITS = 0x0800;

struct WNDCLASS {
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  const char* lpszClassName = nullptr;
};

// Class names compare without case. The standard controls ("Static",
// "Button", "Edit", "ListBox", the progress bar "msctls_progress32") and
// the dialog class "#32770" are built in.
BOOL RegisterClass(const WNDCLASS& wc);
BOOL UnregisterClass(const char* class_name);
BOOL GetClassInfo(const char* class_name, WNDCLASS* out);
std::string GetClassName(HWND hwnd);

// Creation and destruction. Windows belong to the thread that creates them;
// only that thread may destroy them.
HWND CreateWindowEx(DWORD ex_style, const char* class_name, const char* window_name, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu_or_id, void* param);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);

// Tree and z-order.
HWND GetParent(HWND hwnd);  // the parent of a child, else the owner
HWND SetParent(HWND hwnd, HWND new_parent);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetWindow(HWND hwnd, UINT relation);
HWND GetTopWindow(HWND hwnd);  // first child, or the top-level window on top when null
BOOL IsChild(HWND parent, HWND hwnd);
HWND GetDesktopWindow();
BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags);
BOOL BringWindowToTop(HWND hwnd);

// Geometry. Window rectangles are in screen coordinates; the client area
// is the whole window until the drawing layer adds non-client parts.
BOOL GetWindowRect(HWND hwnd, RECT* rect);
BOOL GetClientRect(HWND hwnd, RECT* rect);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL ScreenToClient(HWND hwnd, POINT* point);
BOOL ClientToScreen(HWND hwnd, POINT* point);
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
HWND ChildWindowFromPoint(HWND parent, POINT client_point);
constexpr UINT CWP_ALL = 0x0000;
constexpr UINT CWP_SKIPINVISIBLE = 0x0001;
constexpr UINT CWP_SKIPDISABLED = 0x0002;
constexpr UINT CWP_SKIPTRANSPARENT = 0x0004;
HWND ChildWindowFromPointEx(HWND parent, POINT client_point, UINT flags);

// The normal position of a window (screen coordinates for top-level
// windows, the parent's client coordinates for children) and its show
// command.
struct WINDOWPLACEMENT {
  UINT length = sizeof(WINDOWPLACEMENT);
  UINT flags = 0;
  UINT showCmd = 1;  // SW_SHOWNORMAL
  POINT ptMinPosition{-1, -1};
  POINT ptMaxPosition{-1, -1};
  RECT rcNormalPosition;
};
BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement);
// Moves the window to the normal position and applies the show command.
BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement);

// Show and enable state.
BOOL ShowWindow(HWND hwnd, int command);  // TRUE when it was visible
BOOL IsWindowVisible(HWND hwnd);          // it and all its ancestors
BOOL EnableWindow(HWND hwnd, BOOL enable);  // TRUE when it was disabled
BOOL IsWindowEnabled(HWND hwnd);

// Focus, activation and capture (per thread).
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

// Text and stored longs.
BOOL SetWindowText(HWND hwnd, const char* text);
int GetWindowText(HWND hwnd, char* buffer, int size);
int GetWindowTextLength(HWND hwnd);
std::string GetWindowTextString(HWND hwnd);
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* process_id);

// Invalidation is recorded per window (client coordinates, null = all)
// and answered by WM_PAINT; DefWindowProc validates.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND hwnd);
// One window at a time may have its drawing frozen (null thaws it); FALSE
// while another is frozen. Invalidation goes on being recorded.
BOOL LockWindowUpdate(HWND hwnd);
HWND GetLockedWindow();

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace ui
