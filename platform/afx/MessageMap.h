// Message maps: tables of message, notification code, id range and
// handler, searched from a class up through its bases. Each entry's
// handler is a small function that casts the target to the class that
// declared the map and calls the member with the message's arguments.
#pragma once

#include "platform/afx/AfxIds.h"

namespace afx {

class CCmdTarget;
class CCmdUI;
class CWnd;

// Notification codes of command routing.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;

// One message being dispatched to a map entry.
struct AFX_CALL {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  UINT nCallID = 0;  // the command id, for range handlers
  void* extra = nullptr;  // the CCmdUI of an update
  LRESULT result = 0;
};

// Returns false when the handler declines (ON_COMMAND_EX): routing goes on.
using AFX_PMSG = bool (*)(CCmdTarget* target, AFX_CALL& call);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;
  UINT nCode;
  UINT nID;
  UINT nLastID;
  AFX_PMSG pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// Handler information asked for instead of a call (command update uses it
// to learn whether anybody handles a command).
struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget = nullptr;
};

}  // namespace afx

#define DECLARE_MESSAGE_MAP()                                  \
 protected:                                                    \
  static const ::afx::AFX_MSGMAP* GetThisMessageMap();         \
  const ::afx::AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                               \
  const ::afx::AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const ::afx::AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
    using ThisClass [[maybe_unused]] = theClass;                                           \
    using TheBaseClass = baseClass;                                                        \
    static const ::afx::AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP()                                                           \
  { 0, 0, 0, 0, nullptr }                                                           \
  }                                                                                 \
  ;                                                                                 \
  static const ::afx::AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, &entries[0]}; \
  return &map;                                                                      \
  }

#define AFX_THUNK(body) [](::afx::CCmdTarget* target_, ::afx::AFX_CALL& call_) -> bool { \
    [[maybe_unused]] auto* self_ = static_cast<ThisClass*>(target_);                      \
    [[maybe_unused]] auto& c_ = call_;                                                    \
    body;                                                                                 \
  }

// Commands and their update handlers.
#define ON_COMMAND(id, memberFxn) \
  {::ui::WM_COMMAND, static_cast<UINT>(::afx::CN_COMMAND), (UINT)(id), (UINT)(id), AFX_THUNK(self_->memberFxn(); return true)},
