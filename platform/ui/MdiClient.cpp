// The MDI client window. Its document windows are its children; the active
// one is on top. A maximised document window fills the client with its
// frame outside the client's area, so only its client area shows; while one
// is maximised, every document window activated is maximised in its place.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/ui/Drawing.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/NonClient.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"

namespace ui {

namespace {

struct ClientState {
  HMENU windowMenu = nullptr;
  UINT firstChild = 0;
  HWND active = nullptr;
  std::vector<HWND> children;  // in creation order: the window menu's order
  std::map<HWND, RECT> normal;  // restored rectangles of maximised or minimised children
  int cascade = 0;
};

std::map<HWND, ClientState>& Clients() {
  static std::map<HWND, ClientState> clients;
  return clients;
}

ClientState* StateOf(HWND client) {
  const auto it = Clients().find(client);
  return it == Clients().end() ? nullptr : &it->second;
}

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE)); }
void SetStyle(HWND hwnd, DWORD style) { SetWindowLongPtr(hwnd, GWL_STYLE, static_cast<LONG_PTR>(style)); }

RECT RectInParent(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  POINT origin{0, 0};
  ClientToScreen(GetParent(hwnd), &origin);
  OffsetRect(&rect, -origin.x, -origin.y);
  return rect;
}

// The window rectangle whose client area is the whole MDI client.
RECT MaximisedRect(HWND client, HWND child) {
  RECT rect;
  GetClientRect(client, &rect);
  AdjustWindowRectEx(&rect, StyleOf(child) & ~WS_MAXIMIZE, FALSE,
                     static_cast<DWORD>(GetWindowLongPtr(child, GWL_EXSTYLE)));
  return rect;
}

void SendSize(HWND hwnd, WPARAM kind) {
  RECT client;
  GetClientRect(hwnd, &client);
  SendMessage(hwnd, WM_SIZE, kind, MAKELPARAM(client.right, client.bottom));
}

// Moving tells the window its new size and state itself; a window whose
// state changes in place is told here, so it hears of each change once.
void Place(HWND hwnd, const RECT& rect, WPARAM kind) {
  RECT before{};
  GetWindowRect(hwnd, &before);
  const bool same_size = before.right - before.left == rect.right - rect.left &&
                         before.bottom - before.top == rect.bottom - rect.top;
  SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (same_size) SendSize(hwnd, kind);
}

void Maximise(HWND client, ClientState& state, HWND child) {
  if (!(StyleOf(child) & WS_MAXIMIZE)) {
    if (!(StyleOf(child) & WS_MINIMIZE)) state.normal[child] = RectInParent(child);
    SetStyle(child, (StyleOf(child) | WS_MAXIMIZE) & ~WS_MINIMIZE);
  }
  Place(child, MaximisedRect(client, child), SIZE_MAXIMIZED);
}

void Restore(ClientState& state, HWND child) {
  const DWORD style = StyleOf(child);
  if (!(style & (WS_MAXIMIZE | WS_MINIMIZE))) return;
  SetStyle(child, style & ~(WS_MAXIMIZE | WS_MINIMIZE));
  const auto it = state.normal.find(child);
  if (it != state.normal.end()) {
    Place(child, it->second, SIZE_RESTORED);
    state.normal.erase(it);
  } else {
    SendSize(child, SIZE_RESTORED);
  }
}

void Minimise(HWND client, ClientState& state, HWND child) {
  if (StyleOf(child) & WS_MINIMIZE) return;
  if (!(StyleOf(child) & WS_MAXIMIZE)) state.normal[child] = RectInParent(child);
  SetStyle(child, (StyleOf(child) | WS_MINIMIZE) & ~WS_MAXIMIZE);
  // A minimised document window is its caption alone, along the bottom.
  RECT area;
  GetClientRect(client, &area);
  int slot = 0;
  for (HWND other : state.children)
    if (other != child && (StyleOf(other) & WS_MINIMIZE)) ++slot;
  const int width = 160;
  const int height = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
  Place(child, RECT{slot * width, area.bottom - height, slot * width + width, area.bottom}, SIZE_MINIMIZED);
}

// Takes our own items out of a window menu: the separator before the list
// and one item per child.
void RemoveWindowList(const ClientState& state, HMENU menu) {
  if (!menu || !IsMenu(menu)) return;
  for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
    const UINT id = GetMenuItemID(menu, i);
    if (state.firstChild && id >= state.firstChild && id < state.firstChild + 0x100)
      RemoveMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
  }
  const int count = GetMenuItemCount(menu);
  if (count > 0 && (GetMenuState(menu, static_cast<UINT>(count - 1), MF_BYPOSITION) & MF_SEPARATOR) &&
      GetMenuItemID(menu, count - 1) == 0)
    RemoveMenu(menu, static_cast<UINT>(count - 1), MF_BYPOSITION);
}

