#include "app/CommandLine.h"

#include "core/conversion/BrivenDoc.h"
#include "platform/sys/Format.h"

namespace app {
namespace {

std::string InvalidParametersText(int parsed) {
  return sys::Format("Invalid command line parameters.\r\nParameters parsed: %d", parsed);
}

}  // namespace

StartKind ClassifyStart(int argc) {
  if (argc >= 3) return StartKind::kConvert;
  if (argc == 2) return StartKind::kOpenFile;
  return StartKind::kInteractive;
}

bool TakeConversionArguments(const std::vector<std::string>& arguments, CBrivenDoc& doc, std::string& message,
                             std::string& refusal) {
  std::size_t next = 0;
  while (next < arguments.size() && doc.AddCommandLineFile(arguments[next])) ++next;
  // Only real arguments reach the switch parser: an empty text past the
  // last one is no switch, so "a.raw b.dat" alone converts.
  CBrivenParameters& parameters = doc.GetParameters();
  for (; next < arguments.size(); ++next) {
    if (!parameters.ParseCommandLine(arguments[next])) {
      message = InvalidParametersText(parameters.GetParsedCount() + doc.GetFileCount());
      refusal = "Refused " + parameters.GetRefusalReason() + ".";
      return false;
    }
  }
  if (doc.GetFileCount() < 2) {
    message = "There must be at least two file name parameters to use command line processing.";
    return false;
  }
  return true;
}

bool TakeOpenFileArgument(const std::string& argument, CBrivenDoc& doc, std::string& message) {
  if (doc.AddCommandLineFile(argument)) return true;
  message = InvalidParametersText(doc.GetFileCount());
  return false;
}

}  // namespace app
