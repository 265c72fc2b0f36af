// How one output column's value is read from its fixed-length field and
// printed, settled once per conversion from the sensor's definition and the
// output format: each frame's value is then decoded at a known offset and
// fitted with coefficients already at hand, without asking the sensor for
// its kind, looking its coefficients up or storing its last value.
//
// What it does not cover it leaves to the sensor's own path, which prints
// the text it always has: variable-length and ASCII fields, texts, time
// fits, hexadecimal output, OPTIC1 and OPTIC3, a field that reaches past
// the frame, and every value that turns out to be an error.
#pragma once

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/conversion/RowStep.h"
#include "core/conversion/SensorFormat.h"
#include "core/instrument/FieldDecoding.h"
#include "core/instrument/PolynomialFit.h"
#include "core/instrument/Sensor.h"
#include "platform/sys/FastNumberFixedPoint.h"
#include "platform/sys/FastNumberUnsigned.h"

class CColumnDecoder {
 public:
  // Leaves every value to the sensor's path.
  CColumnDecoder() = default;
  // format: the conversion's output format (fits applied, hexadecimal).
  CColumnDecoder(CSensor& sensor, const CSensorFormat& format);

  // The most characters Write puts down.
  static constexpr std::size_t kLongestText = 48;

  // Appends the value of the field in frame, of which available bytes may
  // be read, in format; false, with nothing appended, when the sensor's
  // path must print it.
  bool Append(std::string& out, const std::uint8_t* frame, std::size_t available,
              const CSensorFormat& format) const;
  // Whether Write can print values in this format: reals in fixed digits
  // without a width, counts without a width. Rows have that form unless the
  // user asks for another.
  static bool WritesInPlace(const CSensorFormat& format) {
    return format.m_nDoubleType == 0 && format.m_nWidth <= 0 && format.m_nPrecision > 0;
  }
  // The row step that writes the same text as Append, and the delimiter,
  // in a format WritesInPlace takes (room for kLongestText and the
  // delimiter); it gives null with nothing written when Append must print
  // the value (or the sensor's path: Append says which). Null when the
  // sensor's path prints every value.
  CRowStep::Writer GetRowWriter() const { return row_writer_; }

 private:
  class StringPrinter;
  class PlacePrinter;

  enum class Reader { kNone, kBigUnsigned, kLittleUnsigned, kBigSigned, kLittleSigned, kSingle, kDouble, kHex };
  // kLinear: a POLYU of two coefficients, the usual calibration.
  enum class Output { kRaw, kPolyU, kLinear, kOptic2, kSensorFit };

  // Each column's decoding is chosen once, when the decoder is made: a
  // function for its one reader, output and (for the big-endian fields of
  // one or two bytes most instruments have) width, with no test of any of
  // them left for the frames. It decodes and fits the field's value and
  // hands it to print as a real or a count; false when the sensor's path
  // must print it or print declined. Width 0 reads the field's own length.
  template <typename Printer>
  using DecodeFunction = bool (*)(const CColumnDecoder&, const std::uint8_t* field, Printer& print);
  template <Reader R, Output O, std::size_t Width, typename Printer>
  static bool DecodeAs(const CColumnDecoder& decoder, const std::uint8_t* field, Printer& print);
  template <typename Printer>
  static DecodeFunction<Printer> Choose(Reader reader, Output output);
  template <Reader R, typename Printer>
  static DecodeFunction<Printer> ChooseOutput(Output output);
  // The row steps, over the same decoding.
  template <Reader R, Output O, std::size_t Width>
  static char* WriteInRow(const CRowStep& step, const CRowStep::Fields& row, char* at);
  static CRowStep::Writer ChooseRowWriter(Reader reader, Output output, std::size_t length);
  template <Reader R>
  static CRowStep::Writer ChooseRowOutput(Output output, std::size_t length);
  template <Reader R, Output O>
  static CRowStep::Writer ChooseRowWidth(std::size_t length);

  // Binary signed fields of one or two bytes print as 8- or 16-bit numbers,
  // as the sensor's path prints them.
  static std::int32_t SignedFieldValue(std::uint32_t image, std::size_t length);
  // The two's complement value of a signed field's bytes, for a width
  // settled at the plan without a test of the length.
  template <std::size_t Width>
  static std::int32_t SignedImage(std::uint32_t image, std::size_t length) {
    if constexpr (Width == 1) return static_cast<std::int8_t>(image);
    else if constexpr (Width == 2) return static_cast<std::int16_t>(image);
    else return instrument::SignExtend(image, length);
  }
  template <Reader R, std::size_t Width>
  bool ReadUnsigned(const std::uint8_t* field, std::uint32_t& value) const;
  template <Output O, typename Raw>
  bool Fit(Raw raw, double& value) const;

