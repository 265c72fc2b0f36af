#include "platform/ui/internal/GdiTable.h"

#include <cstdint>

#include "platform/ui/internal/DcRecord.h"

namespace ui::internal {

namespace {

// Handle layout as for windows, with a tag of its own: tag in bits 56-63,
// generation in bits 24-55, slot + 1 in bits 0-23.
constexpr std::uint64_t kTag = 0xB9ull << 56;
constexpr std::uint64_t kSlotMask = 0xFFFFFF;

void* MakeHandle(std::uint32_t slot, std::uint32_t generation) {
  const std::uint64_t value = kTag | (static_cast<std::uint64_t>(generation) << 24) | (slot + 1);
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(value));
}

bool DecodeHandle(const void* handle, std::uint32_t& slot, std::uint32_t& generation) {
  const auto value = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(handle));
  if ((value & (0xFFull << 56)) != kTag || (value & kSlotMask) == 0) return false;
  slot = static_cast<std::uint32_t>((value & kSlotMask) - 1);
  generation = static_cast<std::uint32_t>((value >> 24) & 0xFFFFFFFF);
  return true;
}

}  // namespace

GdiTable& GdiTable::Get() {
  static GdiTable* table = new GdiTable;  // outlives static objects that delete handles
  return *table;
}

void* GdiTable::Add(std::shared_ptr<GdiObject> object) { return Insert(std::move(object), nullptr); }

void* GdiTable::AddDc(std::shared_ptr<DcRecord> dc) { return Insert(nullptr, std::move(dc)); }

void* GdiTable::Insert(std::shared_ptr<GdiObject> object, std::shared_ptr<DcRecord> dc) {
  std::lock_guard lock(mutex_);
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
  void* handle = MakeHandle(slot, entry.generation);
  if (object) object->handle = handle;
  entry.object = std::move(object);
  entry.dc = std::move(dc);
  return handle;
}

GdiTable::Slot* GdiTable::Lookup(const void* handle) {
  std::uint32_t slot, generation;
  if (!DecodeHandle(handle, slot, generation) || slot >= slots_.size()) return nullptr;
  Slot& entry = slots_[slot];
  if (entry.generation != generation || (!entry.object && !entry.dc)) return nullptr;
  return &entry;
}

bool GdiTable::Remove(void* handle) {
  std::shared_ptr<GdiObject> object;  // released outside the lock
  std::shared_ptr<DcRecord> dc;
  std::lock_guard lock(mutex_);
  Slot* entry = Lookup(handle);
  if (!entry) return false;
  if (entry->object && entry->object->stock) return false;
  object = std::move(entry->object);
  if (object) object->handle = nullptr;
  dc = std::move(entry->dc);
  ++entry->generation;  // every copy of the old handle is now stale
  free_slots_.push_back(static_cast<std::uint32_t>(entry - slots_.data()));
  return true;
}

std::shared_ptr<GdiObject> GdiTable::Find(const void* handle) {
  std::lock_guard lock(mutex_);
  Slot* entry = Lookup(handle);
  return entry ? entry->object : nullptr;
}

std::shared_ptr<DcRecord> GdiTable::FindDc(const void* handle) {
  std::lock_guard lock(mutex_);
  Slot* entry = Lookup(handle);
  return entry ? entry->dc : nullptr;
}

}  // namespace ui::internal
