// Lookups shared by the drawing layer's files.
#pragma once

#include <memory>

#include "platform/ui/GdiTypes.h"
#include "platform/ui/internal/DcRecord.h"
#include "platform/ui/internal/GdiTable.h"

namespace ui::internal {

inline std::shared_ptr<DcRecord> FindDc(HDC hdc) { return GdiTable::Get().FindDc(hdc); }
inline std::shared_ptr<BitmapObject> FindBitmap(HBITMAP bitmap) {
  return GdiTable::Get().FindAs<BitmapObject>(bitmap, OBJ_BITMAP);
}
inline std::shared_ptr<RegionObject> FindRegion(HRGN region) {
  return GdiTable::Get().FindAs<RegionObject>(region, OBJ_REGION);
}
// A brush handle, or a system colour index + 1 as window classes pass them.
std::shared_ptr<BrushObject> FindBrush(HBRUSH brush);

// The stock objects a new context starts with.
std::shared_ptr<PenObject> DefaultPen();
std::shared_ptr<BrushObject> DefaultBrush();
std::shared_ptr<FontObject> DefaultFont();
std::shared_ptr<BitmapObject> DefaultBitmap();

}  // namespace ui::internal
