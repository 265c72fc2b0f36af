// Cutting a variable-length field out of a frame. Each character of the
// sensor's FIELD delimiter string is one field boundary; a delimiter that
// does not occur is skipped over, so optional fields may be left out.
#include "core/instrument/FrameData.h"
#include "core/instrument/HexEscape.h"
#include "core/instrument/ResultCodes.h"
#include "core/instrument/Sensor.h"

using namespace instrument;

int CSensor::ReadVariableField(const CFrameData& frame, std::string& field) {
  field.clear();
  if (variable_field_index_ < 0) return kValueFieldNotFound;
  const std::string_view frame_text = frame.GetText();
  std::string_view text;
  if (!FindVariableField(*frame.GetVariableFieldIndex(layout_), frame_text, text)) return kValueFieldNotFound;
  offset_.store(static_cast<unsigned>(text.data() - frame_text.data()));
  // Most fields hold no "^" escape: they are taken as they stand.
  if (text.find('^') == std::string_view::npos)
    field.assign(text);
  else
    field = UnescapeHex(text, "^");
  return kResultOk;
}
