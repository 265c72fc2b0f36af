#include "platform/afx/ToolTipCtrl.h"

namespace afx {

namespace {
// Tools are found by window and id alone; their rectangle is not compared.
constexpr RECT kNoRect{};
}  // namespace

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
  return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASS, "", WS_POPUP | style, 0, 0, 0, 0,
                  parent ? parent->m_hWnd : nullptr, nullptr);
}

TOOLINFO CToolTipCtrl::ToolFor(CWnd* wnd, const RECT* rect, UINT_PTR id) {
  TOOLINFO info;
  info.uFlags = TTF_SUBCLASS;
  info.hwnd = wnd ? wnd->m_hWnd : nullptr;
  if (rect) {
    info.rect = *rect;
    info.uId = id;
  } else {
    info.uFlags |= TTF_IDISHWND;
    info.uId = reinterpret_cast<UINT_PTR>(info.hwnd);
  }
  return info;
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, const char* text, const RECT* rect, UINT_PTR id) {
  if (!wnd) return FALSE;
  TOOLINFO info = ToolFor(wnd, rect, id);
  info.lpszText = const_cast<char*>(text);
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, UINT text_id, const RECT* rect, UINT_PTR id) {
  return AddTool(wnd, reinterpret_cast<const char*>(static_cast<UINT_PTR>(text_id)), rect, id);
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR id) {
  TOOLINFO info = ToolFor(wnd, id ? &kNoRect : nullptr, id);
  SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(const char* text, CWnd* wnd, UINT_PTR id) {
  TOOLINFO info = ToolFor(wnd, id ? &kNoRect : nullptr, id);
  info.lpszText = const_cast<char*>(text);
  SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&info));
}

std::string CToolTipCtrl::GetText(CWnd* wnd, UINT_PTR id) const {
  TOOLINFO info = ToolFor(wnd, id ? &kNoRect : nullptr, id);
  char buffer[256] = {};
  info.lpszText = buffer;
  SendMessage(TTM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(&info));
  return buffer;
}

void CToolTipCtrl::SetToolRect(CWnd* wnd, UINT_PTR id, const RECT& rect) {
  TOOLINFO info = ToolFor(wnd, &rect, id);
  SendMessage(TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace afx
