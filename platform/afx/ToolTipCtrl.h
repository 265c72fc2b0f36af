// CToolTipCtrl: the tooltip control as a framework window, with its tools
// named by window and id.
#pragma once

#include <string>

#include "platform/afx/Wnd.h"

namespace afx {

class CToolTipCtrl : public CWnd {
 public:
  // A topmost popup owned by `parent`'s window.
  BOOL Create(CWnd* parent, DWORD style = 0);

  // A tool over `rect` of `wnd` (the whole window when rect is null, with
  // the window's handle as id), telling its text, LPSTR_TEXTCALLBACK, or a
  // string resource id; mouse messages of the window reach the control by
  // themselves.
  BOOL AddTool(CWnd* wnd, const char* text = LPSTR_TEXTCALLBACK, const RECT* rect = nullptr, UINT_PTR id = 0);
  BOOL AddTool(CWnd* wnd, UINT text_id, const RECT* rect = nullptr, UINT_PTR id = 0);
  void DelTool(CWnd* wnd, UINT_PTR id = 0);
  void UpdateTipText(const char* text, CWnd* wnd, UINT_PTR id = 0);
  std::string GetText(CWnd* wnd, UINT_PTR id = 0) const;
  void SetToolRect(CWnd* wnd, UINT_PTR id, const RECT& rect);
  int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }

  void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }
  void SetDelayTime(UINT delay_ms) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, static_cast<LPARAM>(delay_ms)); }
  void SetDelayTime(DWORD which, int delay_ms) { SendMessage(TTM_SETDELAYTIME, which, static_cast<LPARAM>(delay_ms)); }
  int GetDelayTime(DWORD which) const { return static_cast<int>(SendMessage(TTM_GETDELAYTIME, which)); }
  void Pop() { SendMessage(TTM_POP); }
  void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }

 private:
  static TOOLINFO ToolFor(CWnd* wnd, const RECT* rect, UINT_PTR id);
};

}  // namespace afx
