// The variable-length fields of the frame one row is written from. The
// frame's field index is looked up when the row's first such column asks
// for it and kept for the others, so a frame costs one lookup (and one
// pass over its text) however many of its fields are printed.
#pragma once

#include <cstring>
#include <memory>
#include <string_view>

#include "core/instrument/FrameData.h"
#include "core/instrument/Sensor.h"
#include "core/instrument/VariableFieldIndex.h"

class CVariableFieldRow {
 public:
  explicit CVariableFieldRow(const CFrameData& frame) : frame_(frame) {}

  // The raw text of the sensor's field in this frame; false when the frame
  // does not have it.
  bool Find(const CSensor& sensor, std::string_view& field) {
    const auto& layout = sensor.GetVariableFieldLayout();
    if (layout.get() != layout_) {
      // Held here, the index outlives any other layout's lookup in the row.
      index_ = frame_.GetVariableFieldIndex(layout);
      layout_ = layout.get();
      const std::string_view text = frame_.GetText();
      escapes_ = std::memchr(text.data(), '^', text.size()) != nullptr;
    }
    return sensor.FindVariableField(*index_, frame_.GetText(), field);
  }
  // Whether a field of the frame may hold a "^" escape: looked for once in
  // the whole frame, as nearly no frame holds one.
  bool MayHoldEscapes() const { return escapes_; }

 private:
  const CFrameData& frame_;
  const instrument::VariableFieldLayout* layout_ = nullptr;
  std::shared_ptr<const instrument::VariableFieldIndex> index_;
  bool escapes_ = false;
};
