// The tooltip control: its tools, the mouse it is told about, the three
// delays as timers, and the popup that shows a tip in the info colours.
#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/ui/Clock.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/Host.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/NonClient.h"
#include "platform/ui/RawInput.h"
#include "platform/ui/Resources.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Tooltip.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/ControlPaint.h"
#include "platform/ui/internal/StandardClasses.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

namespace {

constexpr UINT_PTR kShowTimer = 1, kPopTimer = 2;
// Room between the tip's border and its text, and below the pointer.
constexpr int kPadX = 3, kPadY = 1, kBelowPointer = 20;

struct Tool {
  UINT flags = 0;
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  RECT rect{};
  bool callback = false;
  UINT string_id = 0;
  std::string text;
  LPARAM lParam = 0;
};

struct TooltipData : ControlData {
  std::vector<Tool> tools;
  bool active = true;
  int initial = 0, autopop = 0, reshow = 0;
  int current = -1;      // the tool under the mouse
  bool showing = false;
  bool spent = false;    // popped by a click, TTM_POP or the autopop delay: not again on this tool
  std::string shown;     // the text being shown
};

void DefaultDelays(TooltipData& data) {
  data.initial = static_cast<int>(GetDoubleClickTime());
  data.autopop = data.initial * 10;
  data.reshow = data.initial / 5;
}

std::shared_ptr<TooltipData> Data(HWND hwnd) {
  auto data = ControlState<TooltipData>(hwnd);
  if (data && !data->initial && !data->autopop && !data->reshow) DefaultDelays(*data);
  return data;
}

bool IsResourceId(const char* text) { return reinterpret_cast<UINT_PTR>(text) < 0x10000; }

void SetText(Tool& tool, const char* text) {
  tool.callback = text == LPSTR_TEXTCALLBACK;
  tool.string_id = 0;
  tool.text.clear();
  if (tool.callback) return;
  if (text && IsResourceId(text)) tool.string_id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(text));
  else if (text) tool.text = text;
}

Tool ToolFrom(const TOOLINFO& info) {
  Tool tool;
  tool.flags = info.uFlags;
  tool.hwnd = info.hwnd;
  tool.id = info.uId;
  tool.rect = info.rect;
  tool.lParam = info.lParam;
  SetText(tool, info.lpszText);
  return tool;
}

int FindTool(const TooltipData& data, const TOOLINFO* info) {
  if (!info) return -1;
  for (std::size_t i = 0; i < data.tools.size(); ++i)
    if (data.tools[i].hwnd == info->hwnd && data.tools[i].id == info->uId) return static_cast<int>(i);
  return -1;
}

// The window whose client area a tool covers.
HWND AreaWindow(const Tool& tool) {
  return (tool.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.id) : tool.hwnd;
}

int ToolAt(const TooltipData& data, HWND window, POINT client) {
  for (std::size_t i = 0; i < data.tools.size(); ++i) {
    const Tool& tool = data.tools[i];
    if (AreaWindow(tool) != window) continue;
    if ((tool.flags & TTF_IDISHWND) || PtInRect(&tool.rect, client)) return static_cast<int>(i);
  }
  return -1;
}

LRESULT Notify(HWND tooltip, const Tool& tool, UINT code, NMHDR* header) {
  NMHDR plain;
  NMHDR* hdr = header ? header : &plain;
  hdr->hwndFrom = tooltip;
  hdr->idFrom = tool.id;
  hdr->code = code;
  if (!IsWindow(tool.hwnd)) return 0;
  return SendMessage(tool.hwnd, WM_NOTIFY, static_cast<WPARAM>(tool.id), reinterpret_cast<LPARAM>(hdr));
}

// The tip's text: its own, a string resource, or what the tool's window
// answers to TTN_NEEDTEXT.
std::string TipText(HWND tooltip, const Tool& tool) {
  std::string text;
  if (tool.string_id) {
    LoadStringResource(tool.string_id, text);
    return text;
  }
  if (!tool.callback) return tool.text;
  NMTTDISPINFO info;
  info.lParam = tool.lParam;
  info.uFlags = tool.flags;
  Notify(tooltip, tool, TTN_NEEDTEXT, &info.hdr);
  if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACK && IsResourceId(info.lpszText))
    LoadStringResource(static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.lpszText)), text);
  else if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACK)
    text = info.lpszText;
  else
    text.assign(info.szText, strnlen(info.szText, sizeof(info.szText)));
  return text;
}

