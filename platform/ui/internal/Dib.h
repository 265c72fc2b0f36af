// Device-independent bitmaps as resources and StretchDIBits hold them: a
// BITMAPINFOHEADER, a colour table and rows padded to four bytes. Every
// length is checked against the bytes actually there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/ui/GdiTypes.h"

namespace ui::internal {

struct DibLayout {
  BITMAPINFOHEADER header;
  std::vector<RGBQUAD> colors;  // at most biClrUsed entries (all the bit count allows when 0)
  int width = 0;
  int height = 0;  // always positive
  bool bottom_up = true;
  std::size_t stride = 0;        // bytes per row
  std::size_t table_offset = 0;  // where the colour table starts
  std::size_t table_bytes = 0;
};

// Reads the header and colour table from `info` (`info_size` bytes);
// false for an unsupported format or a table that runs past the end.
bool ReadDibHeader(const void* info, std::size_t info_size, DibLayout& layout);
// The bytes the pixel rows need.
inline std::size_t DibPixelBytes(const DibLayout& layout) { return layout.stride * layout.height; }
// Decodes row `y` (top row 0) into opaque pixels; indexes past the colour
// table are black.
void DecodeDibRow(const DibLayout& layout, const BYTE* bits, int y, std::uint32_t* out);

}  // namespace ui::internal
