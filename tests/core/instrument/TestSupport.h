// Helpers shared by the instrument tests: a private temporary folder,
// definition files written from text, frames and sensors built by hand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/instrument/FrameData.h"
#include "core/instrument/SensorDefinition.h"

namespace instrument_test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::string Path(const std::string& name) const;
  // Writes the bytes to a file in the folder and returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

CFrameData MakeFrame(const std::string& bytes, const std::string& header = "", int fixed_size = -1,
                     const std::string& terminator = "");

SensorDefinition Definition(int data_type, unsigned offset, unsigned length, int fit = 1);

}  // namespace instrument_test
