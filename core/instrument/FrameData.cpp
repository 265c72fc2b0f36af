#include "core/instrument/FrameData.h"

CFrameData::CFrameData(const Bytes& bytes, const CFrameInfo& info)
    : bytes_(bytes), text_(reinterpret_cast<const char*>(bytes_.data()), bytes_.size()) {
  info_.CopyFrom(info);
}

CFrameData::CFrameData(const CFrameData& other) : CFrameData(other.bytes_, other.info_) {}

int CFrameData::GetFrameSize() const {
  if (!info_.m_strTerminator.empty()) return static_cast<int>(bytes_.size());
  return info_.m_nFixedFrameSize;
}
