// Window and client rectangles (screen coordinates), positioning with the
// WM_WINDOWPOS messages, deferred positioning and point mapping.
#include <algorithm>
#include <vector>

#include "platform/ui/Messages.h"
#include "platform/ui/NonClient.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/BackBuffer.h"
#include "platform/ui/internal/Frame.h"
#include "platform/ui/internal/Painting.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui {

using internal::LockedWindow;
using internal::TableLock;
using internal::WindowRecord;
using internal::WindowTable;

namespace internal {
bool Restack(HWND hwnd, HWND after);
}

namespace {

RECT Offset(const RECT& r, int dx, int dy) { return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

// Children keep their place in their parent when the parent moves.
void OffsetTree(WindowRecord& record, int dx, int dy) {
  record.rect = Offset(record.rect, dx, dy);
  record.client = Offset(record.client, dx, dy);
  for (HWND child : record.children)
    if (WindowRecord* c = WindowTable::Get().Find(child)) OffsetTree(*c, dx, dy);
}

// Where a window's coordinates count from: the parent's client origin for
// a child, the screen's for a top-level window.
POINT ParentOrigin(const WindowRecord& record) {
  if (WindowRecord* parent = record.parent ? WindowTable::Get().Find(record.parent) : nullptr)
    return POINT{parent->client.left, parent->client.top};
  return POINT{0, 0};
}

WPARAM SizeKind(DWORD style) {
  if (style & WS_MINIMIZE) return SIZE_MINIMIZED;
  if (style & WS_MAXIMIZE) return SIZE_MAXIMIZED;
  return SIZE_RESTORED;
}

bool Inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

namespace internal {

RECT ComputeClient(HWND hwnd, const RECT& window_in_parent, WINDOWPOS* pos) {
  NCCALCSIZE_PARAMS params;
  params.rgrc[0] = window_in_parent;
  params.rgrc[1] = window_in_parent;
  params.rgrc[2] = window_in_parent;
  params.lppos = pos;
  CallProc(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
  RECT client = params.rgrc[0];
  // A client area never leaves the window.
  client.left = std::clamp(client.left, window_in_parent.left, window_in_parent.right);
  client.right = std::clamp(client.right, client.left, window_in_parent.right);
  client.top = std::clamp(client.top, window_in_parent.top, window_in_parent.bottom);
  client.bottom = std::clamp(client.bottom, client.top, window_in_parent.bottom);
  return client;
}

void UpdateClient(HWND hwnd) {
  RECT window;
  POINT origin;
  {
    LockedWindow record(hwnd);
    if (!record) return;
    origin = ParentOrigin(*record);
    window = Offset(record->rect, -origin.x, -origin.y);
  }
  const RECT client = ComputeClient(hwnd, window, nullptr);
  LockedWindow record(hwnd);
  if (!record) return;
  const RECT screen_client = Offset(client, origin.x, origin.y);
  const int dx = screen_client.left - record->client.left, dy = screen_client.top - record->client.top;
  // Children hang on the client origin.
  for (HWND child : record->children)
    if (WindowRecord* c = WindowTable::Get().Find(child)) OffsetTree(*c, dx, dy);
  record->client = screen_client;
}

}  // namespace internal

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD ex_style) {
  if (!rect) return FALSE;
  *rect = internal::Frame(style, ex_style, menu != FALSE).WindowRect(*rect);
  return TRUE;
}

BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu) { return AdjustWindowRectEx(rect, style, menu, 0); }

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
  LockedWindow record(hwnd);
  if (!record || !rect) return internal::RefuseHandle();
  *rect = record->rect;
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  LockedWindow record(hwnd);
  if (!record || !rect) return internal::RefuseHandle();
  *rect = RECT{0, 0, record->client.right - record->client.left, record->client.bottom - record->client.top};
  return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags) {
  WINDOWPOS pos;
  {
    LockedWindow record(hwnd);
    if (!record) return internal::RefuseHandle();
    const POINT origin = ParentOrigin(*record);
    pos = WINDOWPOS{hwnd, insert_after, x, y, cx, cy, flags};
    // What is not to change is reported as it stands.
    if (flags & SWP_NOMOVE) {
      pos.x = record->rect.left - origin.x;
      pos.y = record->rect.top - origin.y;
    }
    if (flags & SWP_NOSIZE) {
      pos.cx = record->rect.right - record->rect.left;
      pos.cy = record->rect.bottom - record->rect.top;
    }
  }
  if (!(flags & SWP_NOSENDCHANGING)) internal::CallProc(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));

  RECT window_in_parent;
  RECT old_client;
  POINT origin;
  bool moved, sized, top_level;
  {
    LockedWindow record(hwnd);
    if (!record) return FALSE;
    origin = ParentOrigin(*record);
    window_in_parent = RECT{pos.x, pos.y, pos.x + std::max(pos.cx, 0), pos.y + std::max(pos.cy, 0)};
    const RECT target = Offset(window_in_parent, origin.x, origin.y);
    moved = target.left != record->rect.left || target.top != record->rect.top;
    sized = target.right - target.left != record->rect.right - record->rect.left ||
            target.bottom - target.top != record->rect.bottom - record->rect.top;
    old_client = record->client;
    top_level = record->parent == nullptr;
  }
  RECT client = old_client;
  RECT old_in_parent{};
  {
    LockedWindow record(hwnd);
    if (record) old_in_parent = Offset(record->rect, -origin.x, -origin.y);
  }
  if (moved || sized || (pos.flags & SWP_FRAMECHANGED)) {
    client = Offset(internal::ComputeClient(hwnd, window_in_parent, &pos), origin.x, origin.y);
    LockedWindow record(hwnd);
    if (!record) return FALSE;
    const RECT target = Offset(window_in_parent, origin.x, origin.y);
    // The children follow the client origin.
    const int dx = client.left - record->client.left, dy = client.top - record->client.top;
    for (HWND child : record->children)
      if (WindowRecord* c = WindowTable::Get().Find(child)) OffsetTree(*c, dx, dy);
    record->rect = target;
    record->client = client;
  }
  if (!(pos.flags & SWP_NOZORDER) && !internal::Restack(hwnd, pos.hwndInsertAfter)) return FALSE;
  if (client.right - client.left == old_client.right - old_client.left &&
      client.bottom - client.top == old_client.bottom - old_client.top)
    pos.flags |= SWP_NOCLIENTSIZE;
  if (client.left == old_client.left && client.top == old_client.top) pos.flags |= SWP_NOCLIENTMOVE;
  if (!moved) pos.flags |= SWP_NOMOVE;
  if (!sized) pos.flags |= SWP_NOSIZE;
  internal::CallProc(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));

  if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, SW_SHOWNA);
  if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
  if (top_level && (moved || sized)) internal::SyncBackBuffer(hwnd);
  if (!(flags & SWP_NOREDRAW) && IsWindow(hwnd)) {
    if (sized || (flags & SWP_FRAMECHANGED))
      internal::RedrawRegion(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    else if (moved && !top_level)
      internal::RedrawRegion(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    // A child that moved or shrank uncovers part of its parent.
    if (!top_level && (moved || sized) && IsWindowVisible(hwnd)) internal::InvalidateParentArea(hwnd, &old_in_parent);
  }
  return TRUE;
}

namespace internal {

// WM_WINDOWPOSCHANGED's default: WM_SIZE and WM_MOVE for what changed of
// the client area.
void SendSizeAndMove(HWND hwnd, const WINDOWPOS& pos) {
  RECT client;
  POINT origin;
  DWORD style;
  {
    LockedWindow record(hwnd);
    if (!record) return;
    client = record->client;
    origin = ParentOrigin(*record);
    style = record->style;
  }
  if (!(pos.flags & SWP_NOCLIENTSIZE))
    CallProc(hwnd, WM_SIZE, SizeKind(style),
             MAKELPARAM(static_cast<unsigned>(client.right - client.left), static_cast<unsigned>(client.bottom - client.top)));
  if (!(pos.flags & SWP_NOCLIENTMOVE))
    CallProc(hwnd, WM_MOVE, 0,
             MAKELPARAM(static_cast<unsigned>(client.left - origin.x), static_cast<unsigned>(client.top - origin.y)));
}

}  // namespace internal

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

namespace {

// The positions collected by DeferWindowPos, applied together.
struct DeferredPositions {
  std::vector<WINDOWPOS> positions;
};

}  // namespace

HDWP BeginDeferWindowPos(int count) {
  if (count < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto batch = std::make_shared<DeferredPositions>();
  batch->positions.reserve(static_cast<std::size_t>(count));
  return internal::HandleTable::Get().Add<HDWP>(internal::HandleKind::kDeferPos, std::move(batch));
}

HDWP DeferWindowPos(HDWP batch, HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags) {
  if (!IsWindow(hwnd)) {
    // A bad window spoils the whole batch, as nothing of it may half happen.
    internal::HandleTable::Get().Remove(batch, internal::HandleKind::kDeferPos);
    return internal::RefuseHandle(), nullptr;
  }
  TableLock lock(WindowTable::Get().mutex());
  auto* positions = internal::HandleTable::Get().Find<DeferredPositions>(batch, internal::HandleKind::kDeferPos);
  if (!positions) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const WINDOWPOS pos{hwnd, insert_after, x, y, cx, cy, flags};
  auto same = std::find_if(positions->positions.begin(), positions->positions.end(),
                           [&](const WINDOWPOS& p) { return p.hwnd == hwnd; });
  if (same == positions->positions.end()) {
    positions->positions.push_back(pos);
  } else {
    // A second entry for a window merges with the first.
    if (!(flags & SWP_NOMOVE)) {
      same->x = x;
      same->y = y;
      same->flags &= ~SWP_NOMOVE;
    }
    if (!(flags & SWP_NOSIZE)) {
      same->cx = cx;
      same->cy = cy;
      same->flags &= ~SWP_NOSIZE;
    }
    if (!(flags & SWP_NOZORDER)) {
      same->hwndInsertAfter = insert_after;
      same->flags &= ~SWP_NOZORDER;
    }
    same->flags |= flags & ~(SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  }
  return batch;
}

BOOL EndDeferWindowPos(HDWP batch) {
  std::shared_ptr<DeferredPositions> positions =
      internal::HandleTable::Get().FindShared<DeferredPositions>(batch, internal::HandleKind::kDeferPos);
  if (!positions) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  internal::HandleTable::Get().Remove(batch, internal::HandleKind::kDeferPos);
  BOOL all = TRUE;
  for (const WINDOWPOS& p : positions->positions)
    if (IsWindow(p.hwnd) && !SetWindowPos(p.hwnd, p.hwndInsertAfter, p.x, p.y, p.cx, p.cy, p.flags)) all = FALSE;
  return all;
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
  LockedWindow record(hwnd);
  if (!record || !point) return internal::RefuseHandle();
  point->x += record->client.left;
  point->y += record->client.top;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
  LockedWindow record(hwnd);
  if (!record || !point) return internal::RefuseHandle();
  point->x -= record->client.left;
  point->y -= record->client.top;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  POINT offset{0, 0};
  if (from && from != GetDesktopWindow() && !ClientToScreen(from, &offset)) return 0;
  POINT back{0, 0};
  if (to && to != GetDesktopWindow() && !ScreenToClient(to, &back)) return 0;
  const LONG dx = offset.x + back.x, dy = offset.y + back.y;
  for (UINT i = 0; i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return static_cast<int>(MAKELPARAM(static_cast<unsigned>(dx), static_cast<unsigned>(dy)));
}

HWND ChildWindowFromPoint(HWND parent, POINT client_point) {
  return ChildWindowFromPointEx(parent, client_point, CWP_ALL);
}

HWND ChildWindowFromPointEx(HWND parent, POINT client_point, UINT flags) {
  LockedWindow record(parent);
  if (!record) return internal::RefuseHandle(), nullptr;
  const POINT screen{client_point.x + record->client.left, client_point.y + record->client.top};
  if (!Inside(record->rect, screen)) return nullptr;
  for (HWND child : record->children) {
    WindowRecord* c = WindowTable::Get().Find(child);
    if (!c || !Inside(c->rect, screen)) continue;
    if ((flags & CWP_SKIPINVISIBLE) && !(c->style & WS_VISIBLE)) continue;
    if ((flags & CWP_SKIPDISABLED) && (c->style & WS_DISABLED)) continue;
    if ((flags & CWP_SKIPTRANSPARENT) && (c->ex_style & WS_EX_TRANSPARENT)) continue;
    return child;
  }
  return parent;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
  LockedWindow record(hwnd);
  if (!record || !placement) return internal::RefuseHandle();
  const POINT origin = ParentOrigin(*record);
  placement->rcNormalPosition = Offset(record->rect, -origin.x, -origin.y);
  placement->showCmd = (record->style & WS_MINIMIZE)   ? SW_SHOWMINIMIZED
                       : (record->style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                                                       : SW_SHOWNORMAL;
  placement->flags = 0;
  return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) {
  if (!placement || !IsWindow(hwnd)) return internal::RefuseHandle();
  const RECT& r = placement->rcNormalPosition;
  if (!SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                    SWP_NOZORDER | SWP_NOACTIVATE))
    return FALSE;
  ShowWindow(hwnd, static_cast<int>(placement->showCmd));
  return TRUE;
}

}  // namespace ui
