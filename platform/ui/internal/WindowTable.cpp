#include "platform/ui/internal/WindowTable.h"

#include <algorithm>
#include <cstdint>

namespace ui::internal {

namespace {

// Handle layout: tag in bits 56-63, generation in bits 24-55, slot + 1 in
// bits 0-23. The tag makes stray small integers and pointers fail at once.
constexpr std::uint64_t kTag = 0xB7ull << 56;
constexpr std::uint64_t kSlotMask = 0xFFFFFF;

HWND MakeHandle(std::uint32_t slot, std::uint32_t generation) {
  const std::uint64_t value = kTag | (static_cast<std::uint64_t>(generation) << 24) | (slot + 1);
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
}

bool DecodeHandle(HWND hwnd, std::uint32_t& slot, std::uint32_t& generation) {
  const auto value = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(hwnd));
  if ((value & (0xFFull << 56)) != kTag || (value & kSlotMask) == 0) return false;
  slot = static_cast<std::uint32_t>((value & kSlotMask) - 1);
  generation = static_cast<std::uint32_t>((value >> 24) & 0xFFFFFFFF);
  return true;
}

}  // namespace

WindowTable& WindowTable::Get() {
  static WindowTable table;
  return table;
}

HWND WindowTable::Add(std::shared_ptr<WindowRecord> record) {
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
  entry.record = std::move(record);
  const HWND hwnd = MakeHandle(slot, entry.generation);
  entry.record->handle = hwnd;
  return hwnd;
}

void WindowTable::Remove(HWND hwnd) {
  TableLock lock(mutex_);
  std::uint32_t slot, generation;
  if (!DecodeHandle(hwnd, slot, generation) || slot >= slots_.size()) return;
  Slot& entry = slots_[slot];
  if (entry.generation != generation || !entry.record) return;
  entry.record.reset();
  ++entry.generation;  // every copy of the old handle is now stale
  free_slots_.push_back(slot);
}

WindowRecord* WindowTable::Find(HWND hwnd) {
  std::uint32_t slot, generation;
  if (!DecodeHandle(hwnd, slot, generation) || slot >= slots_.size()) return nullptr;
  Slot& entry = slots_[slot];
  if (entry.generation != generation) return nullptr;
  return entry.record.get();
}

std::shared_ptr<WindowRecord> WindowTable::FindShared(HWND hwnd) {
  TableLock lock(mutex_);
  std::uint32_t slot, generation;
  if (!DecodeHandle(hwnd, slot, generation) || slot >= slots_.size()) return nullptr;
  Slot& entry = slots_[slot];
  if (entry.generation != generation) return nullptr;
  return entry.record;
}

std::vector<HWND>& WindowTable::SiblingList(WindowRecord& record) {
  if (record.parent) {
    if (WindowRecord* parent = Find(record.parent)) return parent->children;
  }
  return top_levels_;
}

std::vector<HWND> WindowTable::AllWindows() {
  TableLock lock(mutex_);
  std::vector<HWND> all;
  for (const Slot& slot : slots_)
    if (slot.record) all.push_back(slot.record->handle);
  return all;
}

void WindowTable::RemoveThreadWindows(DWORD thread_id) {
  TableLock lock(mutex_);
  std::vector<HWND> ended;
  for (const Slot& slot : slots_)
    if (slot.record && slot.record->thread_id == thread_id) ended.push_back(slot.record->handle);
  for (HWND hwnd : ended) {
    if (WindowRecord* record = Find(hwnd)) std::erase(SiblingList(*record), hwnd);
  }
  for (HWND hwnd : ended) Remove(hwnd);
}

}  // namespace ui::internal
