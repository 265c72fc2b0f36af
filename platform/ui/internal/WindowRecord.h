// Everything the window system keeps about one window. Records are reached
// only through the window table, under its lock.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/GdiTypes.h"
#include "platform/ui/Types.h"
#include "platform/ui/internal/ScrollBarState.h"
#include "platform/ui/internal/ThreadQueue.h"

typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo_region cairo_region_t;

namespace ui::internal {

struct DialogState;

// Base of a control's private state (the edit's text, a list's items).
struct ControlData {
  virtual ~ControlData() = default;
};

struct WindowRecord {
  // Anything to paint: WM_PAINT is due.
  bool PaintDue() const;

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
  RECT client;                 // screen coordinates, inside `rect` (WM_NCCALCSIZE)
  std::string text;
  UINT_PTR id = 0;
  LONG_PTR user_data = 0;
  HFONT font = nullptr;
  HICON small_icon = nullptr;  // WM_SETICON: the window's own, not destroyed with it
  HICON big_icon = nullptr;
  DWORD thread_id = 0;
  std::shared_ptr<ThreadQueue> queue;
  bool destroying = false;
  bool nc_active = false;  // the caption shows as active (WM_NCACTIVATE)

  // What is due to be painted: the update region (client coordinates;
  // null when empty), the background, the frame, and a paint asked for
  // with nothing invalid (RDW_INTERNALPAINT).
  std::shared_ptr<cairo_region_t> update_region;
  bool update_erase = false;
  bool update_frame = false;
  bool internal_paint = false;
  std::uint64_t update_serial = 0;  // counts invalidations

  // The class's background brush and cursor (WNDCLASS).
  HBRUSH background = nullptr;
  HCURSOR cursor = nullptr;

  // The dialog manager's state, only for its windows (DialogState.h).
  std::shared_ptr<DialogState> dialog;

  std::shared_ptr<ControlData> control;

  // SB_HORZ, SB_VERT and, for a scroll-bar control, SB_CTL.
  ScrollBarState scroll_bars[3];

  // Top-level windows: the back buffer they paint into, made when first
  // shown (BackBuffer.cpp).
  std::shared_ptr<cairo_surface_t> back_buffer;

  // The help context WM_HELP reports for the window.
  DWORD help_context = 0;
};

}  // namespace ui::internal
