// The texts that tell a file exception's cause to the user. The output file,
// the log file, the conversion log and the instrument loader share them.
#pragma once

#include <string>

namespace instrument {

// One sentence without a line end, e.g. "The file could not be found.".
const char* FileErrorText(int cause);

// The instrument load report's form: each text ends in "\r\n", and a
// sharing violation still speaks of SHARE.EXE as that report always did.
std::string InstrumentFileErrorText(int cause);

}  // namespace instrument
