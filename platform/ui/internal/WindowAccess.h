// Helpers shared by the window system's own files.
#pragma once

#include <memory>
#include <string>

#include "platform/ui/NonClient.h"
#include "platform/ui/Types.h"
#include "platform/ui/internal/WindowTable.h"

namespace ui::internal {

// Sets the stale-handle error; returns false for one-line refusals.
bool RefuseHandle();

// A window procedure call on the calling thread; 0 for a stale handle.
LRESULT CallProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// WM_COMMAND with the control's id and `code` to the control's parent.
void NotifyParent(HWND control, UINT code);

bool IsOnCurrentThread(const WindowRecord& record);

// Class lookup (case-insensitive); false when unknown.
struct ClassInfo {
  std::string name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  HBRUSH background = nullptr;
  HCURSOR cursor = nullptr;
};
bool FindClass(const std::string& name, ClassInfo& out);

// A control's private state, created on first use.
template <typename T>
std::shared_ptr<T> ControlState(HWND hwnd) {
  LockedWindow record(hwnd);
  if (!record) return nullptr;
  if (!record->control) record->control = std::make_shared<T>();
  return std::static_pointer_cast<T>(record->control);
}

// Asks the window (WM_NCCALCSIZE) for its client area in its current
// rectangle and stores it; children move with the client origin.
void UpdateClient(HWND hwnd);
// WM_WINDOWPOSCHANGED's default: WM_SIZE and WM_MOVE.
void SendSizeAndMove(HWND hwnd, const WINDOWPOS& pos);
// Makes changes of the system colours and metrics reach the top-level
// windows; done when the first window is made.
void InstallThemeListener();
// Records a top-level window's menu without touching its frame.
bool AttachMenu(HWND hwnd, HMENU menu);
DWORD StyleOf(HWND hwnd);
UINT_PTR IdOf(HWND hwnd);
HWND ParentOf(HWND hwnd);

// Dialog units to pixels with the classic base units (6 x 13).
int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);

}  // namespace ui::internal
