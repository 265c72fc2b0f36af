// Everything the window system keeps about one window. Records are reached
// only through the window table, under its lock.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Types.h"
#include "platform/ui/internal/ThreadQueue.h"

namespace ui::internal {

struct DialogState;

// Base of a control's private state (the edit's text, a list's items).
struct ControlData {
  virtual ~ControlData() = default;
};

struct WindowRecord {
  HWND handle = nullptr;
  std::string class_name;
  UINT class_style = 0;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD ex_style = 0;
  HWND parent = nullptr;  // null for top-level windows
  HWND owner = nullptr;
  std::vector<HWND> children;  // z-order, top first
  RECT rect;                   // screen coordinates
  std::string text;
  UINT_PTR id = 0;
  LONG_PTR user_data = 0;
  HFONT font = nullptr;
  DWORD thread_id = 0;
  std::shared_ptr<ThreadQueue> queue;
  bool destroying = false;

  // Invalidation, recorded for painting (client coordinates).
  bool update_pending = false;
  bool update_erase = false;
  RECT update_rect;
  std::uint64_t update_serial = 0;  // counts invalidations

  // The dialog manager's state, only for its windows (DialogState.h).
  std::shared_ptr<DialogState> dialog;

  std::shared_ptr<ControlData> control;
};

}  // namespace ui::internal
