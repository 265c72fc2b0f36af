// The maps from window handles to framework objects, the framework's
// window procedure and the creation hook that joins new windows to their
// objects before their first message.
#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/afx/Wnd.h"

namespace afx {

namespace {

std::mutex& PermanentMutex() {
  static std::mutex mutex;
  return mutex;
}

std::map<HWND, CWnd*>& PermanentMap() {
  static std::map<HWND, CWnd*> map;
  return map;
}

// Temporary objects belong to the thread that asked for them.
thread_local std::map<HWND, std::unique_ptr<CWnd>> temporary_map;
thread_local CWnd* window_being_created = nullptr;
thread_local MSG current_message;

void RegisterFrameworkClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    WNDCLASS wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = CWnd::AfxWndProc;
    wc.lpszClassName = "AfxWnd";
    ::ui::RegisterClass(wc);
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpszClassName = "AfxFrameOrView";
    ::ui::RegisterClass(wc);
  });
}

}  // namespace

// Runs for each window the thread creates; only the window a CWnd asked
// for is joined.
struct WndCreationHook {
  static void Run(HWND hwnd, const CREATESTRUCT&) {
    CWnd* wnd = window_being_created;
    if (!wnd) return;
    window_being_created = nullptr;
    wnd->Attach(hwnd);
    const auto old = reinterpret_cast<WNDPROC>(
        ::ui::SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
    if (old != &CWnd::AfxWndProc) wnd->m_pfnSuper = old;
  }
};

const char* CWnd::AfxWndClass() {
  RegisterFrameworkClasses();
  return "AfxWnd";
}

const char* CWnd::AfxFrameOrViewClass() {
  RegisterFrameworkClasses();
  return "AfxFrameOrView";
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  std::lock_guard lock(PermanentMutex());
  const auto it = PermanentMap().find(hwnd);
  return it == PermanentMap().end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  if (CWnd* wnd = FromHandlePermanent(hwnd)) return wnd;
  if (!::ui::IsWindow(hwnd)) return nullptr;
  auto& slot = temporary_map[hwnd];
  if (!slot) {
    slot = std::make_unique<CWnd>();
    slot->m_hWnd = hwnd;
  }
  return slot.get();
}

void CWnd::DeleteTempMap() {
  for (auto& [hwnd, wnd] : temporary_map) wnd->m_hWnd = nullptr;  // a temporary object never owns its window
  temporary_map.clear();
}

BOOL CWnd::Attach(HWND hwnd) {
  if (!hwnd || m_hWnd) return FALSE;
  std::lock_guard lock(PermanentMutex());
  if (PermanentMap().count(hwnd)) return FALSE;
  PermanentMap()[hwnd] = this;
  m_hWnd = hwnd;
  if (auto it = temporary_map.find(hwnd); it != temporary_map.end()) {
    it->second->m_hWnd = nullptr;
    temporary_map.erase(it);
  }
  return TRUE;
}

HWND CWnd::Detach() {
  const HWND hwnd = m_hWnd;
  if (hwnd) {
    std::lock_guard lock(PermanentMutex());
    PermanentMap().erase(hwnd);
  }
  m_hWnd = nullptr;
  return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  if (!::ui::IsWindow(hwnd) || !Attach(hwnd)) return FALSE;
  const auto old = reinterpret_cast<WNDPROC>(
      ::ui::SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
  m_pfnSuper = old == &CWnd::AfxWndProc ? nullptr : old;
  PreSubclassWindow();
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  return parent ? SubclassWindow(::ui::GetDlgItem(parent->m_hWnd, static_cast<int>(id))) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
  if (m_pfnSuper) ::ui::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  return Detach();
}

void CWnd::HookWindowCreate() {
  ::ui::SetCreationHook(&WndCreationHook::Run);
  window_being_created = this;
}

void CWnd::UnhookWindowCreate() { window_being_created = nullptr; }

LRESULT CWnd::Default() {
  return DefWindowProc(current_message.message, current_message.wParam, current_message.lParam);
}

namespace {

// The objects whose handlers this thread is running, outermost first. An
// object whose window ends inside one of its own handlers (a bar that
// destroys itself or its parent from a click) must outlive that handler:
// its PostNcDestroy, and that of every window destroyed while it waits
// (the parent that owns it), runs once the dispatch it was in returns.
thread_local std::vector<CWnd*> dispatching;
thread_local std::vector<CWnd*> pending_post_nc_destroy;
constexpr std::size_t kNoFlush = static_cast<std::size_t>(-1);
thread_local std::size_t flush_at_depth = kNoFlush;

void WindowEnded(CWnd* wnd) {
  const auto first = std::find(dispatching.begin(), dispatching.end(), wnd);
  if (first != dispatching.end()) {
    flush_at_depth = std::min(flush_at_depth, static_cast<std::size_t>(first - dispatching.begin()));
  } else if (pending_post_nc_destroy.empty()) {
    CWnd::RunPostNcDestroy(wnd);
    return;
  }
  pending_post_nc_destroy.push_back(wnd);
}

void FlushIfReturnedTo(std::size_t depth) {
  if (depth != flush_at_depth) return;
  flush_at_depth = kNoFlush;
  std::vector<CWnd*> due;
  due.swap(pending_post_nc_destroy);
  for (CWnd* wnd : due) CWnd::RunPostNcDestroy(wnd);  // children first, as their windows ended
}

}  // namespace

void CWnd::RunPostNcDestroy(CWnd* wnd) { wnd->PostNcDestroy(); }

LRESULT CWnd::AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = FromHandlePermanent(hwnd);
  if (!wnd) return ::ui::DefWindowProc(hwnd, message, wParam, lParam);
  // Default() answers the message being handled; nested sends restore it.
  const MSG saved = current_message;
  current_message.hwnd = hwnd;
  current_message.message = message;
  current_message.wParam = wParam;
  current_message.lParam = lParam;
  dispatching.push_back(wnd);
  const LRESULT result = wnd->WindowProc(message, wParam, lParam);
  dispatching.pop_back();
  current_message = saved;
  if (message == WM_NCDESTROY && FromHandlePermanent(hwnd) == wnd) {
    wnd->m_pfnSuper = nullptr;
    wnd->Detach();
    WindowEnded(wnd);
  }
  FlushIfReturnedTo(dispatching.size());
  return result;
}

}  // namespace afx
