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
  static bool WritesInPlace(const CSensorFormat& format);
  // The same text as Append, written at `at` (room for kLongestText) for a
  // format WritesInPlace takes; its end, or null with nothing written when
  // Append must print the value (or the sensor's path: Append says which).
  char* Write(char* at, const std::uint8_t* frame, std::size_t available, const CSensorFormat& format) const;

 private:
  class StringPrinter;
  class PlacePrinter;

  // Decodes and fits the field's value and hands it to print as a real or
  // a count; false when the sensor's path must print it or print declined.
  template <typename Printer>
  bool Decode(const std::uint8_t* frame, std::size_t available, Printer& print) const;

  enum class Reader { kNone, kBigUnsigned, kLittleUnsigned, kBigSigned, kLittleSigned, kSingle, kDouble, kHex };
  enum class Output { kRaw, kPolyU, kOptic2, kSensorFit };

  bool ReadUnsigned(const std::uint8_t* field, std::uint32_t& value) const;
  bool FitValue(double x, double& value) const;
  template <typename Raw>
  bool Fit(Raw raw, double& value) const;

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
