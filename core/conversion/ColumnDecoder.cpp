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

// Inline: it runs for every value of a conversion.
inline bool CColumnDecoder::ReadUnsigned(const std::uint8_t* field, std::uint32_t& value) const {
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

// Inline: it runs for every value of a conversion.
inline bool CColumnDecoder::FitValue(double x, double& value) const {
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
bool CColumnDecoder::Fit(Raw raw, double& value) const {
  if (output_ == Output::kSensorFit) return sensor_->ApplyFit(&value, raw) == 0;
  return FitValue(static_cast<double>(raw), value);
}

// Prints into the text the conversion builds, with the shared writers for
// the forms the fast ones do not take.
class CColumnDecoder::StringPrinter {
 public:
  StringPrinter(std::string& out, const CSensorFormat& format) : out_(out), format_(format) {}
  bool Real(double value) {
    AppendReal(out_, value, format_);
    return true;
  }
  template <typename Integer>
  bool Count(Integer value) {
    AppendInteger(out_, value, format_);
    return true;
  }

 private:
  std::string& out_;
  const CSensorFormat& format_;
};

// Prints at a place with room for kLongestText, in a form WritesInPlace
// takes; a real the fixed-point writer declines is left to StringPrinter.
class CColumnDecoder::PlacePrinter {
 public:
  PlacePrinter(char* at, int precision) : at_(at), precision_(precision) {}
  bool Real(double value) {
    const std::size_t length = sys::WriteFixedPoint(at_, kLongestText, value, precision_);
    at_ += length;
    return length != 0;
  }
  template <typename Integer>
  bool Count(Integer value) {
    at_ = std::to_chars(at_, at_ + kLongestText, value).ptr;
    return true;
  }
  char* End() const { return at_; }

 private:
  char* at_;
  int precision_;
};

template <typename Printer>
inline bool CColumnDecoder::Decode(const std::uint8_t* frame, std::size_t available, Printer& print) const {
  if (reader_ == Reader::kNone || end_ > available) return false;
  const std::uint8_t* field = frame + offset_;
  double value = 0.0;
  if (reader_ == Reader::kSingle || reader_ == Reader::kDouble) {
    const double raw = reader_ == Reader::kSingle ? DecodeSingle(field) : DecodeDouble(field);
    if (!std::isfinite(raw)) return false;
    if (output_ == Output::kRaw) return print.Real(raw);
    return Fit(raw, value) && print.Real(value);
  }
  std::uint32_t image = 0;
  if (!ReadUnsigned(field, image)) return false;
  if (reader_ == Reader::kBigSigned || reader_ == Reader::kLittleSigned) {
    if (output_ == Output::kRaw) return print.Count(SignedFieldValue(image, length_));
    return Fit(SignExtend(image, length_), value) && print.Real(value);
  }
  if (output_ == Output::kRaw) return print.Count(image);
  return Fit(image, value) && print.Real(value);
}

bool CColumnDecoder::Append(std::string& out, const std::uint8_t* frame, std::size_t available,
                            const CSensorFormat& format) const {
  StringPrinter print(out, format);
  return Decode(frame, available, print);
}

bool CColumnDecoder::WritesInPlace(const CSensorFormat& format) {
  return format.m_nDoubleType == 0 && format.m_nWidth <= 0 && format.m_nPrecision > 0;
}

char* CColumnDecoder::Write(char* at, const std::uint8_t* frame, std::size_t available,
                            const CSensorFormat& format) const {
  PlacePrinter print(at, format.m_nPrecision);
  return Decode(frame, available, print) ? print.End() : nullptr;
}
