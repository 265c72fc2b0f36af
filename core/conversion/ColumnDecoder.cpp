#include "core/conversion/ColumnDecoder.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "core/conversion/SensorFormat.h"
#include "core/instrument/FieldDecoding.h"
#include "core/instrument/Sensor.h"
#include "core/instrument/SensorKeywords.h"
#include "core/telemetry/QelTelemetryDoc.h"
#include "platform/sys/FastNumberFixedPoint.h"

using namespace instrument;

namespace {

// Binary signed fields of one or two bytes print as 8- or 16-bit numbers,
// as the sensor's path prints them.
std::int32_t SignedFieldValue(std::uint32_t image, std::size_t length) {
  const std::int32_t value = SignExtend(image, length);
  if (length == 1) return static_cast<std::int8_t>(value);
  if (length == 2) return static_cast<std::int16_t>(value);
  return value;
}

// Rows print their reals with fixed digits and no width, their counts
// without a width: those forms are written here straight behind the text,
// the others (and any value the fast writer declines) by the shared writers.
void AppendReal(std::string& out, double value, const CSensorFormat& format) {
  if (format.m_nDoubleType == 0 && format.m_nWidth <= 0 && format.m_nPrecision > 0) {
    char digits[48];
    const std::size_t length = sys::WriteFixedPoint(digits, sizeof digits, value, format.m_nPrecision);
    if (length != 0) {
      out.append(digits, length);
      return;
    }
  }
  CQelTelemetryDoc::AppendDouble(out, value, format);
}

template <typename Integer>
void AppendInteger(std::string& out, Integer value, const CSensorFormat& format) {
  char digits[16];
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  const auto length = static_cast<std::size_t>(end - digits);
  if (format.m_nWidth > 0 && static_cast<std::size_t>(format.m_nWidth) > length)
    out.append(static_cast<std::size_t>(format.m_nWidth) - length, ' ');
  out.append(digits, length);
}

}  // namespace

CColumnDecoder::CColumnDecoder(CSensor& sensor, const CSensorFormat& format) {
  if (sensor.IsVariable() || !sensor.HasValue()) return;
  // The readers of the fixed fields, with the widths the sensor reads.
  Reader reader = Reader::kNone;
  std::size_t bytes = sensor.GetFieldLength();
  switch (sensor.GetDataType()) {
    case kDataBU: reader = Reader::kBigUnsigned; break;
    case kDataBULE: reader = Reader::kLittleUnsigned; break;
    case kDataBS: reader = Reader::kBigSigned; break;
    case kDataBSLE: reader = Reader::kLittleSigned; break;
    case kDataHU: reader = Reader::kHex; break;
    case kDataBF:
      reader = Reader::kSingle;
      bytes = std::max<std::size_t>(bytes, 4);
      break;
    case kDataBD:
      reader = Reader::kDouble;
      bytes = std::max<std::size_t>(bytes, 8);
      break;
    default: return;
  }
  const int fit = sensor.GetFitType();
  if (!format.m_nApplyFit) {
    if (format.m_nHexFormat) return;
    output_ = Output::kRaw;
  } else if (sensor.IsCountFit()) {
    output_ = Output::kRaw;
  } else if (fit == kFitPolyU) {
    output_ = Output::kPolyU;
    polynomial_ = sensor.GetCoefficients();
  } else if (fit == kFitOptic2) {
    output_ = Output::kOptic2;
    sensor.GetCoefficient(&dark_, 0, 0);
    sensor.GetCoefficient(&scale_, 0, 1);
    sensor.GetCoefficient(&immersion_, 0, 2);
  } else if (sensor.IsCalibratedFit() && fit != kFitOptic1 && fit != kFitOptic3) {
    // OPTIC1 splits its gain off the raw value, OPTIC3 reads a second
    // sensor: both stay with the sensor's path.
    output_ = Output::kSensorFit;
  } else {
    return;
  }
  sensor_ = &sensor;
  reader_ = reader;
  offset_ = sensor.GetOffset();
  length_ = sensor.GetFieldLength();
  end_ = offset_ + bytes;
}

bool CColumnDecoder::ReadUnsigned(const std::uint8_t* field, std::uint32_t& value) const {
  switch (reader_) {
    case Reader::kBigUnsigned:
    case Reader::kBigSigned:
      // The usual widths without the loop.
      if (length_ == 1) {
        value = field[0];
      } else if (length_ == 2) {
        value = (std::uint32_t{field[0]} << 8) | field[1];
      } else {
        value = DecodeBigEndian(field, length_);
      }
      return true;
    case Reader::kLittleUnsigned:
    case Reader::kLittleSigned:
      value = DecodeLittleEndian(field, length_);
      return true;
    case Reader::kHex:
      return DecodeHexDigits(std::string_view(reinterpret_cast<const char*>(field), length_), value);
    default:
      return false;
  }
}

bool CColumnDecoder::FitValue(double x, double& value) const {
  switch (output_) {
    case Output::kPolyU: {
      // Summed in the sensor's order, so every bit of the value is its.
      double sum = 0.0;
      double power = 1.0;
      for (double a : polynomial_) {
        sum += a * power;
        power *= x;
      }
      value = sum;
      break;
    }
    case Output::kOptic2: {
      // The immersion flag may change while a conversion runs.
      const double immersion = sensor_->GetImmersed() ? immersion_ : 1.0;
      value = ((x - dark_) * immersion) * scale_;
      break;
    }
    default:
      return false;
  }
  return std::isfinite(value);
}

template <typename Raw>
bool CColumnDecoder::AppendFitted(std::string& out, Raw raw, const CSensorFormat& format) const {
  double value = 0.0;
  if (output_ == Output::kSensorFit) {
    if (sensor_->ApplyFit(&value, raw) != 0) return false;
  } else if (!FitValue(static_cast<double>(raw), value)) {
    return false;
  }
  AppendReal(out, value, format);
  return true;
}

bool CColumnDecoder::Append(std::string& out, const std::uint8_t* frame, std::size_t available,
                            const CSensorFormat& format) const {
  if (reader_ == Reader::kNone || end_ > available) return false;
  const std::uint8_t* field = frame + offset_;
  if (reader_ == Reader::kSingle || reader_ == Reader::kDouble) {
    const double raw = reader_ == Reader::kSingle ? DecodeSingle(field) : DecodeDouble(field);
    if (!std::isfinite(raw)) return false;
    if (output_ != Output::kRaw) return AppendFitted(out, raw, format);
    AppendReal(out, raw, format);
    return true;
  }
  std::uint32_t image = 0;
  if (!ReadUnsigned(field, image)) return false;
  if (reader_ == Reader::kBigSigned || reader_ == Reader::kLittleSigned) {
    const std::int32_t raw = SignedFieldValue(image, length_);
    if (output_ != Output::kRaw) return AppendFitted(out, SignExtend(image, length_), format);
    AppendInteger(out, raw, format);
    return true;
  }
  if (output_ != Output::kRaw) return AppendFitted(out, image, format);
  AppendInteger(out, image, format);
  return true;
}
