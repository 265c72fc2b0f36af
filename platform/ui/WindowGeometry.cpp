// Window rectangles (screen coordinates), moves, sizes and point mapping.
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui {

using internal::TableLock;
using internal::WindowRecord;
using internal::WindowTable;

namespace internal {
bool Restack(HWND hwnd, HWND after);
}

namespace {

// Children keep their place in their parent when the parent moves.
void OffsetTree(WindowRecord& record, int dx, int dy) {
  record.rect.left += dx;
  record.rect.right += dx;
  record.rect.top += dy;
  record.rect.bottom += dy;
  for (HWND child : record.children)
    if (WindowRecord* c = WindowTable::Get().Find(child)) OffsetTree(*c, dx, dy);
}

POINT ParentOrigin(const WindowRecord& record) {
  if (WindowRecord* parent = record.parent ? WindowTable::Get().Find(record.parent) : nullptr)
    return POINT{parent->rect.left, parent->rect.top};
  return POINT{0, 0};
}

}  // namespace

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
  internal::LockedWindow record(hwnd);
  if (!record || !rect) return internal::RefuseHandle();
  *rect = record->rect;
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  internal::LockedWindow record(hwnd);
  if (!record || !rect) return internal::RefuseHandle();
  *rect = RECT{0, 0, record->rect.right - record->rect.left, record->rect.bottom - record->rect.top};
  return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags) {
  bool moved = false, sized = false;
  POINT client_origin;
  SIZE size;
  {
    internal::LockedWindow record(hwnd);
    if (!record) return internal::RefuseHandle();
    const POINT origin = ParentOrigin(*record);
    RECT target = record->rect;
    if (!(flags & SWP_NOMOVE)) {
      target.left = origin.x + x;
      target.top = origin.y + y;
      target.right = target.left + (record->rect.right - record->rect.left);
      target.bottom = target.top + (record->rect.bottom - record->rect.top);
    }
    if (!(flags & SWP_NOSIZE)) {
      target.right = target.left + (cx < 0 ? 0 : cx);
      target.bottom = target.top + (cy < 0 ? 0 : cy);
    }
    moved = target.left != record->rect.left || target.top != record->rect.top;
    sized = target.right - target.left != record->rect.right - record->rect.left ||
            target.bottom - target.top != record->rect.bottom - record->rect.top;
    OffsetTree(*record, target.left - record->rect.left, target.top - record->rect.top);
    record->rect.right = target.right;
    record->rect.bottom = target.bottom;
    client_origin = POINT{record->rect.left - origin.x, record->rect.top - origin.y};
    size = SIZE{record->rect.right - record->rect.left, record->rect.bottom - record->rect.top};
  }
  if (!(flags & SWP_NOZORDER) && !internal::Restack(hwnd, insert_after)) return FALSE;
  if (sized)
    internal::CallProc(hwnd, WM_SIZE, SIZE_RESTORED,
                       MAKELPARAM(static_cast<unsigned>(size.cx), static_cast<unsigned>(size.cy)));
  if (moved)
    internal::CallProc(hwnd, WM_MOVE, 0,
                       MAKELPARAM(static_cast<unsigned>(client_origin.x), static_cast<unsigned>(client_origin.y)));
  if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, SW_SHOWNA);
  if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
  if ((sized || moved) && !(flags & SWP_NOREDRAW)) InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
  internal::LockedWindow record(hwnd);
  if (!record || !point) return internal::RefuseHandle();
  point->x += record->rect.left;
  point->y += record->rect.top;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
  internal::LockedWindow record(hwnd);
  if (!record || !point) return internal::RefuseHandle();
  point->x -= record->rect.left;
  point->y -= record->rect.top;
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
  internal::LockedWindow record(parent);
  if (!record) return internal::RefuseHandle(), nullptr;
  const POINT screen{client_point.x + record->rect.left, client_point.y + record->rect.top};
  auto inside = [&](const RECT& r) {
    return screen.x >= r.left && screen.x < r.right && screen.y >= r.top && screen.y < r.bottom;
  };
  if (!inside(record->rect)) return nullptr;
  for (HWND child : record->children) {
    WindowRecord* c = WindowTable::Get().Find(child);
    if (!c || !inside(c->rect)) continue;
    if ((flags & CWP_SKIPINVISIBLE) && !(c->style & WS_VISIBLE)) continue;
    if ((flags & CWP_SKIPDISABLED) && (c->style & WS_DISABLED)) continue;
    if ((flags & CWP_SKIPTRANSPARENT) && (c->ex_style & WS_EX_TRANSPARENT)) continue;
    return child;
  }
  return parent;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
  internal::LockedWindow record(hwnd);
  if (!record || !placement) return internal::RefuseHandle();
  const POINT origin = ParentOrigin(*record);
  placement->rcNormalPosition = RECT{record->rect.left - origin.x, record->rect.top - origin.y,
                                     record->rect.right - origin.x, record->rect.bottom - origin.y};
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
