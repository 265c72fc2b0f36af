// Files dropped on a window from another program: a window that accepts
// files (WS_EX_ACCEPTFILES, DragAcceptFiles) gets WM_DROPFILES with a drop
// handle in wParam, reads the names with DragQueryFile and lets the handle
// go with DragFinish. Hosts deliver drops with DeliverFileDrop.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/Types.h"

namespace ui {

struct HDROP__;
using HDROP = HDROP__*;

void DragAcceptFiles(HWND hwnd, BOOL accept);

// `index` 0xFFFFFFFF: the number of files. Otherwise the length of that
// file's name (without the terminating zero), copied into `buffer` (cut to
// `size` - 1 characters) when one is given; 0 for an index past the end.
UINT DragQueryFile(HDROP drop, UINT index, char* buffer, UINT size);
// Where the drop happened, in the client coordinates of the window that
// got it; TRUE when that was inside its client area.
BOOL DragQueryPoint(HDROP drop, POINT* point);
void DragFinish(HDROP drop);

// Posts WM_DROPFILES to the deepest visible window under `screen_point`
// within `top_level` that accepts files, or to its nearest ancestor that
// does. FALSE (and nothing posted) when none of them accepts files.
BOOL DeliverFileDrop(HWND top_level, POINT screen_point, const std::vector<std::string>& files);

}  // namespace ui
