// Finding the sensor of a known kind in an instrument: each kind is a TYPE
// and tests of ID, UNITS, data type and fit. Searches walk the sensors of
// one TYPE through FindSensor and GetSensor, so a derived document (or a
// test double) that answers those two answers these too.
#include <cstdlib>

#include "core/instrument/SensorKeywords.h"
#include "core/telemetry/QelTelemetryDoc.h"
#include "platform/sys/StringUtil.h"

namespace {

using sys::EqualsNoCase;

bool IsCounterLike(const CSensor& s) {
  const bool one_byte_binary = s.GetDataType() == instrument::kDataBU && s.GetFieldLength() == 1;
  return (one_byte_binary || s.GetDataType() == instrument::kDataAI) && s.IsCountFit();
}

bool IsValuedNotOptical(const CSensor& s) { return s.HasValue() && !s.IsOpticalFit(); }

bool IsOpticalCalibrated(const CSensor& s) { return s.IsOpticalFit() && s.IsCalibratedFit(); }

// An ID that reads as a wavelength within 2 nm of 490; an empty ID fails.
bool IsNear490(const std::string& id) {
  if (id.empty()) return false;
  const double wavelength = std::strtod(id.c_str(), nullptr);
  return wavelength >= 488.0 && wavelength <= 492.0;
}

}  // namespace

template <typename Test>
int CQelTelemetryDoc::FindSensorOfType(int instrument, const char* type, Test test) {
  for (int index = FindSensor(instrument, type, -1); index >= 0;) {
    const CSensor* sensor = GetSensor(instrument, index);
    if (sensor != nullptr && test(*sensor)) return index;
    const int next = FindSensor(instrument, type, index);
    // A search that does not move on would never end.
    if (next <= index) break;
    index = next;
  }
  return -1;
}

int CQelTelemetryDoc::FindLowerOfTwo(int instrument, const char* first_type, const char* second_type,
                                     bool (*first_test)(const CSensor&), bool (*second_test)(const CSensor&)) {
  const int first = FindSensorOfType(instrument, first_type, first_test);
  const int second = FindSensorOfType(instrument, second_type, second_test);
  if (first < 0) return second;
  if (second < 0) return first;
  return first < second ? first : second;
}

int CQelTelemetryDoc::FindFrameCounterSensor(int instrument) {
  return FindLowerOfTwo(
      instrument, "FRAME", "FRAMECOUNTER",
      [](const CSensor& s) { return (s.GetId().empty() || EqualsNoCase(s.GetId(), "COUNTER")) && IsCounterLike(s); },
      [](const CSensor& s) { return s.GetId().empty() && IsCounterLike(s); });
}

int CQelTelemetryDoc::FindCheckSumSensor(int instrument) {
  return FindLowerOfTwo(
      instrument, "CHECK", "CHECKSUM",
      [](const CSensor& s) { return EqualsNoCase(s.GetId(), "SUM") && IsCounterLike(s); },
      [](const CSensor& s) { return s.GetId().empty() && IsCounterLike(s); });
}

int CQelTelemetryDoc::FindNmeaCheckSumSensor(int instrument) {
  return FindSensorOfType(instrument, "NMEA_CHECKSUM", [](const CSensor& s) {
    return s.GetId().empty() && s.GetDataType() == instrument::kDataHU && s.IsCountFit();
  });
}

int CQelTelemetryDoc::FindIso8601Sensor(int instrument) {
  return FindSensorOfType(instrument, "ISO8601", [](const CSensor& s) {
    return s.GetId().empty() && s.GetUnits().empty() && s.IsCountFit();
  });
}

int CQelTelemetryDoc::FindTimerSensor(int instrument) {
  return FindSensorOfType(instrument, "TIMER", [](const CSensor& s) {
    return s.GetId().empty() && s.GetUnits() == "sec" && s.IsCountFit();
  });
}

