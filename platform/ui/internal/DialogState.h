// What the dialog manager keeps for a window it made: only dialogs carry it.
#pragma once

#include "platform/ui/Types.h"
#include "platform/ui/internal/WindowRecord.h"

namespace ui::internal {

struct DialogState {
  bool is_dialog = false;  // made by the dialog manager (else only EndDialog was called on it)
  DLGPROC proc = nullptr;
  LONG_PTR msg_result = 0;
  LONG_PTR user = 0;
  UINT default_id = 1;  // IDOK
  bool ended = false;
  INT_PTR result = 0;
};

// The window's dialog state, made on first use; caller holds the table lock.
inline DialogState& DialogOf(WindowRecord& record) {
  if (!record.dialog) record.dialog = std::make_shared<DialogState>();
  return *record.dialog;
}

// True for a window the dialog manager made; caller holds the table lock.
inline bool IsDialogRecord(const WindowRecord& record) { return record.dialog && record.dialog->is_dialog; }

}  // namespace ui::internal