SIZE TipSize(HWND hwnd, const std::string& text) {
  const HDC dc = GetDC(hwnd);
  const HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  RECT box{0, 0, 0, 0};
  const UINT prefix = (StyleOf(hwnd) & TTS_NOPREFIX) ? DT_NOPREFIX : 0;
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CALCRECT | DT_SINGLELINE | prefix);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  return SIZE{box.right + 2 * (kPadX + 1), box.bottom + 2 * (kPadY + 1)};
}

void Hide(HWND hwnd, TooltipData& data) {
  KillTimer(hwnd, kPopTimer);
  if (!data.showing) return;
  data.showing = false;
  ShowWindow(hwnd, SW_HIDE);
  if (data.current >= 0) Notify(hwnd, data.tools[static_cast<std::size_t>(data.current)], TTN_POP, nullptr);
}

// Tips of an inactive window show only with TTS_ALWAYSTIP.
bool MayShowFor(HWND hwnd, const Tool& tool) {
  if (StyleOf(hwnd) & TTS_ALWAYSTIP) return true;
  const HWND area = AreaWindow(tool);
  return area && GetActiveWindow() == GetAncestor(area, GA_ROOT);
}

void Show(HWND hwnd, TooltipData& data) {
  if (data.current < 0 || data.spent) return;
  const Tool tool = data.tools[static_cast<std::size_t>(data.current)];
  if (!MayShowFor(hwnd, tool)) return;
  const std::string text = TipText(hwnd, tool);
  if (text.empty() || !IsWindow(hwnd)) return;
  data.shown = text;
  const SIZE size = TipSize(hwnd, text);
  POINT at;
  GetCursorPos(&at);
  at.y += kBelowPointer;
  // Kept on the screen.
  const RECT screen = GetHost().ScreenRect();
  at.x = std::max(screen.left, std::min<LONG>(at.x, screen.right - size.cx));
  if (at.y + size.cy > screen.bottom) at.y -= size.cy + kBelowPointer + 4;
  data.showing = true;
  SetWindowPos(hwnd, HWND_TOPMOST, at.x, at.y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(hwnd, nullptr, TRUE);
  Notify(hwnd, tool, TTN_SHOW, nullptr);
  SetTimer(hwnd, kPopTimer, static_cast<UINT>(data.autopop), nullptr);
}

// The mouse as the tool's window saw it.
void Relay(HWND hwnd, TooltipData& data, const MSG& msg) {
  if (!data.active) return;
  const bool press = msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN ||
                     msg.message == WM_MBUTTONDOWN || msg.message == WM_LBUTTONDBLCLK;
  if (press) {
    // A click on a tool puts its tip away until the mouse moves to another.
    KillTimer(hwnd, kShowTimer);
    Hide(hwnd, data);
    data.spent = true;
    return;
  }
  if (msg.message != WM_MOUSEMOVE) return;
  const int tool = ToolAt(data, msg.hwnd, POINT{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)});
  if (tool == data.current) return;
  const bool was_showing = data.showing;
  Hide(hwnd, data);
  KillTimer(hwnd, kShowTimer);
  data.current = tool;
  data.spent = false;
  if (tool >= 0) SetTimer(hwnd, kShowTimer, static_cast<UINT>(was_showing ? data.reshow : data.initial), nullptr);
}

void Reset(HWND hwnd, TooltipData& data) {
  KillTimer(hwnd, kShowTimer);
  Hide(hwnd, data);
  data.current = -1;
}

// TTF_SUBCLASS: the tooltips watching each tool window, and the procedure
// the window had before.
struct Watch {
  WNDPROC previous = nullptr;
  std::vector<HWND> tooltips;
};
std::mutex watch_mutex;
std::map<HWND, Watch>& Watches() {
  static auto* watches = new std::map<HWND, Watch>;
  return *watches;
}

