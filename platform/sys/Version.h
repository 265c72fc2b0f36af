// The program's identity, compiled in (the version block of the executable),
// and the folder the program runs from.
#pragma once

#include <string>

namespace sys {

struct VersionBlock {
  const char* company_name;
  const char* product_name;
  const char* file_description;
  const char* product_version;
  const char* legal_copyright;
};

const VersionBlock& GetVersionBlock();

// The folder of the running executable, without a trailing separator;
// empty when it cannot be found.
std::string GetProgramFolder();

// A data file shipped with the program: beside it, else in ../share/briven/
// (from bin/) or ../../share/briven/ (from libexec/briven/). Empty when
// none exists.
std::string FindDataFile(const std::string& name);

}  // namespace sys
