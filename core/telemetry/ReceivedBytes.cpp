#include "core/telemetry/ReceivedBytes.h"

#include <algorithm>
#include <cstring>

namespace telemetry {

void ReceivedBytes::Append(const void* data, std::size_t count) {
  if (count == 0) return;
  CompactIfWorthwhile();
  const auto* in = static_cast<const std::uint8_t*>(data);
  bytes_.insert(bytes_.end(), in, in + count);
}

void ReceivedBytes::Prepend(const void* data, std::size_t count) {
  if (count == 0) return;
  ++head_changes_;
  ++prepends_;
  const auto* in = static_cast<const std::uint8_t*>(data);
  if (head_ >= count) {
    head_ -= count;
    std::memcpy(bytes_.data() + head_, in, count);
    return;
  }
  bytes_.insert(bytes_.begin() + static_cast<std::ptrdiff_t>(head_), in, in + count);
}

void ReceivedBytes::Clear() {
  ++head_changes_;
  head_position_ += Size();
  bytes_.clear();
  head_ = 0;
}

void ReceivedBytes::CompactIfWorthwhile() {
  if (head_ == 0 || head_ < Size()) return;
  bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(head_));
  head_ = 0;
}

}  // namespace telemetry
