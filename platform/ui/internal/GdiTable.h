// Drawing objects and device contexts in the window system's one handle
// table (HandleTable.h), each under the kind of its object type, so a
// brush handle passed where a pen is wanted is refused like a stale one.
#pragma once

#include <memory>

#include "platform/ui/GdiTypes.h"
#include "platform/ui/internal/GdiObject.h"
#include "platform/ui/internal/HandleTable.h"

namespace ui::internal {

class DcRecord;

class GdiTable {
 public:
  static GdiTable& Get();

  void* Add(std::shared_ptr<GdiObject> object);
  void* AddDc(std::shared_ptr<DcRecord> dc);
  // Drops the handle; whoever still holds the record (a context it is
  // selected into) keeps it alive. Stock objects stay.
  bool Remove(void* handle);
  std::shared_ptr<GdiObject> Find(const void* handle);
  std::shared_ptr<DcRecord> FindDc(const void* handle);

  template <typename T>
  std::shared_ptr<T> FindAs(const void* handle, DWORD type) {
    std::shared_ptr<GdiObject> object = Find(handle);
    if (!object || object->type != type) return nullptr;
    return std::static_pointer_cast<T>(object);
  }
};

}  // namespace ui::internal
