// The number format of output values: which printf conversion a value
// uses, whether fits are applied or raw counts written (in hexadecimal when
// asked), and the column width and precision.
#pragma once

class CSensorFormat {
 public:
  // 0 fixed ("f"), 1 exponent ("e"), any other value general ("g").
  int m_nDoubleType = 0;
  // 1: calibration fits are applied; 0: raw values are written.
  int m_nApplyFit = 0;
  // 1: unfitted integer values are written in hexadecimal.
  int m_nHexFormat = 0;
  // Field width in characters; 0 or less means no fixed width.
  int m_nWidth = -1;
  // Digits after the point (significant digits for "g"); -1 leaves the
  // choice to the writer, which uses 10 for rows.
  int m_nPrecision = -1;
};