void RefreshWindowMenu(ClientState& state) {
  if (!state.windowMenu || !IsMenu(state.windowMenu)) return;
  RemoveWindowList(state, state.windowMenu);
  std::vector<HWND> shown;
  for (HWND child : state.children)
    if (IsWindowVisible(child)) shown.push_back(child);
  if (shown.empty()) return;
  AppendMenu(state.windowMenu, MF_SEPARATOR, 0, nullptr);
  for (std::size_t i = 0; i < shown.size() && i < 9; ++i) {
    const std::string text = "&" + std::to_string(i + 1) + " " + GetWindowTextString(shown[i]);
    AppendMenu(state.windowMenu, MF_STRING | (shown[i] == state.active ? MF_CHECKED : 0),
               state.firstChild + static_cast<UINT>(i), text.c_str());
  }
}

void Activate(HWND client, ClientState& state, HWND child) {
  const HWND old = state.active;
  if (child == old) {
    if (child) SetFocus(child);
    return;
  }
  const bool was_maximised = old && IsWindow(old) && (StyleOf(old) & WS_MAXIMIZE);
  if (old && IsWindow(old)) {
    SendMessage(old, WM_NCACTIVATE, FALSE, 0);
    SendMessage(old, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
  }
  state.active = child;
  if (child) {
    if (was_maximised && (StyleOf(child) & WS_MAXIMIZEBOX)) Maximise(client, state, child);
    if (was_maximised) Restore(state, old);
    BringWindowToTop(child);
    SendMessage(child, WM_NCACTIVATE, TRUE, 0);
    SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
    SetFocus(child);
  }
  RefreshWindowMenu(state);
}

// The next (or previous) visible child after `from`, in z-order.
HWND NextChild(HWND client, HWND from, bool previous) {
  std::vector<HWND> order;
  for (HWND hwnd = GetWindow(client, GW_CHILD); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT))
    if (IsWindowVisible(hwnd) && StateOf(client) &&
        std::count(StateOf(client)->children.begin(), StateOf(client)->children.end(), hwnd))
      order.push_back(hwnd);
  if (order.empty()) return nullptr;
  const auto it = std::find(order.begin(), order.end(), from);
  if (it == order.end()) return order.front();
  const std::size_t at = static_cast<std::size_t>(it - order.begin());
  // The next one is the one behind; the previous one comes up from the bottom.
  return previous ? order[(at + order.size() - 1) % order.size()] : order[(at + 1) % order.size()];
}

HWND Create(HWND client, ClientState& state, const MDICREATESTRUCT& mdi) {
  const bool maximise = state.active && (StyleOf(state.active) & WS_MAXIMIZE);
  DWORD style = mdi.style | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  style &= ~(WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE | WS_POPUP);
  RECT area;
  GetClientRect(client, &area);
  const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
  int x = mdi.x, y = mdi.y, cx = mdi.cx, cy = mdi.cy;
  if (x == CW_USEDEFAULT) {
    x = y = (state.cascade++ % 8) * step;
  }
  if (cx == CW_USEDEFAULT) {
    cx = std::max(100, (area.right - area.left) * 3 / 4);
    cy = std::max(60, (area.bottom - area.top) * 3 / 4);
  }
  MDICREATESTRUCT record = mdi;
  const UINT id = state.firstChild + static_cast<UINT>(state.children.size());
  const HWND child = CreateWindowEx(WS_EX_MDICHILD, mdi.szClass, mdi.szTitle, style, x, y, cx, cy, client,
                                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), &record);
  if (!child) return nullptr;
  state.children.push_back(child);
  ShowWindow(child, SW_SHOWNA);
  if (mdi.style & WS_MAXIMIZE || maximise) Maximise(client, state, child);
  Activate(client, state, child);
  if (mdi.style & WS_MINIMIZE) Minimise(client, state, child);
  return child;
}

// The active window leaves: the next visible one is activated (maximised
// when the one leaving was), else none is active.
void HandOver(HWND client, ClientState& state, HWND child) {
  const HWND next = NextChild(client, child, false);
  if (next && next != child) {
    Activate(client, state, next);  // takes over a maximised one's place
    return;
  }
  state.active = nullptr;
  SendMessage(child, WM_NCACTIVATE, FALSE, 0);
  SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
}

