// The base of everything that receives commands: a message map and the
// search of it for a command id and notification code.
#pragma once

#include "platform/afx/MessageMap.h"
#include "platform/afx/Object.h"

namespace afx {

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
 public:
  // Finds and runs the handler of (id, code); `extra` is the CCmdUI of an
  // update. With `handler_info` nothing runs: it only says whether a
  // handler exists. Derived classes route on to other targets.
  virtual BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handler_info);

  virtual const AFX_MSGMAP* GetMessageMap() const;

  // The wait cursor belongs to an interactive host; a headless run shows
  // no pointer, so these only keep count for it.
  void BeginWaitCursor();
  void EndWaitCursor();
  static int WaitCursorCount();
  static const AFX_MSGMAP* GetThisMessageMap();

 protected:
  // The first entry for a window message (not a command) in the map chain.
  static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* map, UINT message);
};

}  // namespace afx