  CSensor* sensor_ = nullptr;
  Reader reader_ = Reader::kNone;
  Output output_ = Output::kRaw;
  CRowStep::Writer row_writer_ = nullptr;
  DecodeFunction<StringPrinter> text_ = nullptr;
  std::size_t offset_ = 0;
  std::size_t length_ = 0;
  std::size_t end_ = 0;  // the first byte past the field
  std::vector<double> polynomial_;  // POLYU: the coefficients from the constant up
  // The linear POLYU's first term (0 + a0 x 1, as the sum starts) and slope.
  double linear_start_ = 0.0;
  double linear_slope_ = 0.0;
  double dark_ = 0.0;               // OPTIC2: x - dark, times scale (and immersion)
  double scale_ = 0.0;
  double immersion_ = 1.0;
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
    if constexpr (std::is_signed_v<Integer>) {
      if (value < 0) {
        *at_++ = '-';
        at_ = sys::WriteUnsigned(at_, 0u - static_cast<std::uint32_t>(value));
        return true;
      }
    }
    at_ = sys::WriteUnsigned(at_, static_cast<std::uint32_t>(value));
    return true;
  }
  char* End() const { return at_; }

 private:
  char* at_;
  int precision_;
};

// The decoding is defined here, with the row steps it is inlined into: it
// runs for every value of a conversion.

inline std::int32_t CColumnDecoder::SignedFieldValue(std::uint32_t image, std::size_t length) {
  const std::int32_t value = instrument::SignExtend(image, length);
  if (length == 1) return static_cast<std::int8_t>(value);
  if (length == 2) return static_cast<std::int16_t>(value);
  return value;
}

template <CColumnDecoder::Reader R, std::size_t Width>
inline bool CColumnDecoder::ReadUnsigned(const std::uint8_t* field, std::uint32_t& value) const {
  if constexpr (Width == 1 && R != Reader::kHex) {
    value = field[0];
    return true;
  } else if constexpr (Width == 2 && R != Reader::kHex) {
    value = (std::uint32_t{field[0]} << 8) | field[1];
    return true;
  } else if constexpr (R == Reader::kBigUnsigned || R == Reader::kBigSigned) {
    // The usual widths without the loop.
    if (length_ == 1) {
      value = field[0];
    } else if (length_ == 2) {
      value = (std::uint32_t{field[0]} << 8) | field[1];
    } else {
      value = instrument::DecodeBigEndian(field, length_);
    }
    return true;
  } else if constexpr (R == Reader::kLittleUnsigned || R == Reader::kLittleSigned) {
    value = instrument::DecodeLittleEndian(field, length_);
    return true;
  } else {
    static_assert(R == Reader::kHex);
    // A status field of one or two digits has its width settled: a byte
    // that is no digit leaves the value to the sensor's path, which reports it.
    const std::size_t length = Width == 0 ? length_ : Width;
    return instrument::DecodeHexDigits(std::string_view(reinterpret_cast<const char*>(field), length), value);
  }
}

template <CColumnDecoder::Output O, typename Raw>
inline bool CColumnDecoder::Fit(Raw raw, double& value) const {
  if constexpr (O == Output::kSensorFit) {
    return sensor_->ApplyFit(&value, raw) == 0;
  } else if constexpr (O == Output::kPolyU) {
    // Summed as the sensor sums it, so every bit of the value is its.
    value = instrument::AscendingPolynomial(polynomial_, static_cast<double>(raw));
  } else if constexpr (O == Output::kLinear) {
    // The same two steps of that sum: the first term, then x (1 x x) times
    // the slope added to it.
    value = linear_start_ + linear_slope_ * static_cast<double>(raw);
  } else {
    static_assert(O == Output::kOptic2);
    // The immersion flag may change while a conversion runs.
    const double immersion = sensor_->GetImmersed() ? immersion_ : 1.0;
    value = ((static_cast<double>(raw) - dark_) * immersion) * scale_;
  }
  return std::isfinite(value);
}

