// One received telemetry frame: its bytes, readable as text too (for the
// variable-length field reader), and a copy of its instrument's frame info.
// Only the error word changes after creation.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "core/instrument/FrameInfo.h"
#include "core/instrument/VariableFieldIndex.h"

class CFrameData {
 public:
  using Bytes = std::vector<std::uint8_t>;

  CFrameData(const Bytes& bytes, const CFrameInfo& info);
  // Takes the bytes and the info over: a frame cut from a stream is built
  // with no second copy of either.
  CFrameData(Bytes&& bytes, CFrameInfo&& info);
  CFrameData(const CFrameData& other);
  CFrameData& operator=(const CFrameData&) = delete;

  int GetFrameNumber() const { return info_.m_nFrameNumber; }
  // Variable-length frames (those with a terminator) are as long as the
  // bytes held; fixed-length frames have the instrument's size.
  int GetFrameSize() const {
    return info_.m_strTerminator.empty() ? info_.m_nFixedFrameSize : static_cast<int>(bytes_.size());
  }
  int GetErrorFlag() const { return info_.m_nErrorWord; }
  void SetErrorFlag(int error) { info_.m_nErrorWord = error; }

  Bytes CopyBytes() const { return bytes_; }
  // The bytes without a copy, for the field readers.
  const Bytes& GetBytes() const { return bytes_; }
  // The bytes as text, zero bytes included; valid as long as the frame.
  std::string_view GetText() const { return {reinterpret_cast<const char*>(bytes_.data()), bytes_.size()}; }
  const std::string& GetHeader() const { return info_.m_strHeader; }
  const std::string& GetResourceName() const { return info_.m_strResourceName; }
  const sys::TimeStamp& GetTimeStamp() const { return info_.m_TimeStamp; }
  int IsContiguous() const { return info_.m_bContiguous; }
  const CFrameInfo& GetInfo() const { return info_; }

  // Makes this frame the next one in place, for a receiver that hands its
  // frames back: the bytes replaced without a new allocation and the field
  // index dropped. The info is the caller's to fill in again. Inline: a
  // conversion refills a record for every frame. Only the frame's owner
  // refills it, so no reader shares the index now.
  CFrameInfo& Refill(const std::uint8_t* bytes, std::size_t length) {
    // Frames of one instrument mostly have one length: then a plain copy.
    if (length != 0 && bytes_.size() == length) {
      std::memcpy(bytes_.data(), bytes, length);
    } else {
      bytes_.assign(bytes, bytes + length);
    }
    // An index no reader holds any more is kept, to be rebuilt over the
    // next bytes in the storage it has.
    if (index_) {
      if (index_.use_count() == 1) spare_index_ = std::move(index_);
      index_.reset();
    }
    if (indexed_layout_) indexed_layout_.reset();
    return info_;
  }

  // Where this frame's variable-length fields lie under an instrument's
  // layout: found on the first field's read, then shared by the others.
  std::shared_ptr<const instrument::VariableFieldIndex> GetVariableFieldIndex(
      const std::shared_ptr<const instrument::VariableFieldLayout>& layout) const;

 private:
  Bytes bytes_;
  CFrameInfo info_;

  // Each sensor reads under its own lock, so the shared index has one.
  mutable std::mutex index_lock_;
  mutable std::shared_ptr<const instrument::VariableFieldLayout> indexed_layout_;
  mutable std::shared_ptr<instrument::VariableFieldIndex> index_;
  mutable std::shared_ptr<instrument::VariableFieldIndex> spare_index_;
};