void Forget(HWND client, ClientState& state, HWND child) {
  const auto it = std::find(state.children.begin(), state.children.end(), child);
  if (it == state.children.end()) return;
  state.children.erase(it);
  state.normal.erase(child);
  if (state.active == child) {
    const bool maximised = (StyleOf(child) & WS_MAXIMIZE) != 0;
    state.active = nullptr;
    const HWND next = NextChild(client, child, false);
    SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), reinterpret_cast<LPARAM>(next));
    if (next && next != child) {
      if (maximised) Maximise(client, state, next);
      Activate(client, state, next);
    } else {
      RefreshWindowMenu(state);
    }
  } else {
    RefreshWindowMenu(state);
  }
}

void Cascade(HWND client, ClientState& state) {
  RECT area;
  GetClientRect(client, &area);
  const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
  int n = 0;
  for (HWND child : state.children) {
    if (!IsWindowVisible(child)) continue;
    Restore(state, child);
    const int at = n++ * step;
    Place(child, RECT{at, at, at + area.right * 3 / 4, at + area.bottom * 3 / 4}, SIZE_RESTORED);
  }
  if (state.active) BringWindowToTop(state.active);
}

void Tile(HWND client, ClientState& state) {
  RECT area;
  GetClientRect(client, &area);
  std::vector<HWND> shown;
  for (HWND child : state.children)
    if (IsWindowVisible(child)) shown.push_back(child);
  if (shown.empty()) return;
  const int rows = static_cast<int>(shown.size());
  for (int i = 0; i < rows; ++i) {
    Restore(state, shown[static_cast<std::size_t>(i)]);
    Place(shown[static_cast<std::size_t>(i)],
          RECT{0, area.bottom * i / rows, area.right, area.bottom * (i + 1) / rows}, SIZE_RESTORED);
  }
}

