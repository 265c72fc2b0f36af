// The per-instrument description a resource keeps while it cuts frames, and
// the one place that turns a cut frame into the frame record the rest of the
// program receives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "core/instrument/FrameData.h"
#include "platform/sys/Time.h"

namespace telemetry {

struct FrameDescription {
  std::string resource_name;
  std::string header;
  std::string terminator;  // empty: fixed-size frames
  std::string special_kind;
  std::uint8_t sync_bytes[12] = {};
  int sync_count = 0;
  std::uint32_t frame_size = 0;  // at least the header's length
  int frame_number = 0;
  bool enabled = false;
  bool contiguous = false;
  sys::TimeStamp time_stamp;
  // Tells apart the descriptions of every attachment in the process (0:
  // none given): their texts and synchronisation bytes are set once, when
  // the instrument is attached, and never change after.
  std::uint64_t texts_key = 0;
};

// A key no other attachment of this process has had.
std::uint64_t NextTextsKey();

// The texts and synchronisation bytes of the description, into strings
// that keep their capacity.
void FillFrameTexts(CFrameInfo& info, const FrameDescription& description);

// The record's info for a frame of this description: every field set, as
// a new record has them. Inline: a record refilled for the frames of one
// instrument, one after the other, holds its texts already, and the rest
// is a few stores for every frame of a conversion.
inline void FillFrameInfo(CFrameInfo& info, const FrameDescription& description) {
  if (description.texts_key == 0 || info.m_nTextsKey != description.texts_key) FillFrameTexts(info, description);
  info.m_nFixedFrameSize = static_cast<int>(description.frame_size);
  info.m_nFrameNumber = description.frame_number;
  info.m_nErrorWord = 0;
  info.m_bAcquisitionEnabled = description.enabled ? 1 : 0;
  info.m_bContiguous = description.contiguous ? 1 : 0;
  info.m_TimeStamp = description.time_stamp;
}

// A new frame record holding `length` bytes and a copy of the description;
// the bytes are copied once, straight into the record.
std::unique_ptr<CFrameData> MakeFrameData(const std::uint8_t* bytes, std::size_t length,
                                          const FrameDescription& description);

// The same record made from a spare one, refilled in place; a new one
// when spare is null.
std::unique_ptr<CFrameData> RefillFrameData(std::unique_ptr<CFrameData> spare, const std::uint8_t* bytes,
                                            std::size_t length, const FrameDescription& description);

// The byte count a frame stands for in the discarded-byte account.
std::uint32_t FrameDataSize(const CFrameData& frame);

}  // namespace telemetry
