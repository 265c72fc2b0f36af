#include "platform/afx/CmdTarget.h"

#include "platform/afx/CmdUI.h"

namespace afx {

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CCmdTarget::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handler_info) {
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn; ++entry) {
      if (entry->nMessage != WM_COMMAND || entry->nCode != static_cast<UINT>(code) || id < entry->nID ||
          id > entry->nLastID)
        continue;
      if (handler_info) {
        handler_info->pTarget = this;
        return TRUE;
      }
      AFX_CALL call;
      call.message = WM_COMMAND;
      call.nCallID = id;
      call.extra = extra;
      if (code == CN_UPDATE_COMMAND_UI && extra) {
        // An update handler may pass the command on by asking to continue.
        auto* cmd_ui = static_cast<CCmdUI*>(extra);
        cmd_ui->m_bContinueRouting = FALSE;
        entry->pfn(this, call);
        return cmd_ui->m_bContinueRouting ? FALSE : TRUE;
      }
      if (entry->pfn(this, call)) return TRUE;
    }
  }
  return FALSE;
}

namespace {
thread_local int wait_cursor_count = 0;
}  // namespace

void CCmdTarget::BeginWaitCursor() { ++wait_cursor_count; }
void CCmdTarget::EndWaitCursor() {
  if (wait_cursor_count > 0) --wait_cursor_count;
}
int CCmdTarget::WaitCursorCount() { return wait_cursor_count; }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP* map, UINT message) {
  for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn; ++entry)
      if (entry->nMessage == message && message != WM_COMMAND) return entry;
  return nullptr;
}

}  // namespace afx
