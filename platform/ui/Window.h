// Windows: classes and procedures, creation and destruction, the window
// tree and z-order, geometry in screen coordinates, show and enable state,
// focus, text, stored longs and recorded invalidation. A stale or foreign
// handle is refused everywhere (FALSE, 0 or null, last error 1400).
#pragma once

#include <string>

#include "platform/ui/GdiTypes.h"
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
  // WM_ERASEBKGND paints the background with this brush (a brush handle,
  // or a system colour index + 1); null leaves the background alone.
  HBRUSH hbrBackground = nullptr;
  // The cursor over the client area; null leaves it to the window.
  HCURSOR hCursor = nullptr;
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
// is what the non-client frame (WM_NCCALCSIZE) leaves of the window.
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

// Painting. Each window keeps an update region (client coordinates) and
// whether its background and its frame are due; WM_PAINT comes while any
// of it is pending. A window without WS_CLIPCHILDREN passes invalidation
// on to its children.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);  // null: the whole client area
BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL ValidateRgn(HWND hwnd, HRGN region);
// The bounds of the update region; FALSE when nothing is due.
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
// Copies the update region into `region`; the region kind (NULLREGION...).
int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase);

constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_INTERNALPAINT = 0x0002;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_VALIDATE = 0x0008;
constexpr UINT RDW_NOINTERNALPAINT = 0x0010;
constexpr UINT RDW_NOERASE = 0x0020;
constexpr UINT RDW_NOCHILDREN = 0x0040;
constexpr UINT RDW_ALLCHILDREN = 0x0080;
constexpr UINT RDW_UPDATENOW = 0x0100;
constexpr UINT RDW_ERASENOW = 0x0200;
constexpr UINT RDW_FRAME = 0x0400;
constexpr UINT RDW_NOFRAME = 0x0800;
// `rect` or `region` (client coordinates; both null: the whole window)
// as the flags say. A null window stands for the desktop: every top-level
// window.
BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags);
// Paints now what is due (frame, background, client), without the loop.
BOOL UpdateWindow(HWND hwnd);

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  BOOL fErase = FALSE;  // TRUE when WM_ERASEBKGND left the background to the painter
  RECT rcPaint;         // the bounds of what is to be painted, client coordinates
};
// Starts painting: the frame and background if due, then a context
// clipped to the update region, which is now validated.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
// Contexts over the client area (GetDC; null: the desktop overlay) and the
// whole window (GetWindowDC), clipped to what of the window is visible.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);

// One window at a time may have its drawing frozen (null thaws it); FALSE
// while another is frozen. Invalidation goes on being recorded and is
// painted once the window thaws.
BOOL LockWindowUpdate(HWND hwnd);
HWND GetLockedWindow();

// Deferred positioning: the positions of several windows, applied together.
struct HDWP__;
using HDWP = HDWP__*;
HDWP BeginDeferWindowPos(int count);
// The batch, or null when the window is bad (the batch is then dropped).
HDWP DeferWindowPos(HDWP batch, HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags);
BOOL EndDeferWindowPos(HDWP batch);

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace ui
