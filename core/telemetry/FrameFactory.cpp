#include "core/telemetry/FrameFactory.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace telemetry {

std::uint64_t NextTextsKey() {
  static std::atomic<std::uint64_t> last{0};
  return ++last;
}

void FillFrameTexts(CFrameInfo& info, const FrameDescription& description) {
  info.m_strResourceName = description.resource_name;
  info.m_strHeader = description.header;
  info.m_strTerminator = description.terminator;
  info.m_strSpecialKind = description.special_kind;
  info.m_nSyncByteCount = std::clamp(description.sync_count, 0, CFrameInfo::kMaxSyncBytes);
  const auto count = static_cast<std::size_t>(info.m_nSyncByteCount);
  std::memcpy(info.m_SyncBytes.data(), description.sync_bytes, count);
  std::fill(info.m_SyncBytes.begin() + static_cast<std::ptrdiff_t>(count), info.m_SyncBytes.end(), 0);
  info.m_nTextsKey = description.texts_key;
}

std::unique_ptr<CFrameData> MakeFrameData(const std::uint8_t* bytes, std::size_t length,
                                          const FrameDescription& description) {
  CFrameInfo info;
  FillFrameInfo(info, description);
  return std::make_unique<CFrameData>(CFrameData::Bytes(bytes, bytes + length), std::move(info));
}

std::unique_ptr<CFrameData> RefillFrameData(std::unique_ptr<CFrameData> spare, const std::uint8_t* bytes,
                                            std::size_t length, const FrameDescription& description) {
  if (!spare) return MakeFrameData(bytes, length, description);
  FillFrameInfo(spare->Refill(bytes, length), description);
  return spare;
}

std::uint32_t FrameDataSize(const CFrameData& frame) {
  return static_cast<std::uint32_t>(std::max(frame.GetFrameSize(), 0));
}

}  // namespace telemetry
