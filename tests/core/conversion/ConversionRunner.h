// Runs one whole conversion through a conversion document with a real
// telemetry control, as the view does, and collects the output file, the
// conversion log (stamps removed) and the final state.
#pragma once

#include <functional>
#include <string>

#include "core/conversion/BrivenDoc.h"
#include "tests/core/conversion/ConversionTestSupport.h"

namespace conversion_test {

std::string FixturePath(const std::string& name);

// A copy of a fixture in folder. Definition files are read under an
// exclusive lock, so tests running side by side each read their own copy.
std::string StageFixture(const TempFolder& folder, const std::string& name);

struct ConversionRun {
  bool prepared = false;
  bool began = false;
  bool completed = false;
  std::string output;
  std::string log;  // stamps removed
  ConversionState state;
};

struct ConversionSetup {
  std::string log_file;         // a fixture name or a full path
  std::string instrument_file;  // a fixture name (staged), a full path, or empty (header mode)
  std::function<void(CBrivenParameters&)> parameters;
  std::function<void(CBrivenDoc&)> document;  // anything else before preparing
  bool abort_after_first_frame = false;
};

// The document is made, used and destroyed inside; output goes to
// folder/out.dat.
ConversionRun RunConversion(const TempFolder& folder, const ConversionSetup& setup);

// Collects the document's pending log text until `marker` arrived.
std::string CollectLog(CBrivenDoc& doc, const std::string& marker);

std::string WithoutStamps(const std::string& log);

}  // namespace conversion_test
