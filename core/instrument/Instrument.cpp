#include "core/instrument/Instrument.h"

#include <algorithm>

#include "core/instrument/AsciiText.h"
#include "core/instrument/FileErrorText.h"
#include "core/instrument/InstrumentTexts.h"
#include "core/instrument/ResultCodes.h"

using namespace instrument;

int CInstrument::FindSensor(const char* type, int after) const {
  if (type == nullptr) return -1;
  const int count = GetSensorCount();
  if (after >= count) return -1;  // also keeps after + 1 from overflowing
  for (int i = std::max(after + 1, 0); i < count; ++i) {
    if (EqualsNoCase(sensors_[static_cast<std::size_t>(i)]->GetType(), type)) return i;
  }
  return -1;
}

CSensor* CInstrument::GetSensor(int index) {
  if (index < 0 || index >= GetSensorCount()) {
    SetLoadReport("Cannot access instrument sensors.\r\n", kSensorIndexInvalid);
    return nullptr;
  }
  CSensor* sensor = sensors_[static_cast<std::size_t>(index)].get();
  if (sensor == nullptr) SetLoadReport("Cannot access instrument sensors.\r\n", kSensorNotFound);
  return sensor;
}

const char* CInstrument::GetActionText(int action) { return ActionText(action); }

std::string CInstrument::GetFileErrorText() const { return InstrumentFileErrorText(file_error_cause_); }
