// Raster operations on a context's pixels: the clip decides which pixels
// change, the pattern comes from the selected brush aligned to the
// screen, and the source from a row supplier.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/ui/GdiTypes.h"
#include "platform/ui/internal/DcRecord.h"

namespace ui::internal {

// Fills `count` source pixels for device row `y` from device column `x`,
// already converted to the destination's colour rules.
using SourceRowFn = std::function<void(int x, int y, int count, std::uint32_t* out)>;

// Applies `rop` to the device rectangle `area` of `dc`. `brush` is the
// pattern (null: the selected brush); `source` may be empty when the
// operation does not read one.
void RunRaster(DcRecord& dc, const RECT& area, DWORD rop, const BrushObject* brush, const SourceRowFn& source);

}  // namespace ui::internal
