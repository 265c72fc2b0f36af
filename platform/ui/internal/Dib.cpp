#include "platform/ui/internal/Dib.h"

#include <cstring>
#include <limits>

#include "platform/ui/internal/GdiObject.h"

namespace ui::internal {

bool ReadDibHeader(const void* info, std::size_t info_size, DibLayout& layout) {
  if (!info || info_size < sizeof(BITMAPINFOHEADER)) return false;
  std::memcpy(&layout.header, info, sizeof(BITMAPINFOHEADER));
  const BITMAPINFOHEADER& h = layout.header;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > info_size) return false;
  if (h.biCompression != BI_RGB || h.biPlanes != 1) return false;
  const WORD bits = h.biBitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
  if (h.biWidth <= 0 || h.biWidth > 32767 || h.biHeight == 0 || h.biHeight < -32767 || h.biHeight > 32767)
    return false;
  layout.width = h.biWidth;
  layout.bottom_up = h.biHeight > 0;
  layout.height = h.biHeight > 0 ? h.biHeight : -h.biHeight;
  layout.stride = ((static_cast<std::size_t>(layout.width) * bits + 31) / 32) * 4;

  // The table holds biClrUsed entries when that is given, never more than
  // the bit count can index; reading 2^bits entries whatever biClrUsed
  // says would take pixel bytes, or bytes past the resource, as colours.
  std::size_t entries = 0;
  if (bits <= 8) {
    const std::size_t most = std::size_t{1} << bits;
    entries = h.biClrUsed == 0 ? most : h.biClrUsed;
    if (entries > most) entries = most;
  }
  layout.table_offset = h.biSize;
  layout.table_bytes = entries * sizeof(RGBQUAD);
  if (layout.table_bytes > info_size - layout.table_offset) return false;  // runs past the resource
  layout.colors.resize(entries);
  if (entries)
    std::memcpy(layout.colors.data(), static_cast<const BYTE*>(info) + layout.table_offset, layout.table_bytes);
  return true;
}

void DecodeDibRow(const DibLayout& layout, const BYTE* bits, int y, std::uint32_t* out) {
  const int stored_row = layout.bottom_up ? layout.height - 1 - y : y;
  const BYTE* row = bits + layout.stride * static_cast<std::size_t>(stored_row);
  const auto color = [&](unsigned index) -> std::uint32_t {
    if (index >= layout.colors.size()) return kBlackPixel;
    const RGBQUAD& q = layout.colors[index];
    return 0xFF000000u | (q.rgbRed << 16) | (q.rgbGreen << 8) | q.rgbBlue;
  };
  for (int x = 0; x < layout.width; ++x) {
    switch (layout.header.biBitCount) {
      case 1:
        out[x] = color((row[x / 8] >> (7 - x % 8)) & 1);
        break;
      case 4:
        out[x] = color((row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF);
        break;
      case 8:
        out[x] = color(row[x]);
        break;
      case 24:
        out[x] = 0xFF000000u | (row[x * 3 + 2] << 16) | (row[x * 3 + 1] << 8) | row[x * 3];
        break;
      default:
        out[x] = 0xFF000000u | (row[x * 4 + 2] << 16) | (row[x * 4 + 1] << 8) | row[x * 4];
        break;
    }
  }
}

}  // namespace ui::internal