template <CColumnDecoder::Reader R, CColumnDecoder::Output O, std::size_t Width, typename Printer>
inline bool CColumnDecoder::DecodeAs(const CColumnDecoder& decoder, const std::uint8_t* field, Printer& print) {
  double value = 0.0;
  if constexpr (R == Reader::kSingle || R == Reader::kDouble) {
    const double raw = R == Reader::kSingle ? instrument::DecodeSingle(field) : instrument::DecodeDouble(field);
    if (!std::isfinite(raw)) return false;
    if constexpr (O == Output::kRaw) return print.Real(raw);
    else return decoder.Fit<O>(raw, value) && print.Real(value);
  } else {
    std::uint32_t image = 0;
    if (!decoder.ReadUnsigned<R, Width>(field, image)) return false;
    if constexpr (R == Reader::kBigSigned || R == Reader::kLittleSigned) {
      if constexpr (O == Output::kRaw && Width == 0) return print.Count(SignedFieldValue(image, decoder.length_));
      else if constexpr (O == Output::kRaw) return print.Count(SignedImage<Width>(image, decoder.length_));
      else return decoder.Fit<O>(SignedImage<Width>(image, decoder.length_), value) && print.Real(value);
    } else {
      if constexpr (O == Output::kRaw) return print.Count(image);
      else return decoder.Fit<O>(image, value) && print.Real(value);
    }
  }
}

template <CColumnDecoder::Reader R, typename Printer>
CColumnDecoder::DecodeFunction<Printer> CColumnDecoder::ChooseOutput(Output output) {
  switch (output) {
    case Output::kRaw: return &DecodeAs<R, Output::kRaw, 0, Printer>;
    case Output::kPolyU: return &DecodeAs<R, Output::kPolyU, 0, Printer>;
    case Output::kLinear: return &DecodeAs<R, Output::kLinear, 0, Printer>;
    case Output::kOptic2: return &DecodeAs<R, Output::kOptic2, 0, Printer>;
    case Output::kSensorFit: return &DecodeAs<R, Output::kSensorFit, 0, Printer>;
  }
  return nullptr;
}

template <typename Printer>
CColumnDecoder::DecodeFunction<Printer> CColumnDecoder::Choose(Reader reader, Output output) {
  switch (reader) {
    case Reader::kBigUnsigned: return ChooseOutput<Reader::kBigUnsigned, Printer>(output);
    case Reader::kLittleUnsigned: return ChooseOutput<Reader::kLittleUnsigned, Printer>(output);
    case Reader::kBigSigned: return ChooseOutput<Reader::kBigSigned, Printer>(output);
    case Reader::kLittleSigned: return ChooseOutput<Reader::kLittleSigned, Printer>(output);
    case Reader::kSingle: return ChooseOutput<Reader::kSingle, Printer>(output);
    case Reader::kDouble: return ChooseOutput<Reader::kDouble, Printer>(output);
    case Reader::kHex: return ChooseOutput<Reader::kHex, Printer>(output);
    case Reader::kNone: break;
  }
  return nullptr;
}

template <CColumnDecoder::Reader R, CColumnDecoder::Output O, std::size_t Width>
char* CColumnDecoder::WriteInRow(const CRowStep& step, const CRowStep::Fields& row, char* at) {
  const CColumnDecoder& decoder = *step.decoder;
  if (decoder.end_ > row.available) return nullptr;
  PlacePrinter print(at, row.precision);
  if (!DecodeAs<R, O, Width>(decoder, row.bytes + decoder.offset_, print)) return nullptr;
  return CRowStep::PutDelimiter(print.End(), row);
}

template <CColumnDecoder::Reader R, CColumnDecoder::Output O>
CRowStep::Writer CColumnDecoder::ChooseRowWidth(std::size_t length) {
  if constexpr (R == Reader::kBigUnsigned || R == Reader::kBigSigned || R == Reader::kHex) {
    if (length == 1) return &WriteInRow<R, O, 1>;
    if (length == 2) return &WriteInRow<R, O, 2>;
  }
  return &WriteInRow<R, O, 0>;
}

template <CColumnDecoder::Reader R>
CRowStep::Writer CColumnDecoder::ChooseRowOutput(Output output, std::size_t length) {
  switch (output) {
    case Output::kRaw: return ChooseRowWidth<R, Output::kRaw>(length);
    case Output::kPolyU: return ChooseRowWidth<R, Output::kPolyU>(length);
    case Output::kLinear: return ChooseRowWidth<R, Output::kLinear>(length);
    case Output::kOptic2: return ChooseRowWidth<R, Output::kOptic2>(length);
    case Output::kSensorFit: return ChooseRowWidth<R, Output::kSensorFit>(length);
  }
  return nullptr;
}
