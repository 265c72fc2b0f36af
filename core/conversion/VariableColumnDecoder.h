// How one output column's value is read from its variable-length (ASCII)
// field and printed, settled once per conversion from the sensor's
// definition and the output format: each frame's field is then found in
// the row's shared field index, read from the frame's text where it lies
// (no copy), fitted and printed in place.
//
// Its parse rules and fits are the sensor's own functions, so each value
// is the double the sensor's path computes. What it does not cover it
// leaves to that path, which prints the text it always has: hexadecimal
// output, time fits, OPTIC1 and OPTIC3, suppressed texts, fields with "^"
// escapes, texts longer than a number or holding a line end, and every
// value that turns out to be an error (an empty or missing field among
// them).
//
// It takes no lock: it reads the sensor's definition and coefficients,
// which are fixed once the instrument is loaded, the Immersed flag, which
// is atomic, and the frame, which the conversion thread owns while the row
// is written. It keeps no last value: nothing of a file conversion reads
// the last values of output columns.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "core/conversion/SensorFormat.h"
#include "core/conversion/VariableFieldRow.h"
#include "core/instrument/Sensor.h"

class CVariableColumnDecoder {
 public:
  // Leaves every value to the sensor's path.
  CVariableColumnDecoder() = default;
  // format: the conversion's output format; suppress_strings: texts print
  // as empty columns.
  CVariableColumnDecoder(CSensor& sensor, const CSensorFormat& format, bool suppress_strings);

  bool Covers() const { return kind_ != Kind::kNone; }
  // Writes the value at `at` (room for CColumnDecoder::kLongestText) in a
  // format CColumnDecoder::WritesInPlace takes, reals with `precision`
  // digits; its end, or null with nothing written when the sensor's path
  // must print it.
  char* Write(char* at, CVariableFieldRow& row, int precision) const;

 private:
  enum class Kind { kNone, kUnsigned, kSigned, kReal, kText };

  // Parses the field as the sensor's reader of Raw does, fits it when the
  // column is fitted, and prints it.
  template <typename Raw>
  char* WriteNumber(char* at, std::string_view text, int precision) const;
  char* WriteText(char* at, std::string_view text) const;

  enum class Fit { kRaw, kPolyU, kSensorFit };

  CSensor* sensor_ = nullptr;
  Kind kind_ = Kind::kNone;
  Fit fit_ = Fit::kRaw;
  std::vector<double> polynomial_;  // POLYU: the coefficients from the constant up
};
