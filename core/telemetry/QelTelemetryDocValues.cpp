// Sensor field to output text: which reader and fit a sensor's data type
// and fit call for, how the result is printed, and what an error looks like.
// Every text is appended to the caller's buffer, so a row of many values is
// built without a string per value.
#include <cstdint>

#include "core/instrument/ResultCodes.h"
#include "core/instrument/SensorKeywords.h"
#include "core/telemetry/QelTelemetryDoc.h"
#include "core/telemetry/TelemetryDocNumberText.h"
#include "platform/sys/FastNumber.h"

namespace {

using instrument::kDataBS;
using instrument::kDataBSLE;

void AppendPadded(std::string& out, const std::string& text, const CSensorFormat& format) {
  telemetry::AppendPaddedText(out, text.data(), text.size(), format.m_nWidth);
}

void AppendUnsignedDecimal(std::string& out, std::uint32_t value, const CSensorFormat& format) {
  telemetry::AppendUnsignedText(out, value, format.m_nWidth);
}

// OPTIC1 values carry their gain in the two low bits: shown apart.
void AppendHex(std::string& out, std::uint32_t value, const CSensor& sensor, const CSensorFormat& format) {
  if (sensor.GetFitType() == instrument::kFitOptic1) {
    telemetry::AppendHexText(out, value & ~3u, format.m_nWidth);
    out += ':';
    telemetry::AppendHexText(out, value & 3u, -1);
  } else {
    telemetry::AppendHexText(out, value, format.m_nWidth);
  }
}

// Binary signed fields of one or two bytes hold 8- or 16-bit numbers.
std::int32_t NarrowSigned(std::int32_t value, const CSensor& sensor) {
  const int type = sensor.GetDataType();
  if (type != kDataBS && type != kDataBSLE) return value;
  if (sensor.GetFieldLength() == 1) return static_cast<std::int8_t>(value);
  if (sensor.GetFieldLength() == 2) return static_cast<std::int16_t>(value);
  return value;
}

void AppendSignedDecimal(std::string& out, std::int32_t value, const CSensor& sensor, const CSensorFormat& format) {
  telemetry::AppendSignedText(out, NarrowSigned(value, sensor), format.m_nWidth);
}

// An empty variable-length number field is no error: it prints nothing.
bool IsEmptyVariableField(int result, const CSensor& sensor) {
  return result == instrument::kValueNotANumber && sensor.IsVariable();
}

// Applies a calibrated fit or a time fit to raw, or prints raw itself.
// Returns the first failing result code.
template <typename Raw, typename PrintRaw>
int AppendFitted(std::string& out, CSensor& sensor, Raw raw, const CSensorFormat& format, PrintRaw print_raw) {
  if (sensor.IsCalibratedFit()) {
    double value = 0.0;
    const int result = sensor.ApplyFit(&value, raw);
    if (result != 0) return result;
    CQelTelemetryDoc::AppendDouble(out, value, format);
  } else if (sensor.IsTimeFit()) {
    std::string text;
    const int result = sensor.FormatTimeFit(&text, raw);
    if (result != 0) return result;
    AppendPadded(out, text, format);
  } else {
    print_raw();
  }
  return 0;
}

int AppendUnsignedValue(std::string& out, CSensor& sensor, CFrameData* frame, const CSensorFormat& format) {
  std::uint32_t raw = 0;
  const int result = sensor.ExtractUnsigned(&raw, frame);
  if (result != 0) return result;
  // HS digits carry a sign; their unsigned image would print -5 as
  // 4294967291.
  auto print_raw = [&] {
    if (sensor.HasSignedRawValue())
      AppendSignedDecimal(out, static_cast<std::int32_t>(raw), sensor, format);
    else
      AppendUnsignedDecimal(out, raw, format);
  };
  if (format.m_nApplyFit) return AppendFitted(out, sensor, raw, format, print_raw);
  if (format.m_nHexFormat)
    AppendHex(out, raw, sensor, format);
  else
    print_raw();
  return 0;
}

int AppendSignedValue(std::string& out, CSensor& sensor, CFrameData* frame, const CSensorFormat& format) {
  std::int32_t raw = 0;
  const int result = sensor.ExtractSigned(&raw, frame);
  if (IsEmptyVariableField(result, sensor)) {
    AppendPadded(out, std::string(), format);
    return 0;
  }
  if (result != 0) return result;
  auto print_raw = [&] { AppendSignedDecimal(out, raw, sensor, format); };
  if (format.m_nApplyFit) return AppendFitted(out, sensor, raw, format, print_raw);
  if (format.m_nHexFormat)
    AppendHex(out, static_cast<std::uint32_t>(raw), sensor, format);
  else
    print_raw();
  return 0;
}

int AppendRealValue(std::string& out, CSensor& sensor, CFrameData* frame, const CSensorFormat& format) {
  double raw = 0.0;
  const int result = sensor.ExtractReal(&raw, frame);
  if (IsEmptyVariableField(result, sensor)) {
    AppendPadded(out, std::string(), format);
    return 0;
  }
  if (result != 0) return result;
  auto print_raw = [&] { CQelTelemetryDoc::AppendDouble(out, raw, format); };
  if (format.m_nApplyFit) return AppendFitted(out, sensor, raw, format, print_raw);
  print_raw();
  return 0;
}

int AppendStringValue(std::string& out, CSensor& sensor, CFrameData* frame, const CSensorFormat& format) {
  std::string text;
  const int result = sensor.ExtractString(&text, frame);
  if (result != 0) return result;
  AppendPadded(out, text, format);
  return 0;
}

int AppendValueByKind(std::string& out, CSensor& sensor, CFrameData* frame, const CSensorFormat& format) {
  if (sensor.IsUnsignedKind()) return AppendUnsignedValue(out, sensor, frame, format);
  if (sensor.IsSignedKind()) return AppendSignedValue(out, sensor, frame, format);
  if (sensor.IsRealKind()) return AppendRealValue(out, sensor, frame, format);
  if (sensor.IsStringKind()) return AppendStringValue(out, sensor, frame, format);
  return instrument::kValueWrongDataType;
}

}  // namespace

