// The table of live drawing objects and device contexts. A handle carries
// a slot and a generation, so a deleted object's handle, or a value that
// was never a handle, is refused instead of reaching another object.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "platform/ui/GdiTypes.h"
#include "platform/ui/internal/GdiObject.h"

namespace ui::internal {

class DcRecord;

class GdiTable {
 public:
  static GdiTable& Get();

  void* Add(std::shared_ptr<GdiObject> object);
  void* AddDc(std::shared_ptr<DcRecord> dc);
  // Drops the handle; whoever still holds the record keeps it alive.
  bool Remove(void* handle);
  std::shared_ptr<GdiObject> Find(const void* handle);
  std::shared_ptr<DcRecord> FindDc(const void* handle);

  template <typename T>
  std::shared_ptr<T> FindAs(const void* handle, DWORD type) {
    std::shared_ptr<GdiObject> object = Find(handle);
    if (!object || object->type != type) return nullptr;
    return std::static_pointer_cast<T>(object);
  }

 private:
  struct Slot {
    std::uint32_t generation = 0;
    std::shared_ptr<GdiObject> object;
    std::shared_ptr<DcRecord> dc;
  };
  void* Insert(std::shared_ptr<GdiObject> object, std::shared_ptr<DcRecord> dc);
  Slot* Lookup(const void* handle);

  std::mutex mutex_;
  std::vector<Slot> slots_;
  std::vector<std::uint32_t> free_slots_;
};

}  // namespace ui::internal
