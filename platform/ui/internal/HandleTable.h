// One table of every handle the window system gives out: windows, menus,
// device contexts and drawing objects. A handle carries its kind, a
// generation and a slot, so a handle of a destroyed object, a handle of
// another kind, or a value that was never a handle, is refused instead of
// reaching another object. Handles are looked up, never dereferenced.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace ui::internal {

enum class HandleKind : std::uint8_t {
  kNone = 0,
  kWindow,
  kMenu,
  kDeviceContext,
  kPen,
  kBrush,
  kFont,
  kBitmap,
  kRegion,
  kPalette,
  kIcon,
  kCursor,
  kAccelerator,
  kDeferPos,
};

class HandleTable {
 public:
  static HandleTable& Get();

  // Guards the table and the objects it holds (window records, menus...).
  // Never held while a window procedure runs.
  std::recursive_mutex& mutex() { return mutex_; }

  // Stores `object` and returns its new handle; null when the table is full.
  void* Add(HandleKind kind, std::shared_ptr<void> object);
  template <typename Handle, typename T>
  Handle Add(HandleKind kind, std::shared_ptr<T> object) {
    return static_cast<Handle>(Add(kind, std::static_pointer_cast<void>(std::move(object))));
  }
  // Drops the object; every copy of the handle is stale from now on. False
  // for a handle that is not a live one of `kind`.
  bool Remove(const void* handle, HandleKind kind);

  // The live object of `handle` if it is of `kind`, else null; the caller
  // holds mutex() for as long as it uses the pointer.
  template <typename T>
  T* Find(const void* handle, HandleKind kind) {
    return static_cast<T*>(FindRaw(handle, kind));
  }
  // The same, kept alive past the lock.
  template <typename T>
  std::shared_ptr<T> FindShared(const void* handle, HandleKind kind) {
    return std::static_pointer_cast<T>(FindSharedRaw(handle, kind));
  }
  // The kind of a live handle (kNone for anything else), for calls that take
  // any drawing object.
  HandleKind KindOf(const void* handle);
  // Every live handle of `kind`, in slot order.
  std::vector<void*> HandlesOf(HandleKind kind);

 private:
  struct Slot {
    std::uint32_t generation = 0;
    HandleKind kind = HandleKind::kNone;
    std::shared_ptr<void> object;
  };
  // The slot a handle names if it is live and of `kind` (kNone: any kind).
  Slot* Resolve(const void* handle, HandleKind kind);
  void* FindRaw(const void* handle, HandleKind kind);
  std::shared_ptr<void> FindSharedRaw(const void* handle, HandleKind kind);

  std::recursive_mutex mutex_;
  std::vector<Slot> slots_;
  std::vector<std::uint32_t> free_slots_;
};

// Shorthand for holding the table lock.
using TableLock = std::lock_guard<std::recursive_mutex>;

}  // namespace ui::internal
