#include "app/InstrumentPackage.h"

#include <vector>

#include "fsutil/QVTFileSystem.h"
#include "platform/sys/FileException.h"
#include "platform/sys/Format.h"
#include "platform/sys/Notify.h"
#include "zip/ZipArchive.h"

namespace app {
namespace {

constexpr const char kProperties[] = "Properties.txt";
constexpr DWORD kBufferSize = 65536;

void TellNotOpened(const std::string& package) {
  sys::Notify(sys::Format("The Instrument Package file: %s \r\ncould not be opened.", package.c_str()));
}

void TellRefused(const std::string& package, const std::string& reason) {
  sys::Notify(sys::Format("The Instrument Package file: %s \r\nis not unpacked: %s.", package.c_str(), reason.c_str()));
}

// The entries to unpack: all but the properties.
std::vector<WORD> EntriesToUnpack(CZipArchive& archive) {
  const int properties = archive.FindFile(kProperties, CZipArchive::ffNoCaseSens, true);
  std::vector<WORD> entries;
  for (int i = 0; i < archive.GetCount(); ++i)
    if (i != properties) entries.push_back(static_cast<WORD>(i));
  return entries;
}

}  // namespace

std::string ExtractInstrumentPackage(const std::string& package, const std::string& folder,
                                     const CZipExtractLimits& limits) {
  CZipArchive archive;
  std::vector<WORD> entries;
  try {
    archive.Open(package, CZipArchive::zipOpenReadOnly);
    archive.m_pZipCompare = GetNameCompareFunction(false, true);
    entries = EntriesToUnpack(archive);
  } catch (const CZipException&) {
    TellNotOpened(package);
    archive.Close(CZipArchive::afAfterException);
    return {};
  } catch (const sys::CFileException&) {
    TellNotOpened(package);
    archive.Close(CZipArchive::afAfterException);
    return {};
  }
  // Judged before the folder is cleared: a refused package leaves the
  // folder as it was.
  if (const std::string reason = limits.Check(archive, entries); !reason.empty()) {
    TellRefused(package, reason);
    archive.Close(CZipArchive::afAfterException);
    return {};
  }
  QVTFileSystem::DeleteFiles(QVTFileSystem::AppendPaths(folder, "*.*"), sys::kAttrNormal);
  std::string first;
  for (const WORD index : entries) {
    CZipEntryHeader header;
    if (!archive.GetFileInfo(header, index)) continue;
    bool extracted = false;
    try {
      extracted = archive.ExtractFile(index, folder, false, nullptr, kBufferSize);
    } catch (const CZipException&) {
    } catch (const sys::CFileException&) {
    }
    if (!extracted) {
      sys::Notify(sys::Format("The file %s\r\ncould not be extractedfrom the Instrument Package file.",
                              header.GetFileName().c_str()));
      continue;
    }
    if (first.empty()) first = header.GetFileName();
  }
  archive.Close(CZipArchive::afAfterException);
  return first;
}

}  // namespace app
