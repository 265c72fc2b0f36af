// Message boxes. Every one goes through the process's one notifier: a
// dialog in interactive runs, a line on stderr answered with the default
// button otherwise.
#pragma once

#include <string>

#include "platform/afx/AfxIds.h"

namespace afx {

// The MB_ flags are the window system's (platform/ui/MessageBox.h).

// Returns the answer (IDOK, IDCANCEL, IDYES, IDNO).
int AfxMessageBox(const std::string& text, UINT type = MB_OK, UINT help_id = 0);
int AfxMessageBox(UINT string_id, UINT type = MB_OK, UINT help_id = 0);

}  // namespace afx
