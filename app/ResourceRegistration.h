// The parts of the resource registration, one per resource file.
#pragma once

namespace app {

void RegisterDialogResources();
void RegisterSettingsDialogResources();
void RegisterMenuResources();
void RegisterStringResources();
void RegisterImageResources();
// Drawn through the window system, so only in a run that shows windows
// (once; later calls do nothing).
void RegisterIconResources();
// The cursors, drawn like the icons (once; later calls do nothing).
void RegisterCursorResources();

}  // namespace app
