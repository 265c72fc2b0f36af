#include "platform/ui/DropFiles.h"

#include <algorithm>
#include <cstring>

#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"

namespace ui {

struct HDROP__ {
  std::vector<std::string> files;
  POINT client_point;
  bool in_client = false;
};

namespace {

bool AcceptsFiles(HWND hwnd) { return (GetWindowLongPtr(hwnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0; }

// The deepest visible, enabled child under the point.
HWND DeepestWindowAt(HWND top_level, POINT screen_point) {
  HWND hwnd = top_level;
  for (;;) {
    POINT client = screen_point;
    ScreenToClient(hwnd, &client);
    const HWND child = ChildWindowFromPointEx(hwnd, client, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
    if (child == nullptr || child == hwnd) return hwnd;
    hwnd = child;
  }
}

}  // namespace

void DragAcceptFiles(HWND hwnd, BOOL accept) {
  const LONG_PTR style = GetWindowLongPtr(hwnd, GWL_EXSTYLE);
  SetWindowLongPtr(hwnd, GWL_EXSTYLE, accept ? (style | WS_EX_ACCEPTFILES) : (style & ~LONG_PTR{WS_EX_ACCEPTFILES}));
}

UINT DragQueryFile(HDROP drop, UINT index, char* buffer, UINT size) {
  if (drop == nullptr) return 0;
  if (index == 0xFFFFFFFFu) return static_cast<UINT>(drop->files.size());
  if (index >= drop->files.size()) return 0;
  const std::string& name = drop->files[index];
  if (buffer != nullptr && size > 0) {
    const std::size_t count = std::min<std::size_t>(name.size(), size - 1);
    std::memcpy(buffer, name.data(), count);
    buffer[count] = '\0';
    return static_cast<UINT>(count);
  }
  return static_cast<UINT>(name.size());
}

BOOL DragQueryPoint(HDROP drop, POINT* point) {
  if (drop == nullptr || point == nullptr) return FALSE;
  *point = drop->client_point;
  return drop->in_client ? TRUE : FALSE;
}

void DragFinish(HDROP drop) { delete drop; }

BOOL DeliverFileDrop(HWND top_level, POINT screen_point, const std::vector<std::string>& files) {
  if (files.empty() || !IsWindow(top_level)) return FALSE;
  HWND target = DeepestWindowAt(top_level, screen_point);
  while (target != nullptr && !AcceptsFiles(target)) target = (target == top_level) ? nullptr : GetParent(target);
  if (target == nullptr) return FALSE;
  auto* drop = new HDROP__{files, screen_point, false};
  ScreenToClient(target, &drop->client_point);
  RECT client{};
  GetClientRect(target, &client);
  drop->in_client = drop->client_point.x >= client.left && drop->client_point.x < client.right &&
                    drop->client_point.y >= client.top && drop->client_point.y < client.bottom;
  if (!PostMessage(target, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0)) {
    delete drop;
    return FALSE;
  }
  return TRUE;
}

}  // namespace ui
