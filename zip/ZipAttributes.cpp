#include "zip/ZipAttributes.h"

#include "zip/ZipException.h"

namespace ZipAttributes {
namespace {

DWORD UnixToCommon(DWORD a) {
  DWORD out = 0;
  if (a & 0x40000000) out |= kDirectory;
  if ((a & 0x00800000) == 0) out |= kReadOnly;
  if ((a & 0x00400000) == 0) out |= kArchive;
  if ((a & 0x01000000) == 0) out |= kHidden;
  return out;
}

DWORD CommonToUnix(DWORD a) {
  DWORD out = 0;
  if ((a & kHidden) == 0) out |= 0x01240000;
  if ((a & kReadOnly) == 0) out |= 0x00900000;
  out |= (a & kDirectory) ? 0x40000010 : 0x80000000;
  return out;
}

DWORD ToCommon(DWORD a, int system) {
  switch (system) {
    case kDos: case kOs2: case kNtfs: return a;
    case kMacintosh: return a & 0x11;
    case kUnix: return UnixToCommon(a);
    default: CZipException::Throw(CZipException::platformNotSupported);
  }
}

DWORD FromCommon(DWORD a, int system) {
  switch (system) {
    case kDos: case kOs2: case kNtfs: return a;
    case kMacintosh: return a & 0x11;
    case kUnix: return CommonToUnix(a);
    default: CZipException::Throw(CZipException::platformNotSupported);
  }
}

}  // namespace

bool IsSupportedSystem(int system) {
  return system == kDos || system == kUnix || system == kOs2 || system == kMacintosh || system == kNtfs;
}

DWORD Convert(DWORD attributes, int fromSystem, int toSystem) {
  if (fromSystem == toSystem || fromSystem > 10 || toSystem > 10) return attributes;
  return FromCommon(ToCommon(attributes, fromSystem), toSystem);
}

}  // namespace ZipAttributes