LRESULT ClientProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ClientState* state = StateOf(hwnd);
  switch (message) {
    case WM_CREATE: {
      ClientState fresh;
      const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
      if (create && create->lpCreateParams) {
        const auto* ccs = static_cast<const CLIENTCREATESTRUCT*>(create->lpCreateParams);
        fresh.windowMenu = ccs->hWindowMenu;
        fresh.firstChild = ccs->idFirstChild;
      }
      Clients()[hwnd] = fresh;
      return 0;
    }
    case WM_NCDESTROY: Clients().erase(hwnd); return 0;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_APPWORKSPACE));
      return 1;
    }
    case WM_SIZE:
      if (state && state->active && (StyleOf(state->active) & WS_MAXIMIZE)) Maximise(hwnd, *state, state->active);
      break;
    case WM_PAINT: {
      // What shows again of the client (a document window restored, moved
      // or closed) may lie under other document windows: they repaint it,
      // frames and all, as the client clips them out of its own painting.
      RECT update;
      if (GetUpdateRect(hwnd, &update, FALSE))
        RedrawWindow(hwnd, &update, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
      break;
    }
  }
  if (!state) return DefWindowProc(hwnd, message, wParam, lParam);
  const HWND child = reinterpret_cast<HWND>(wParam);
  const bool ours = child && std::count(state->children.begin(), state->children.end(), child);
  switch (message) {
    case WM_MDICREATE: {
      const auto* mdi = reinterpret_cast<const MDICREATESTRUCT*>(lParam);
      return mdi ? reinterpret_cast<LRESULT>(Create(hwnd, *state, *mdi)) : 0;
    }
    case WM_MDIDESTROY:
      if (ours) {
        Forget(hwnd, *state, child);
        DestroyWindow(child);
      }
      return 0;
    case WM_MDIACTIVATE:
      if (ours) Activate(hwnd, *state, child);
      return 0;
    case WM_MDIGETACTIVE:
      if (lParam) *reinterpret_cast<BOOL*>(lParam) = state->active && (StyleOf(state->active) & WS_MAXIMIZE);
      return reinterpret_cast<LRESULT>(state->active);
    case WM_MDIMAXIMIZE:
      if (ours && (StyleOf(child) & WS_MAXIMIZEBOX)) {
        Maximise(hwnd, *state, child);
        Activate(hwnd, *state, child);
      }
      return 0;
    case WM_MDIRESTORE:
      if (ours) Restore(*state, child);
      return 0;
    case WM_MDINEXT: {
      const HWND from = child ? child : state->active;
      const HWND next = NextChild(hwnd, from, lParam != 0);
      if (next && next != from) {
        Activate(hwnd, *state, next);
        // Going forward sends the one left to the back.
        if (!lParam && from) SetWindowPos(from, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      }
      return 0;
    }
    case WM_MDICASCADE: Cascade(hwnd, *state); return TRUE;
    case WM_MDITILE: Tile(hwnd, *state); return TRUE;
    case WM_MDIICONARRANGE: return 0;
    case WM_MDISETMENU: {
      // The frame menu part is the native menu's; the window menu is ours.
      // The list moves: a window menu left behind keeps none of it.
      if (lParam && reinterpret_cast<HMENU>(lParam) != state->windowMenu) {
        RemoveWindowList(*state, state->windowMenu);
        state->windowMenu = reinterpret_cast<HMENU>(lParam);
      }
      RefreshWindowMenu(*state);
      const HWND frame = GetParent(hwnd);
      const HMENU old = frame ? GetMenu(frame) : nullptr;
      if (wParam && frame) SetMenu(frame, reinterpret_cast<HMENU>(wParam));
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_MDIREFRESHMENU: {
      RefreshWindowMenu(*state);
      const HWND frame = GetParent(hwnd);
      return reinterpret_cast<LRESULT>(frame ? GetMenu(frame) : nullptr);
    }
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

HWND ClientOf(HWND child) {
  const HWND parent = GetParent(child);
  return parent && StateOf(parent) ? parent : nullptr;
}

}  // namespace

namespace internal {
LRESULT MDIClientProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return ClientProc(hwnd, message, wParam, lParam);
}
}  // namespace internal

BOOL IsZoomed(HWND hwnd) { return IsWindow(hwnd) && (StyleOf(hwnd) & WS_MAXIMIZE) ? TRUE : FALSE; }
BOOL IsIconic(HWND hwnd) { return IsWindow(hwnd) && (StyleOf(hwnd) & WS_MINIMIZE) ? TRUE : FALSE; }

LRESULT DefFrameProc(HWND frame, HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
  ClientState* state = client ? StateOf(client) : nullptr;
  switch (message) {
    case WM_COMMAND:
      if (state && state->firstChild && HIWORD(wParam) == 0) {
        const UINT id = LOWORD(wParam);
        std::vector<HWND> shown;
        for (HWND child : state->children)
          if (IsWindowVisible(child)) shown.push_back(child);
        if (id >= state->firstChild && id < state->firstChild + shown.size()) {
          Activate(client, *state, shown[id - state->firstChild]);
          return 0;
        }
      }
      break;
    case WM_SETFOCUS:
      if (client) SetFocus(client);
      return 0;
  }
  return DefWindowProc(frame, message, wParam, lParam);
}

LRESULT DefMDIChildProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND client = ClientOf(child);
  ClientState* state = client ? StateOf(client) : nullptr;
  if (!state) return DefWindowProc(child, message, wParam, lParam);
  switch (message) {
    case WM_MOUSEACTIVATE: {
      const LRESULT answer = DefWindowProc(child, message, wParam, lParam);
      if (state->active != child) Activate(client, *state, child);
      return answer;
    }
    case WM_CHILDACTIVATE:
      if (state->active != child) Activate(client, *state, child);
      return 0;
    case WM_DESTROY: Forget(client, *state, child); return 0;
    case WM_SHOWWINDOW:
      // A hidden window cannot stay the active one: the next one takes over.
      if (!wParam && state->active == child) HandOver(client, *state, child);
      return DefWindowProc(child, message, wParam, lParam);
    case WM_CLOSE: SendMessage(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0); return 0;
    case WM_SETFOCUS:
      if (state->active != child) Activate(client, *state, child);
      return 0;
    case WM_NCACTIVATE:
      // A document window shows as active only while it is the active one.
      return DefWindowProc(child, message, wParam && state->active == child, lParam);
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProc(child, message, wParam, lParam);
      RefreshWindowMenu(*state);
      return result;
    }
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MAXIMIZE: SendMessage(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0); return 0;
        case SC_RESTORE:
          SendMessage(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
          Activate(client, *state, child);
          return 0;
        case SC_MINIMIZE: {
          Minimise(client, *state, child);
          const HWND next = NextChild(client, child, false);
          if (next && next != child) Activate(client, *state, next);
          return 0;
        }
        case SC_CLOSE: SendMessage(child, WM_CLOSE, 0, 0); return 0;
      }
      break;
  }
  return DefWindowProc(child, message, wParam, lParam);
}

}  // namespace ui
