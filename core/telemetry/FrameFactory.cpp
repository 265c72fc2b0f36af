#include "core/telemetry/FrameFactory.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace telemetry {

std::uint64_t NextTextsKey() {
  static std::atomic<std::uint64_t> last{0};
  return ++last;
}

void FillFrameInfo(CFrameInfo& info, const FrameDescription& description) {
  // A record refilled for the frames of one instrument, one after the
  // other, holds its texts already.
  if (description.texts_key == 0 || info.m_nTextsKey != description.texts_key) {
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
  info.m_nFixedFrameSize = static_cast<int>(description.frame_size);
  info.m_nFrameNumber = description.frame_number;
  info.m_nErrorWord = 0;
  info.m_bAcquisitionEnabled = description.enabled ? 1 : 0;
  info.m_bContiguous = description.contiguous ? 1 : 0;
  info.m_TimeStamp = description.time_stamp;
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
