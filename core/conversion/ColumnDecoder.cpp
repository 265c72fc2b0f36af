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
    polynomial_ = sensor.GetCoefficients();
    output_ = polynomial_.size() == 2 ? Output::kLinear : Output::kPolyU;
    if (output_ == Output::kLinear) {
      linear_start_ = 0.0 + polynomial_[0] * 1.0;
      linear_slope_ = polynomial_[1];
    }
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
  row_writer_ = ChooseRowWriter(reader_, output_, length_);
  text_ = Choose<StringPrinter>(reader_, output_);
}

CRowStep::Writer CColumnDecoder::ChooseRowWriter(Reader reader, Output output, std::size_t length) {
  switch (reader) {
    case Reader::kBigUnsigned: return ChooseRowOutput<Reader::kBigUnsigned>(output, length);
    case Reader::kLittleUnsigned: return ChooseRowOutput<Reader::kLittleUnsigned>(output, length);
    case Reader::kBigSigned: return ChooseRowOutput<Reader::kBigSigned>(output, length);
    case Reader::kLittleSigned: return ChooseRowOutput<Reader::kLittleSigned>(output, length);
    case Reader::kSingle: return ChooseRowOutput<Reader::kSingle>(output, length);
    case Reader::kDouble: return ChooseRowOutput<Reader::kDouble>(output, length);
    case Reader::kHex: return ChooseRowOutput<Reader::kHex>(output, length);
    case Reader::kNone: break;
  }
  return nullptr;
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

bool CColumnDecoder::Append(std::string& out, const std::uint8_t* frame, std::size_t available,
                            const CSensorFormat& format) const {
  if (text_ == nullptr || end_ > available) return false;
  StringPrinter print(out, format);
  return text_(*this, frame + offset_, print);
}

