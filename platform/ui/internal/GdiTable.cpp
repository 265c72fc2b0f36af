#include "platform/ui/internal/GdiTable.h"

#include "platform/ui/internal/DcRecord.h"

namespace ui::internal {

namespace {

HandleKind KindOfType(DWORD type) {
  switch (type) {
    case OBJ_PEN:
      return HandleKind::kPen;
    case OBJ_BRUSH:
      return HandleKind::kBrush;
    case OBJ_FONT:
      return HandleKind::kFont;
    case OBJ_BITMAP:
      return HandleKind::kBitmap;
    case OBJ_REGION:
      return HandleKind::kRegion;
    default:
      return HandleKind::kIcon;
  }
}

bool IsDrawingKind(HandleKind kind) {
  switch (kind) {
    case HandleKind::kPen:
    case HandleKind::kBrush:
    case HandleKind::kFont:
    case HandleKind::kBitmap:
    case HandleKind::kRegion:
    case HandleKind::kIcon:
      return true;
    default:
      return false;
  }
}

}  // namespace

GdiTable& GdiTable::Get() {
  static GdiTable table;
  return table;
}

void* GdiTable::Add(std::shared_ptr<GdiObject> object) {
  TableLock lock(HandleTable::Get().mutex());
  const HandleKind kind = KindOfType(object->type);
  GdiObject* raw = object.get();
  // Stored as the base, so every lookup casts back to the same pointer.
  void* handle = HandleTable::Get().Add(kind, std::static_pointer_cast<void>(std::move(object)));
  if (handle) raw->handle = handle;
  return handle;
}

void* GdiTable::AddDc(std::shared_ptr<DcRecord> dc) {
  return HandleTable::Get().Add(HandleKind::kDeviceContext, std::static_pointer_cast<void>(std::move(dc)));
}

bool GdiTable::Remove(void* handle) {
  std::shared_ptr<GdiObject> object;  // released after the lock
  std::shared_ptr<DcRecord> dc;
  TableLock lock(HandleTable::Get().mutex());
  const HandleKind kind = HandleTable::Get().KindOf(handle);
  if (kind == HandleKind::kDeviceContext) {
    dc = HandleTable::Get().FindShared<DcRecord>(handle, kind);
  } else if (IsDrawingKind(kind)) {
    object = HandleTable::Get().FindShared<GdiObject>(handle, kind);
    if (!object || object->stock) return false;
    object->handle = nullptr;
  } else {
    return false;
  }
  return HandleTable::Get().Remove(handle, kind);
}

std::shared_ptr<GdiObject> GdiTable::Find(const void* handle) {
  TableLock lock(HandleTable::Get().mutex());
  const HandleKind kind = HandleTable::Get().KindOf(handle);
  if (!IsDrawingKind(kind)) return nullptr;
  return HandleTable::Get().FindShared<GdiObject>(handle, kind);
}

std::shared_ptr<DcRecord> GdiTable::FindDc(const void* handle) {
  return HandleTable::Get().FindShared<DcRecord>(handle, HandleKind::kDeviceContext);
}

}  // namespace ui::internal
