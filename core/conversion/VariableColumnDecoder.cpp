#include "core/conversion/VariableColumnDecoder.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "core/conversion/ColumnDecoder.h"
#include "core/instrument/FieldDecoding.h"
#include "core/instrument/PolynomialFit.h"
#include "core/instrument/ResultCodes.h"
#include "core/instrument/SensorKeywords.h"
#include "platform/sys/FastNumberFixedPoint.h"

using namespace instrument;

namespace {

// Prints a real as the sensor's path does for a format WritesInPlace takes;
// null when the fixed-point writer declines it.
char* WriteReal(char* at, double value, int precision) {
  const std::size_t length = sys::WriteFixedPoint(at, CColumnDecoder::kLongestText, value, precision);
  return length == 0 ? nullptr : at + length;
}

// Fields are a few characters long: looked through here, not by a call.
bool Holds(std::string_view text, char c) {
  for (char t : text)
    if (t == c) return true;
  return false;
}

int ParseField(std::string_view text, std::uint32_t& value) { return ParseAsciiUnsigned(text, value); }
int ParseField(std::string_view text, std::int32_t& value) { return ParseAsciiSigned(text, value); }
int ParseField(std::string_view text, double& value) { return ParseAsciiReal(text, value); }

}  // namespace

CVariableColumnDecoder::CVariableColumnDecoder(CSensor& sensor, const CSensorFormat& format, bool suppress_strings) {
  if (!sensor.IsVariable() || !sensor.HasValue()) return;
  Kind kind = Kind::kNone;
  switch (sensor.GetDataType()) {
    case kDataAU: kind = Kind::kUnsigned; break;
    case kDataAI: kind = Kind::kSigned; break;
    case kDataAF: kind = Kind::kReal; break;
    case kDataAS: kind = suppress_strings ? Kind::kNone : Kind::kText; break;
    default: break;
  }
  const bool integer = kind == Kind::kUnsigned || kind == Kind::kSigned;
  const int fit = sensor.GetFitType();
  if (kind == Kind::kText) {
    // A text prints as it stands, whatever the fit and format.
  } else if (!format.m_nApplyFit) {
    if (format.m_nHexFormat && integer) return;
  } else if (fit == kFitPolyU) {
    fit_ = Fit::kPolyU;
    polynomial_ = sensor.GetCoefficients();
  } else if (sensor.IsCalibratedFit() && fit != kFitOptic1 && fit != kFitOptic3) {
    // OPTIC1 splits its gain off the raw value, OPTIC3 reads a second
    // sensor: both stay with the sensor's path.
    fit_ = Fit::kSensorFit;
  } else if (!sensor.IsCountFit()) {
    return;
  }
  sensor_ = &sensor;
  kind_ = kind;
}

template <typename Raw>
char* CVariableColumnDecoder::WriteNumber(char* at, std::string_view text, int precision) const {
  Raw raw{};
  if (ParseField(text, raw) != kResultOk) return nullptr;
  if (fit_ == Fit::kPolyU) {
    const double value = AscendingPolynomial(polynomial_, static_cast<double>(raw));
    return std::isfinite(value) ? WriteReal(at, value, precision) : nullptr;
  }
  if (fit_ == Fit::kSensorFit) {
    double value = 0.0;
    if (sensor_->ApplyFit(&value, raw) != kResultOk) return nullptr;
    return WriteReal(at, value, precision);
  }
  if constexpr (std::is_same_v<Raw, double>) {
    return WriteReal(at, raw, precision);
  } else {
    return std::to_chars(at, at + CColumnDecoder::kLongestText, raw).ptr;
  }
}

char* CVariableColumnDecoder::WriteText(char* at, std::string_view text) const {
  // A longer text needs more room than a number, and a line end in a row
  // must be told to the writer: both go the general way.
  if (text.size() > CColumnDecoder::kLongestText || Holds(text, '\n')) return nullptr;
  std::memcpy(at, text.data(), text.size());
  return at + text.size();
}

char* CVariableColumnDecoder::Write(char* at, CVariableFieldRow& row, int precision) const {
  std::string_view text;
  if (kind_ == Kind::kNone || !row.Find(*sensor_, text)) return nullptr;
  // Escaped characters are the sensor's to decode.
  if (row.MayHoldEscapes() && Holds(text, '^')) return nullptr;
  switch (kind_) {
    case Kind::kUnsigned: return WriteNumber<std::uint32_t>(at, text, precision);
    case Kind::kSigned: return WriteNumber<std::int32_t>(at, text, precision);
    case Kind::kReal: return WriteNumber<double>(at, text, precision);
    case Kind::kText: return WriteText(at, text);
    case Kind::kNone: break;
  }
  return nullptr;
}
