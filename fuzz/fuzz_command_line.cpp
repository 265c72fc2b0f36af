// The option-switch parser on hostile arguments: the input is split at NUL
// bytes into arguments, parsed one after the other into one parameter set,
// as a command line of many switches would be. Whatever is accepted or
// refused, the parameters must stay values a conversion can use.
#include <cstdint>
#include <string>

#include "core/conversion/BrivenParameters.h"
#include "fuzz/support/FuzzScratch.h"

namespace {

// The switches' own bounds: no width, precision, limit or depth beyond this.
constexpr int kLargestSwitchNumber = 32766;

void CheckUsable(const CBrivenParameters& p, const std::string& argument) {
  if (p.m_nProcessDepth < 1 || p.m_nProcessDepth > kLargestSwitchNumber) fuzz::Fail("frame depth out of range", argument);
  if (p.m_nProcessLimit > kLargestSwitchNumber) fuzz::Fail("frame limit out of range", argument);
  if (p.m_format.m_nWidth > kLargestSwitchNumber) fuzz::Fail("width out of range", argument);
  if (p.m_format.m_nPrecision > kLargestSwitchNumber) fuzz::Fail("precision out of range", argument);
  if (p.m_nConversionLogSet && p.m_strConversionLogPath.empty()) fuzz::Fail("a conversion log without a path", argument);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  CBrivenParameters parameters;
  int accepted = 0;
  for (std::size_t start = 0; start <= input.size();) {
    std::size_t end = input.find('\0', start);
    if (end == std::string::npos) end = input.size();
    const std::string argument = input.substr(start, end - start);
    if (parameters.ParseCommandLine(argument)) ++accepted;
    CheckUsable(parameters, argument);
    start = end + 1;
  }
  if (parameters.GetParsedCount() != accepted) fuzz::Fail("parsed count differs from the accepted switches");
  return 0;
}