void CQelTelemetryDoc::AppendDouble(std::string& out, double value, const CSensorFormat& format) {
  // "%#*.*f", "%#*.*e" or "%#*.*g", the width and the precision left out
  // when below 1 and 0. The shared fast path prints the bytes printf would,
  // and itself leaves to printf the forms it cannot match.
  sys::FloatFormat form;
  form.style = format.m_nDoubleType == 0   ? sys::FloatStyle::kFixed
               : format.m_nDoubleType == 1 ? sys::FloatStyle::kExponent
                                           : sys::FloatStyle::kGeneral;
  form.alternate = true;
  form.width = format.m_nWidth > 0 ? format.m_nWidth : 0;
  form.precision = format.m_nPrecision >= 0 ? format.m_nPrecision : -1;
  sys::AppendFloat(out, value, form);
}

std::string CQelTelemetryDoc::FormatDouble(double value, const CSensorFormat& format) {
  std::string out;
  AppendDouble(out, value, format);
  return out;
}

void CQelTelemetryDoc::AppendSensorError(std::string& out, int code) {
  const bool known = code >= instrument::kValueWrongDataType && code <= instrument::kValueFieldNotFound;
  const int number = known ? code - 0x20000000 : 0;
  out += "Error ";
  out += static_cast<char>('0' + number);
}

std::string CQelTelemetryDoc::FormatSensorError(int code) {
  std::string out;
  AppendSensorError(out, code);
  return out;
}

void CQelTelemetryDoc::AppendSensorValue(std::string& out, CSensor* sensor, CFrameData* frame,
                                         const CSensorFormat& format) {
  const std::size_t start = out.size();
  // No sensor at all prints as "Error 0", the text of no known code.
  constexpr int kNoSensor = -1;
  const int result = sensor == nullptr ? kNoSensor : AppendValueByKind(out, *sensor, frame, format);
  if (result == 0) return;
  // A reader may have printed part of a value before a fit failed.
  out.resize(start);
  if (frame != nullptr) frame->SetErrorFlag(1);
  std::string error;
  AppendSensorError(error, result);
  AppendPadded(out, error, format);
}

std::string CQelTelemetryDoc::FormatSensorValue(CSensor* sensor, CFrameData* frame, const CSensorFormat& format) {
  std::string out;
  AppendSensorValue(out, sensor, frame, format);
  return out;
}

int CQelTelemetryDoc::GetSensorValue(double* value, CSensor* sensor, CFrameData* frame) {
  *value = 0.0;
  if (sensor == nullptr) return instrument::kValueNone;
  int result = 0;
  if (sensor->IsUnsignedKind()) {
    std::uint32_t raw = 0;
    result = sensor->ExtractUnsigned(&raw, frame);
    if (result == 0) result = sensor->ApplyFit(value, raw);
  } else if (sensor->IsSignedKind()) {
    std::int32_t raw = 0;
    result = sensor->ExtractSigned(&raw, frame);
    if (result == 0) result = sensor->ApplyFit(value, raw);
  } else if (sensor->IsRealKind()) {
    double raw = 0.0;
    result = sensor->ExtractReal(&raw, frame);
    if (result == 0) result = sensor->ApplyFit(value, raw);
  } else {
    result = instrument::kValueWrongDataType;
  }
  return result;
}
