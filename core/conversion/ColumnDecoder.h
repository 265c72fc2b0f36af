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

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CSensor;
class CSensorFormat;

class CColumnDecoder {
 public:
  // Leaves every value to the sensor's path.
  CColumnDecoder() = default;
  // format: the conversion's output format (fits applied, hexadecimal).
  CColumnDecoder(CSensor& sensor, const CSensorFormat& format);

  // Appends the value of the field in frame, of which available bytes may
  // be read, in format; false, with nothing appended, when the sensor's
  // path must print it.
  bool Append(std::string& out, const std::uint8_t* frame, std::size_t available,
              const CSensorFormat& format) const;

 private:
  enum class Reader { kNone, kBigUnsigned, kLittleUnsigned, kBigSigned, kLittleSigned, kSingle, kDouble, kHex };
  enum class Output { kRaw, kPolyU, kOptic2, kSensorFit };

  bool ReadUnsigned(const std::uint8_t* field, std::uint32_t& value) const;
  bool FitValue(double x, double& value) const;
  template <typename Raw>
  bool AppendFitted(std::string& out, Raw raw, const CSensorFormat& format) const;

  CSensor* sensor_ = nullptr;
  Reader reader_ = Reader::kNone;
  Output output_ = Output::kRaw;
  std::size_t offset_ = 0;
  std::size_t length_ = 0;
  std::size_t end_ = 0;  // the first byte past the field
  std::vector<double> polynomial_;  // POLYU: the coefficients from the constant up
  double dark_ = 0.0;               // OPTIC2: x - dark, times scale (and immersion)
  double scale_ = 0.0;
  double immersion_ = 1.0;
};
