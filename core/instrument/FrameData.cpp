#include "core/instrument/FrameData.h"

#include <utility>

CFrameData::CFrameData(const Bytes& bytes, const CFrameInfo& info) : bytes_(bytes) { info_.CopyFrom(info); }

CFrameData::CFrameData(Bytes&& bytes, CFrameInfo&& info) : bytes_(std::move(bytes)), info_(std::move(info)) {}

CFrameData::CFrameData(const CFrameData& other) : CFrameData(other.bytes_, other.info_) {}

std::shared_ptr<const instrument::VariableFieldIndex> CFrameData::GetVariableFieldIndex(
    const std::shared_ptr<const instrument::VariableFieldLayout>& layout) const {
  std::lock_guard guard(index_lock_);
  // Held by the frame, the layout cannot be freed and replaced by another at
  // the same address while the index built for it is kept.
  if (!index_ || indexed_layout_ != layout) {
    if (spare_index_) {
      spare_index_->Rebuild(GetText(), info_.m_strHeader.size(), *layout);
      index_ = std::move(spare_index_);
    } else {
      index_ = std::make_shared<instrument::VariableFieldIndex>(GetText(), info_.m_strHeader.size(), *layout);
    }
    indexed_layout_ = layout;
  }
  return index_;
}
