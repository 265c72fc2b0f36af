#include "zip/ZipExtractLimits.h"

#include "platform/sys/Format.h"
#include "zip/ZipArchive.h"
#include "zip/ZipEntryHeader.h"

namespace {

std::string Bytes(std::uint64_t bytes) {
  return sys::Format("%llu bytes", static_cast<unsigned long long>(bytes));
}

}  // namespace

bool CZipExtractLimits::Expands(std::uint64_t uncompressed, std::uint64_t compressed) const {
  if (uncompressed <= ratio_grace) return false;
  // An entry with no compressed bytes but a size is an expansion beyond any ratio.
  return compressed == 0 || uncompressed > max_ratio * compressed;
}

std::string CZipExtractLimits::CheckEntry(const CZipEntryHeader& header) const {
  const std::uint64_t size = header.m_uUncomprSize;
  const std::uint64_t compressed = header.m_uComprSize;
  if (size > max_entry_size)
    return sys::Format("the entry %s would take %s, more than the %s an entry may take", header.GetFileName().c_str(),
                       Bytes(size).c_str(), Bytes(max_entry_size).c_str());
  if (Expands(size, compressed))
    return sys::Format("the entry %s would expand %llu times, more than the %llu times an entry may expand",
                       header.GetFileName().c_str(),
                       static_cast<unsigned long long>(compressed == 0 ? size : size / compressed),
                       static_cast<unsigned long long>(max_ratio));
  return {};
}

std::string CZipExtractLimits::Check(const CZipArchive& archive, const std::vector<WORD>& indexes) const {
  std::uint64_t total = 0;
  std::uint64_t total_compressed = 0;
  for (const WORD index : indexes) {
    CZipEntryHeader header;
    if (!archive.GetFileInfo(header, index)) continue;
    const std::string reason = CheckEntry(header);
    if (!reason.empty()) return reason;
    total += header.m_uUncomprSize;
    total_compressed += header.m_uComprSize;
  }
  if (total > max_total_size)
    return sys::Format("its entries would take %s, more than the %s a package may take", Bytes(total).c_str(),
                       Bytes(max_total_size).c_str());
  if (Expands(total, total_compressed))
    return sys::Format("its entries would expand %llu times, more than the %llu times a package may expand",
                       static_cast<unsigned long long>(total / (total_compressed == 0 ? 1 : total_compressed)),
                       static_cast<unsigned long long>(max_ratio));
  return {};
}
