#include "platform/ui/internal/HandleTable.h"

namespace ui::internal {

namespace {

// Handle layout: tag in bits 56-63, kind in bits 48-55, generation in bits
// 24-47, slot + 1 in bits 0-23. The tag makes stray small integers and
// pointers fail at once; the kind keeps a menu from passing as a window.
constexpr std::uint64_t kTag = 0xB7ull << 56;
constexpr std::uint64_t kTagMask = 0xFFull << 56;
constexpr std::uint64_t kSlotMask = 0xFFFFFF;
constexpr std::uint32_t kGenerationMask = 0xFFFFFF;

void* MakeHandle(HandleKind kind, std::uint32_t slot, std::uint32_t generation) {
  const std::uint64_t value = kTag | (static_cast<std::uint64_t>(kind) << 48) |
                              (static_cast<std::uint64_t>(generation & kGenerationMask) << 24) | (slot + 1);
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(value));
}

struct Decoded {
  HandleKind kind;
  std::uint32_t slot;
  std::uint32_t generation;
};

bool Decode(const void* handle, Decoded& out) {
  const auto value = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(handle));
  if ((value & kTagMask) != kTag || (value & kSlotMask) == 0) return false;
  out.kind = static_cast<HandleKind>((value >> 48) & 0xFF);
  out.slot = static_cast<std::uint32_t>((value & kSlotMask) - 1);
  out.generation = static_cast<std::uint32_t>((value >> 24) & kGenerationMask);
  return out.kind != HandleKind::kNone;
}

}  // namespace

HandleTable& HandleTable::Get() {
  static HandleTable table;
  return table;
}

void* HandleTable::Add(HandleKind kind, std::shared_ptr<void> object) {
  if (kind == HandleKind::kNone || !object) return nullptr;
  TableLock lock(mutex_);
  std::uint32_t slot;
  if (!free_slots_.empty()) {
    slot = free_slots_.back();
    free_slots_.pop_back();
  } else {
    if (slots_.size() >= kSlotMask) return nullptr;
    slot = static_cast<std::uint32_t>(slots_.size());
    slots_.emplace_back();
  }
  Slot& entry = slots_[slot];
  entry.kind = kind;
  entry.object = std::move(object);
  return MakeHandle(kind, slot, entry.generation);
}

HandleTable::Slot* HandleTable::Resolve(const void* handle, HandleKind kind) {
  Decoded decoded;
  if (!Decode(handle, decoded) || decoded.slot >= slots_.size()) return nullptr;
  if (kind != HandleKind::kNone && decoded.kind != kind) return nullptr;
  Slot& entry = slots_[decoded.slot];
  if (!entry.object || entry.kind != decoded.kind || (entry.generation & kGenerationMask) != decoded.generation)
    return nullptr;
  return &entry;
}

bool HandleTable::Remove(const void* handle, HandleKind kind) {
  TableLock lock(mutex_);
  Slot* entry = Resolve(handle, kind);
  if (!entry) return false;
  // The object may run a destructor that looks handles up: release it last.
  std::shared_ptr<void> object = std::move(entry->object);
  entry->kind = HandleKind::kNone;
  ++entry->generation;  // every copy of the old handle is now stale
  free_slots_.push_back(static_cast<std::uint32_t>(entry - slots_.data()));
  object.reset();
  return true;
}

void* HandleTable::FindRaw(const void* handle, HandleKind kind) {
  Slot* entry = Resolve(handle, kind);
  return entry ? entry->object.get() : nullptr;
}

std::shared_ptr<void> HandleTable::FindSharedRaw(const void* handle, HandleKind kind) {
  TableLock lock(mutex_);
  Slot* entry = Resolve(handle, kind);
  return entry ? entry->object : nullptr;
}

HandleKind HandleTable::KindOf(const void* handle) {
  TableLock lock(mutex_);
  Slot* entry = Resolve(handle, HandleKind::kNone);
  return entry ? entry->kind : HandleKind::kNone;
}

std::vector<void*> HandleTable::HandlesOf(HandleKind kind) {
  TableLock lock(mutex_);
  std::vector<void*> handles;
  for (std::size_t i = 0; i < slots_.size(); ++i)
    if (slots_[i].object && slots_[i].kind == kind)
      handles.push_back(MakeHandle(kind, static_cast<std::uint32_t>(i), slots_[i].generation));
  return handles;
}

}  // namespace ui::internal
