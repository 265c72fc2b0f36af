// How much an archive may put on the disk when it is unpacked: a limit on
// each entry's size, on the sum of the entries, and on how far they expand
// over their compressed bytes. Deflate can expand about a thousandfold, so
// without them a package of one megabyte can fill a gigabyte.
//
// The sizes judged are those the central directory declares. Reading holds
// every entry to its declared size (more data is refused as damage), so a
// check of the declared sizes before anything is written is a check of what
// would be written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zip/ZipTypes.h"

class CZipArchive;
class CZipEntryHeader;

class CZipExtractLimits {
 public:
  // Instrument definitions are text of some kilobytes; these leave room for
  // files a thousand times larger and stop what no instrument needs.
  static constexpr std::uint64_t kMaxEntrySize = std::uint64_t{64} << 20;
  static constexpr std::uint64_t kMaxTotalSize = std::uint64_t{256} << 20;
  // Text deflates some 3 to 10 times, very repetitive text rarely beyond
  // 100; a bomb needs far more to matter.
  static constexpr std::uint64_t kMaxRatio = 100;
  // Below this many bytes the ratio is not judged: a small file of blanks
  // may compress a thousandfold and still fill nothing.
  static constexpr std::uint64_t kRatioGrace = std::uint64_t{1} << 20;

  std::uint64_t max_entry_size = kMaxEntrySize;
  std::uint64_t max_total_size = kMaxTotalSize;
  std::uint64_t max_ratio = kMaxRatio;
  std::uint64_t ratio_grace = kRatioGrace;

  // Empty when the entries may be unpacked, else the reason, naming the
  // entry (or the package, for the sum) that goes beyond a limit.
  std::string Check(const CZipArchive& archive, const std::vector<WORD>& indexes) const;
  std::string CheckEntry(const CZipEntryHeader& header) const;

 private:
  bool Expands(std::uint64_t uncompressed, std::uint64_t compressed) const;
};
