#include "platform/ui/internal/RasterTarget.h"

#include <algorithm>
#include <vector>

#include "platform/ui/internal/RasterOps.h"

namespace ui::internal {

void RunRaster(DcRecord& dc, const RECT& area, DWORD rop, const BrushObject* brush, const SourceRowFn& source) {
  const std::uint8_t code = RopCode(rop);
  const bool uses_pattern = RopUsesPattern(code);
  const bool uses_source = RopUsesSource(code);
  if (uses_source && !source) return;
  if (!brush) brush = dc.state.brush.get();
  if (uses_pattern && (!brush || brush->style == BS_NULL)) return;  // a null brush paints nothing

  Region visible = dc.Clip();
  visible.Intersect(area);
  if (visible.Empty()) return;
  const int width = area.right - area.left;
  // A solid brush is one colour on every row: made once, and a plain copy
  // of it needs no raster operation at all.
  const bool solid = uses_pattern && brush->pattern.empty();
  std::vector<std::uint32_t> pattern(uses_pattern ? width : 0, solid ? dc.BrushColor(*brush) : 0);
  std::vector<std::uint32_t> src(uses_source ? width : 0);
  dc.BeginPixels();
  for (const RECT& r : visible.Rects()) {
    const int count = r.right - r.left;
    for (int y = r.top; y < r.bottom; ++y) {
      if (solid && code == 0xF0) {
        std::fill_n(dc.Row(y) + r.left, count, pattern[0]);
        continue;
      }
      if (uses_pattern && !solid) dc.PatternRow(*brush, r.left, y, count, pattern.data());
      if (uses_source) source(r.left, y, count, src.data());
      ApplyRopRow(code, uses_pattern ? pattern.data() : nullptr, uses_source ? src.data() : nullptr,
                  dc.Row(y) + r.left, count);
    }
  }
  dc.EndPixels(visible.Box());
}

}  // namespace ui::internal
