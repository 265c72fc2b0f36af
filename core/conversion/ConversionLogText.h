// The texts a conversion leaves in its log: the start block with the file
// names and options, and the summary with the counts.
#pragma once

#include <string>

#include "core/conversion/BrivenParameters.h"
#include "core/conversion/ConversionState.h"

namespace conversion {

struct ConversionFiles {
  std::string log_path;
  std::string output_path;
  std::string instrument_path;
};

std::string StartBlockText(const ConversionFiles& files, const CBrivenParameters& params, bool header_mode);

struct SummaryInput {
  bool aborted = false;  // the user cancelled
  bool failed = false;   // stopped by an error, or the input did not end
  bool not_found = false;
  std::string instrument_header;
  ConversionCounters counters;
  bool frame_counter_checked = false;
  bool check_sum_checked = false;
};

std::string SummaryText(const SummaryInput& input);

}  // namespace conversion