bool IsMouseMessage(UINT message) { return message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK; }

LRESULT WatchedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Watch watch;
  {
    std::lock_guard lock(watch_mutex);
    const auto it = Watches().find(hwnd);
    if (it == Watches().end()) return DefWindowProc(hwnd, message, wParam, lParam);
    watch = it->second;
    if (message == WM_NCDESTROY) Watches().erase(it);
  }
  if (IsMouseMessage(message)) {
    MSG msg;
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    for (HWND tooltip : watch.tooltips)
      if (IsWindow(tooltip)) SendMessage(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
  }
  if (message == WM_NCDESTROY) SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watch.previous));
  return CallWindowProc(watch.previous, hwnd, message, wParam, lParam);
}

void StartWatching(HWND tooltip, HWND window) {
  if (!IsWindow(window)) return;
  std::lock_guard lock(watch_mutex);
  Watch& watch = Watches()[window];
  if (!watch.previous)
    watch.previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchedProc)));
  if (std::find(watch.tooltips.begin(), watch.tooltips.end(), tooltip) == watch.tooltips.end())
    watch.tooltips.push_back(tooltip);
}

void StopWatching(HWND tooltip) {
  std::lock_guard lock(watch_mutex);
  for (auto& [window, watch] : Watches())
    watch.tooltips.erase(std::remove(watch.tooltips.begin(), watch.tooltips.end(), tooltip), watch.tooltips.end());
}

LRESULT AddTool(HWND hwnd, TooltipData& data, const TOOLINFO* info) {
  if (!info) return FALSE;
  const int existing = FindTool(data, info);
  if (existing >= 0) data.tools[static_cast<std::size_t>(existing)] = ToolFrom(*info);
  else data.tools.push_back(ToolFrom(*info));
  if (info->uFlags & TTF_SUBCLASS) StartWatching(hwnd, AreaWindow(ToolFrom(*info)));
  return TRUE;
}

LRESULT DeleteTool(HWND hwnd, TooltipData& data, const TOOLINFO* info) {
  const int index = FindTool(data, info);
  if (index < 0) return 0;
  if (index == data.current) Reset(hwnd, data);
  data.tools.erase(data.tools.begin() + index);
  if (data.current > index) --data.current;
  return 0;
}

LRESULT UpdateText(HWND hwnd, TooltipData& data, const TOOLINFO* info) {
  const int index = FindTool(data, info);
  if (index < 0) return 0;
  SetText(data.tools[static_cast<std::size_t>(index)], info->lpszText);
  if (data.showing && index == data.current) {
    // The tip on screen takes the new text at once.
    data.showing = false;
    Show(hwnd, data);
  }
  return 0;
}

LRESULT GetText(HWND hwnd, TooltipData& data, WPARAM size, TOOLINFO* info) {
  const int index = FindTool(data, info);
  if (index < 0 || !info->lpszText) return 0;
  const std::string text = TipText(hwnd, data.tools[static_cast<std::size_t>(index)]);
  const std::size_t room = size ? static_cast<std::size_t>(size) : 80;
  const std::size_t n = std::min(text.size(), room - 1);
  std::memcpy(info->lpszText, text.data(), n);
  info->lpszText[n] = '\0';
  return static_cast<LRESULT>(n);
}

LRESULT SetDelay(TooltipData& data, WPARAM which, LPARAM lParam) {
  const int ms = static_cast<int>(static_cast<short>(LOWORD(static_cast<std::uint64_t>(lParam))));
  if (ms < 0) {
    const TooltipData defaults = [] {
      TooltipData d;
      DefaultDelays(d);
      return d;
    }();
    if (which == TTDT_AUTOMATIC || which == TTDT_INITIAL) data.initial = defaults.initial;
    if (which == TTDT_AUTOMATIC || which == TTDT_AUTOPOP) data.autopop = defaults.autopop;
    if (which == TTDT_AUTOMATIC || which == TTDT_RESHOW) data.reshow = defaults.reshow;
    return 0;
  }
  switch (which) {
    case TTDT_AUTOMATIC:
      data.initial = ms;
      data.autopop = ms * 10;
      data.reshow = ms / 5;
      break;
    case TTDT_INITIAL: data.initial = ms; break;
    case TTDT_AUTOPOP: data.autopop = ms; break;
    case TTDT_RESHOW: data.reshow = ms; break;
  }
  return 0;
}

