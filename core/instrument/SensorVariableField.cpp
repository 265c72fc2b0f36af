// Cutting a variable-length field out of a frame. Each character of the
// sensor's FIELD delimiter string is one field boundary; a delimiter that
// does not occur is skipped over, so optional fields may be left out.
#include "core/instrument/FrameData.h"
#include "core/instrument/HexEscape.h"
#include "core/instrument/ResultCodes.h"
#include "core/instrument/Sensor.h"

using namespace instrument;

int CSensor::ReadVariableField(const CFrameData& frame, std::string& storage, std::string_view& field) {
  field = {};
  if (variable_field_index_ < 0) return kValueFieldNotFound;
  const std::string_view frame_text = frame.GetText();
  if (!FindVariableField(*frame.GetVariableFieldIndex(layout_), frame_text, field)) return kValueFieldNotFound;
  offset_.store(static_cast<unsigned>(field.data() - frame_text.data()));
  // Most fields hold no "^" escape: they are read where they stand.
  if (field.find('^') != std::string_view::npos) {
    storage = UnescapeHex(field, "^");
    field = storage;
  }
  return kResultOk;
}