#define ON_COMMAND_EX(id, memberFxn) \
  {::ui::WM_COMMAND, static_cast<UINT>(::afx::CN_COMMAND), (UINT)(id), (UINT)(id), AFX_THUNK(return self_->memberFxn(c_.nCallID) != 0)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
  {::ui::WM_COMMAND, static_cast<UINT>(::afx::CN_COMMAND), (UINT)(id), (UINT)(idLast), AFX_THUNK(self_->memberFxn(c_.nCallID); return true)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                     \
  {::ui::WM_COMMAND, static_cast<UINT>(::afx::CN_UPDATE_COMMAND_UI), (UINT)(id), (UINT)(id), \
   AFX_THUNK(self_->memberFxn(static_cast<::afx::CCmdUI*>(c_.extra)); return true)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                           \
  {::ui::WM_COMMAND, static_cast<UINT>(::afx::CN_UPDATE_COMMAND_UI), (UINT)(id), (UINT)(idLast), \
   AFX_THUNK(self_->memberFxn(static_cast<::afx::CCmdUI*>(c_.extra)); return true)},

// Control notifications (WM_COMMAND with a code).
#define ON_CONTROL(code, id, memberFxn) \
  {::ui::WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(id), AFX_THUNK(self_->memberFxn(); return true)},
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn) \
  {::ui::WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(idLast), AFX_THUNK(self_->memberFxn(c_.nCallID); return true)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(::ui::BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(::ui::EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(::ui::EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(::ui::EN_SETFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(::ui::LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(::ui::LBN_DBLCLK, id, memberFxn)

// Window messages.
#define ON_MESSAGE(message, memberFxn) \
  {(UINT)(message), 0, 0, 0, AFX_THUNK(c_.result = self_->memberFxn(c_.wParam, c_.lParam); return true)},
#define ON_WM_CREATE() \
  {::ui::WM_CREATE, 0, 0, 0, AFX_THUNK(c_.result = self_->OnCreate(reinterpret_cast<::ui::CREATESTRUCT*>(c_.lParam)); return true)},
#define ON_WM_DESTROY() {::ui::WM_DESTROY, 0, 0, 0, AFX_THUNK(self_->OnDestroy(); return true)},
#define ON_WM_NCDESTROY() {::ui::WM_NCDESTROY, 0, 0, 0, AFX_THUNK(self_->OnNcDestroy(); return true)},
#define ON_WM_CLOSE() {::ui::WM_CLOSE, 0, 0, 0, AFX_THUNK(self_->OnClose(); return true)},
#define ON_WM_TIMER() \
  {::ui::WM_TIMER, 0, 0, 0, AFX_THUNK(self_->OnTimer(static_cast<::ui::UINT_PTR>(c_.wParam)); return true)},
#define ON_WM_SIZE()                                                                              \
  {::ui::WM_SIZE, 0, 0, 0,                                                                        \
   AFX_THUNK(self_->OnSize(static_cast<UINT>(c_.wParam), ::ui::LOWORD(static_cast<::ui::DWORD>(c_.lParam)), \
                           ::ui::HIWORD(static_cast<::ui::DWORD>(c_.lParam)));                                 \
             return true)},
#define ON_WM_MOVE()                                                                                      \
  {::ui::WM_MOVE, 0, 0, 0,                                                                                \
   AFX_THUNK(self_->OnMove(::ui::GET_X_LPARAM(c_.lParam), ::ui::GET_Y_LPARAM(c_.lParam)); return true)},
#define ON_WM_SHOWWINDOW() \
  {::ui::WM_SHOWWINDOW, 0, 0, 0, AFX_THUNK(self_->OnShowWindow(static_cast<::ui::BOOL>(c_.wParam), static_cast<UINT>(c_.lParam)); return true)},
#define ON_WM_WINDOWPOSCHANGING() \
  {::ui::WM_WINDOWPOSCHANGING, 0, 0, 0, AFX_THUNK(self_->OnWindowPosChanging(reinterpret_cast<::ui::WINDOWPOS*>(c_.lParam)); return true)},
#define ON_WM_PAINT() {::ui::WM_PAINT, 0, 0, 0, AFX_THUNK(self_->OnPaint(); return true)},
#define ON_WM_ENABLE() \
  {::ui::WM_ENABLE, 0, 0, 0, AFX_THUNK(self_->OnEnable(static_cast<::ui::BOOL>(c_.wParam)); return true)},
#define ON_WM_SETFOCUS() \
  {::ui::WM_SETFOCUS, 0, 0, 0, AFX_THUNK(self_->OnSetFocus(::afx::CWnd::FromHandle(reinterpret_cast<::ui::HWND>(c_.wParam))); return true)},
#define ON_WM_KILLFOCUS() \
  {::ui::WM_KILLFOCUS, 0, 0, 0, AFX_THUNK(self_->OnKillFocus(::afx::CWnd::FromHandle(reinterpret_cast<::ui::HWND>(c_.wParam))); return true)},
#define AFX_MOUSE_ENTRY(message, memberFxn)                                                        \
  {(message), 0, 0, 0,                                                                             \
   AFX_THUNK(self_->memberFxn(static_cast<UINT>(c_.wParam),                                         \
                              ::ui::POINT{::ui::GET_X_LPARAM(c_.lParam), ::ui::GET_Y_LPARAM(c_.lParam)}); \
             return true)},
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(::ui::WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(::ui::WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(::ui::WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY(::ui::WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY(::ui::WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(::ui::WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_CAPTURECHANGED() \
  {::ui::WM_CAPTURECHANGED, 0, 0, 0, AFX_THUNK(self_->OnCaptureChanged(::afx::CWnd::FromHandle(reinterpret_cast<::ui::HWND>(c_.lParam))); return true)},
#define ON_WM_CANCELMODE() {::ui::WM_CANCELMODE, 0, 0, 0, AFX_THUNK(self_->OnCancelMode(); return true)},
#define ON_WM_SETCURSOR()                                                                                   \
  {::ui::WM_SETCURSOR, 0, 0, 0,                                                                             \
   AFX_THUNK(c_.result = self_->OnSetCursor(::afx::CWnd::FromHandle(reinterpret_cast<::ui::HWND>(c_.wParam)), \
                                            ::ui::LOWORD(static_cast<::ui::DWORD>(c_.lParam)),               \
                                            ::ui::HIWORD(static_cast<::ui::DWORD>(c_.lParam)));              \
             return true)},
#define ON_WM_MOUSEACTIVATE()                                                                                    \
  {::ui::WM_MOUSEACTIVATE, 0, 0, 0,                                                                              \
   AFX_THUNK(c_.result = self_->OnMouseActivate(::afx::CWnd::FromHandle(reinterpret_cast<::ui::HWND>(c_.wParam)), \
                                                ::ui::LOWORD(static_cast<::ui::DWORD>(c_.lParam)),               \
                                                ::ui::HIWORD(static_cast<::ui::DWORD>(c_.lParam)));              \
             return true)},
#define ON_WM_NCHITTEST()                                                                                     \
  {::ui::WM_NCHITTEST, 0, 0, 0,                                                                               \
   AFX_THUNK(c_.result = self_->OnNcHitTest(::ui::POINT{::ui::GET_X_LPARAM(c_.lParam), ::ui::GET_Y_LPARAM(c_.lParam)}); \
             return true)},
#define ON_WM_SYSCOMMAND() \
  {::ui::WM_SYSCOMMAND, 0, 0, 0, AFX_THUNK(self_->OnSysCommand(static_cast<UINT>(c_.wParam), c_.lParam); return true)},
