// Unpacking an instrument package (.hip): every entry but "Properties.txt"
// goes into the target folder, without its stored folders, after the
// folder's plain files are cleared. A package beyond the unpacking limits
// (CZipExtractLimits) is refused before anything is touched, so the folder
// keeps what it held. Extraction holds every entry to its declared size (an
// entry with more data is damage, and leaves no file), so nothing larger
// than was judged reaches the disk.
#pragma once

#include <string>

#include "zip/ZipExtractLimits.h"

namespace app {

// The name of the first entry unpacked, or empty; every failure is told
// through sys::Notify. folder ends with a separator.
std::string ExtractInstrumentPackage(const std::string& package, const std::string& folder,
                                     const CZipExtractLimits& limits = {});

}  // namespace app
