// Unpacking an instrument package (.hip) into the package folder the
// instrument list shows. The folder is private to the user (under
// $XDG_CACHE_HOME, mode 0700). A package is unpacked into a fresh staging
// folder beside it and swapped in only when every entry came out whole, so
// a damaged package, or one that cannot be opened, leaves the files of the
// last good one in place. Entries are flattened to their last name: folder
// entries are skipped, the names "", "." and ".." refused, and a second
// entry of the same name reported and left out instead of overwriting the
// first. A package beyond the unpacking limits (CZipExtractLimits) is
// refused before anything is written.
#pragma once

#include <string>

#include "zip/ZipExtractLimits.h"

namespace app {

// $XDG_CACHE_HOME/briven/package/ (~/.cache when the variable is unset or
// not absolute); nothing is created here.
std::string DefaultPackageFolder();

// The file name of the first entry unpacked, or empty when the package was
// not unpacked; every failure is told through sys::Notify. `folder` ends
// with a separator; it and its parent are made (mode 0700) when missing.
std::string ExtractInstrumentPackage(const std::string& package, const std::string& folder,
                                     const CZipExtractLimits& limits = {});

}  // namespace app
