// The parts of the resource registration, one per resource file.
#pragma once

namespace app {

void RegisterDialogResources();
void RegisterSettingsDialogResources();
void RegisterMenuResources();
void RegisterStringResources();
void RegisterImageResources();

}  // namespace app
