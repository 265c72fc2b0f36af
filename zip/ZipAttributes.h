// External attributes of entries, in the conventions of the host systems
// that made them, and their conversion through the common (DOS) form.
#pragma once

#include "zip/ZipTypes.h"

namespace ZipAttributes {

enum System { kDos = 0, kUnix = 3, kOs2 = 6, kMacintosh = 7, kNtfs = 10 };
enum : DWORD {
  kReadOnly = 0x01,
  kHidden = 0x02,
  kDirectory = 0x10,
  kArchive = 0x20,
  kFileDefault = 0x81A40020,       // regular file 0644, archive bit
  kDirectoryDefault = 0x41ED0010,  // directory 0755 (never world-writable), directory bit
};

bool IsSupportedSystem(int system);
// Throws CZipException 115 for a system without converter.
DWORD Convert(DWORD attributes, int fromSystem, int toSystem);

}  // namespace ZipAttributes
