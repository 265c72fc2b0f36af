// The pictures the program's templates name ("#128" on an icon static,
// "#140" on a bitmap static): the program icon and the list headings.
#pragma once

#include "platform/ui/Types.h"

namespace app {

constexpr int kLogHeading = 140;
constexpr int kInstrumentHeading = 141;
constexpr int kOutputHeading = 142;
constexpr int kNextOutputHeading = 145;

// Gives every icon and bitmap static of `dialog` whose text names a
// resource ("#<number>") that picture; a dialog calls it while it
// initialises. Statics naming no registered picture stay empty.
void LoadDialogPictures(ui::HWND dialog);

}  // namespace app
