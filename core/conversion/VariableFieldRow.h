// The variable-length fields of the frame one row is written from. Their
// index is built when the row's first such column asks for it, in storage
// the row writer keeps from frame to frame, and shared by the row's other
// columns: a frame costs one pass over its text however many of its fields
// are printed, and no lock, as the index is the row writer's own.
#pragma once

#include <cstring>
#include <string_view>

#include "core/instrument/FrameData.h"
#include "core/instrument/Sensor.h"
#include "core/instrument/VariableFieldIndex.h"
#include "core/instrument/VariableFieldLayout.h"

class CVariableFieldRow {
 public:
  // index: the storage, reused for every row.
  CVariableFieldRow(const CFrameData& frame, instrument::VariableFieldIndex& index) : frame_(frame), index_(index) {}

  // The raw text of the sensor's field in this frame; false when the frame
  // does not have it.
  bool Find(const CSensor& sensor, std::string_view& field) {
    const std::string_view text = frame_.GetText();
    const instrument::VariableFieldLayout* layout = sensor.GetVariableFieldLayout().get();
    if (layout != layout_) {
      index_.Rebuild(text, frame_.GetHeader().size(), *layout);
      layout_ = layout;
      escapes_ = !text.empty() && std::memchr(text.data(), '^', text.size()) != nullptr;
    }
    return sensor.FindVariableField(index_, text, field);
  }
  // Whether a field of the frame may hold a "^" escape: looked for once in
  // the whole frame, as nearly no frame holds one.
  bool MayHoldEscapes() const { return escapes_; }

 private:
  const CFrameData& frame_;
  instrument::VariableFieldIndex& index_;
  const instrument::VariableFieldLayout* layout_ = nullptr;  // the layout index_ was built for in this row
  bool escapes_ = false;
};