int CQelTelemetryDoc::FindTiltSensor(int instrument, const std::string& id) {
  return FindSensorOfType(instrument, "TILT", [&id](const CSensor& s) { return EqualsNoCase(s.GetId(), id); });
}

int CQelTelemetryDoc::FindStrainSensor(int instrument) {
  return FindSensorOfType(instrument, "STRAIN",
                          [](const CSensor& s) { return s.GetId().empty() && s.GetUnits() == "Newtons"; });
}

int CQelTelemetryDoc::FindPressureSensor(int instrument) {
  return FindSensorOfType(instrument, "PRES", [](const CSensor& s) {
    const bool units = EqualsNoCase(s.GetUnits(), "m") || EqualsNoCase(s.GetUnits(), "dbar");
    return s.GetId().empty() && units && IsValuedNotOptical(s);
  });
}

int CQelTelemetryDoc::FindTemperatureSensor(int instrument) {
  return FindSensorOfType(instrument, "T", [](const CSensor& s) {
    return EqualsNoCase(s.GetId(), "W") && EqualsNoCase(s.GetUnits(), "C") && IsValuedNotOptical(s);
  });
}

int CQelTelemetryDoc::FindConductivitySensor(int instrument) {
  return FindSensorOfType(instrument, "COND", [](const CSensor& s) {
    return s.GetId().empty() && EqualsNoCase(s.GetUnits(), "mmho/cm") && IsValuedNotOptical(s);
  });
}

namespace {
bool IsBackscatter(const CSensor& s) {
  return s.GetUnits() == "1/(m*sr)" && s.IsCalibratedFit() && !s.IsOpticalFit();
}
}  // namespace

int CQelTelemetryDoc::FindRedBackscatterSensor(int instrument) {
  return FindSensorOfType(instrument, "BETA_RED", IsBackscatter);
}

int CQelTelemetryDoc::FindBlueBackscatterSensor(int instrument) {
  return FindSensorOfType(instrument, "BETA_BLUE", IsBackscatter);
}

int CQelTelemetryDoc::FindGreenBackscatterSensor(int instrument) {
  return FindSensorOfType(instrument, "BETA_GREEN", IsBackscatter);
}

int CQelTelemetryDoc::FindNitrateSensor(int instrument) {
  auto test = [](const CSensor& s) {
    const bool units = s.GetUnits() == "uMolar" || s.GetUnits() == "uM";
    const bool fit = (s.IsCalibratedFit() || s.IsCountFit()) && !s.IsOpticalFit();
    return s.GetId().empty() && units && fit;
  };
  const int found = FindSensorOfType(instrument, "NTR_CONC", test);
  return found >= 0 ? found : FindSensorOfType(instrument, "NITRATE", test);
}

int CQelTelemetryDoc::FindRadiance490Sensor(int instrument, const std::string& type) {
  const char* units = EqualsNoCase(type, "LU") ? "uW/cm^2/nm/sr" : "uW/cm^2/nm";
  return FindSensorOfType(instrument, type.c_str(), [units](const CSensor& s) {
    return IsNear490(s.GetId()) && s.GetUnits() == units && IsOpticalCalibrated(s);
  });
}

int CQelTelemetryDoc::FindCdomSensor(int instrument) {
  return FindSensorOfType(instrument, "CDOM", [](const CSensor& s) { return EqualsNoCase(s.GetUnits(), "ppb/l"); });
}

int CQelTelemetryDoc::FindParSensor(int instrument, int after) {
  const int index = FindSensor(instrument, "PAR", after);
  if (index < 0) return -1;
  const CSensor* sensor = GetSensor(instrument, index);
  return sensor != nullptr && sensor->IsCalibratedFit() ? index : -1;
}

int CQelTelemetryDoc::FindIrradianceSensor(int instrument, int downwelling) {
  return FindSensorOfType(instrument, downwelling ? "ED" : "ES", [](const CSensor& s) {
    return !s.GetId().empty() && s.GetUnits() == "uW/cm^2/nm" && IsOpticalCalibrated(s);
  });
}
