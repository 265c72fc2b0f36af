// Everything a definition line says about one sensor, as the loader
// collects and corrects it before the sensor is created.
#pragma once

#include <string>

#include "core/instrument/SensorKeywords.h"

class CSensor;

struct SensorDefinition {
  std::string file_path;  // the definition file
  std::string header;     // the instrument's frame header
  std::string type;
  std::string id;
  std::string units;
  unsigned field_length = 0;  // bytes; 0 for a variable-length field
  unsigned gain_ranges = 0;   // coefficient lines that follow
  int data_type = instrument::kDataUnparsed;
  int fit_type = instrument::kFitUnparsed;
  unsigned offset = 0;  // from the start of the frame, header included
  int line_number = 0;
  bool variable = false;
  // OPTIC3: the sensor whose fitted value is the integration time (not owned).
  CSensor* integration_time_sensor = nullptr;
};