LRESULT GetDelay(const TooltipData& data, WPARAM which) {
  switch (which) {
    case TTDT_AUTOPOP: return data.autopop;
    case TTDT_RESHOW: return data.reshow;
  }
  return data.initial;
}

void Paint(HWND hwnd, const TooltipData& data) {
  PAINTSTRUCT paint;
  const HDC hdc = BeginPaint(hwnd, &paint);
  if (!hdc) return;
  RECT client;
  GetClientRect(hwnd, &client);
  StylePainter::FillSolid(hdc, client, GetSysColor(COLOR_INFOBK));
  StylePainter::FrameSolid(hdc, client, GetSysColor(COLOR_INFOTEXT));
  const HGDIOBJ old = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, GetSysColor(COLOR_INFOTEXT));
  RECT text{client.left + 1 + kPadX, client.top + 1 + kPadY, client.right - 1 - kPadX, client.bottom - 1 - kPadY};
  const UINT prefix = (StyleOf(hwnd) & TTS_NOPREFIX) ? DT_NOPREFIX : 0;
  DrawText(hdc, data.shown.c_str(), static_cast<int>(data.shown.size()), &text, DT_SINGLELINE | DT_VCENTER | prefix);
  SelectObject(hdc, old);
  EndPaint(hwnd, &paint);
}

}  // namespace

LRESULT TooltipProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto state = Data(hwnd);
  if (!state) return 0;
  TooltipData& data = *state;
  auto* info = reinterpret_cast<TOOLINFO*>(lParam);
  switch (message) {
    case TTM_ADDTOOL: return AddTool(hwnd, data, info);
    case TTM_DELTOOL: return DeleteTool(hwnd, data, info);
    case TTM_UPDATETIPTEXT: return UpdateText(hwnd, data, info);
    case TTM_GETTEXT: return GetText(hwnd, data, wParam, info);
    case TTM_NEWTOOLRECT: {
      const int index = FindTool(data, info);
      if (index >= 0) data.tools[static_cast<std::size_t>(index)].rect = info->rect;
      return 0;
    }
    case TTM_GETTOOLINFO: {
      const int index = FindTool(data, info);
      if (index < 0) return FALSE;
      const Tool& tool = data.tools[static_cast<std::size_t>(index)];
      info->uFlags = tool.flags;
      info->rect = tool.rect;
      info->lParam = tool.lParam;
      return TRUE;
    }
    case TTM_GETTOOLCOUNT: return static_cast<LRESULT>(data.tools.size());
    case TTM_ACTIVATE:
      data.active = wParam != 0;
      if (!data.active) Reset(hwnd, data);
      return 0;
    case TTM_SETDELAYTIME: return SetDelay(data, wParam, lParam);
    case TTM_GETDELAYTIME: return GetDelay(data, wParam);
    case TTM_POP:
      KillTimer(hwnd, kShowTimer);
      Hide(hwnd, data);
      data.spent = true;
      return 0;
    case TTM_RELAYEVENT:
      if (lParam) Relay(hwnd, data, *reinterpret_cast<const MSG*>(lParam));
      return 0;
    case WM_TIMER:
      KillTimer(hwnd, wParam);
      if (wParam == kShowTimer) Show(hwnd, data);
      if (wParam == kPopTimer) {
        Hide(hwnd, data);
        data.spent = true;
      }
      return 0;
    case WM_PAINT: Paint(hwnd, data); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_NCHITTEST: return HTTRANSPARENT;  // the mouse goes through to what is under the tip
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_DESTROY: StopWatching(hwnd); return 0;
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace ui::internal
