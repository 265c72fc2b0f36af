// Helpers shared by the instrument tests: a private temporary folder,
// definition files written from text, frames and sensors built by hand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/instrument/FrameData.h"
#include "core/instrument/SensorDefinition.h"
#include "tests/support/TempFolder.h"

namespace instrument_test {

using testsupport::TempFolder;

CFrameData MakeFrame(const std::string& bytes, const std::string& header = "", int fixed_size = -1,
                     const std::string& terminator = "");

SensorDefinition Definition(int data_type, unsigned offset, unsigned length, int fit = 1);

}  // namespace instrument_test
