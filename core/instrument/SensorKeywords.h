// The data-type and fit-type keywords of sensor definition lines. A
// keyword's position in its table is the code stored in the sensor.
#pragma once

#include <string_view>

namespace instrument {

enum DataType : int {
  kDataBU = 0,
  kDataBS = 1,
  kDataBF = 2,
  kDataBD = 3,
  kDataHU = 4,
  kDataHS = 5,
  kDataAI = 6,
  kDataAU = 7,
  kDataAF = 8,
  kDataAS = 9,
  kDataBULE = 10,
  kDataBSLE = 11,
  kDataUnparsed = 12,
};

enum FitType : int {
  kFitNone = 0,
  kFitCount = 1,
  kFitDelimiter = 2,
  kFitTherm1 = 3,
  kFitOptic1 = 4,
  kFitOptic2 = 5,
  kFitOptic3 = 6,
  kFitPolyF = 7,
  kFitPolyU = 8,
  kFitPow10 = 9,
  kFitDdmm = 10,
  kFitHhmmss = 11,
  kFitDdmmyy = 12,
  kFitTime2 = 13,
  kFitUnparsed = 14,
};

// The code of a keyword (any case), or -1.
int FindDataTypeKeyword(std::string_view token);
int FindFitTypeKeyword(std::string_view token);

}  // namespace instrument
