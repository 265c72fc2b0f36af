#include "app/InstrumentPackage.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <system_error>
#include <vector>

#include "platform/sys/FileException.h"
#include "platform/sys/Format.h"
#include "platform/sys/Notify.h"
#include "zip/ZipArchive.h"

namespace app {
namespace {

namespace fs = std::filesystem;

constexpr const char kProperties[] = "Properties.txt";
constexpr DWORD kBufferSize = 65536;

void TellNotOpened(const std::string& package) {
  sys::Notify(sys::Format("The Instrument Package file: %s \r\ncould not be opened.", package.c_str()));
}

void TellRefused(const std::string& package, const std::string& reason) {
  sys::Notify(sys::Format("The Instrument Package file: %s \r\nis not unpacked: %s.", package.c_str(), reason.c_str()));
}

void TellNotExtracted(const std::string& entry) {
  sys::Notify(sys::Format("The file %s\r\ncould not be extractedfrom the Instrument Package file.", entry.c_str()));
}

// The entries to unpack: all but the properties.
std::vector<WORD> EntriesToUnpack(CZipArchive& archive) {
  const int properties = archive.FindFile(kProperties, CZipArchive::ffNoCaseSens, true);
  std::vector<WORD> entries;
  for (int i = 0; i < archive.GetCount(); ++i)
    if (i != properties) entries.push_back(static_cast<WORD>(i));
  return entries;
}

// The last part of a stored name, folders of either separator left out.
std::string LastName(const std::string& name) {
  const std::size_t slash = name.find_last_of("/\\");
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

std::string WithoutSeparator(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

// Makes `folder` and every missing parent with mode 0700.
bool MakePrivateFolder(const std::string& folder) {
  std::error_code error;
  if (fs::is_directory(folder, error)) return true;
  const fs::path parent = fs::path(folder).parent_path();
  if (!parent.empty() && parent != fs::path(folder) && !MakePrivateFolder(parent.string())) return false;
  return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

void RemoveTree(const std::string& folder) {
  std::error_code error;
  fs::remove_all(folder, error);
}

// Extracts the entries into `staging` by their last names; false when any
// could not be, after telling which.
bool ExtractEntries(CZipArchive& archive, const std::vector<WORD>& entries, const std::string& staging,
                    std::string& first) {
  bool whole = true;
  std::set<std::string> taken;
  for (const WORD index : entries) {
    CZipEntryHeader header;
    if (!archive.GetFileInfo(header, index)) {
      whole = false;
      continue;
    }
    const std::string stored = header.GetFileName();
    if (header.IsDirectory()) continue;  // the names are flattened: folders have no place
    const std::string name = LastName(stored);
    if (name.empty() || name == "." || name == "..") {
      sys::Notify(sys::Format("The file %s\r\nin the Instrument Package file has no usable name.", stored.c_str()));
      continue;
    }
    if (!taken.insert(name).second) {
      sys::Notify(sys::Format("The file %s\r\nis in the Instrument Package file more than once; only the first is used.",
                              name.c_str()));
      continue;
    }
    bool extracted = false;
    try {
      // The staging folder is new and only ours: nothing in it can be a
      // link planted to redirect the write.
      extracted = archive.ExtractFile(index, staging, false, name.c_str(), kBufferSize);
    } catch (const CZipException&) {
    } catch (const sys::CFileException&) {
    }
    if (!extracted) {
      TellNotExtracted(stored);
      whole = false;
      continue;
    }
    if (first.empty()) first = name;
  }
  return whole;
}

// Puts `staging` where `folder` is, the old folder going only after.
bool SwapIn(const std::string& staging, const std::string& folder) {
  const std::string old = folder + ".old";
  RemoveTree(old);
  std::error_code error;
  const bool had_old = fs::exists(folder, error);
  if (had_old) {
    fs::rename(folder, old, error);
    if (error) return false;
  }
  fs::rename(staging, folder, error);
  if (error) {
    if (had_old) fs::rename(old, folder, error);
    return false;
  }
  RemoveTree(old);
  return true;
}

}  // namespace

std::string DefaultPackageFolder() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  std::string root;
  if (cache != nullptr && cache[0] == '/') {
    root = cache;
  } else {
    const char* home = std::getenv("HOME");
    root = std::string(home != nullptr && home[0] == '/' ? home : "/tmp") + "/.cache";
  }
  return WithoutSeparator(root) + "/briven/package/";
}

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
  if (const std::string reason = limits.Check(archive, entries); !reason.empty()) {
    TellRefused(package, reason);
    archive.Close(CZipArchive::afAfterException);
    return {};
  }
  const std::string target = WithoutSeparator(folder);
  const std::string parent = fs::path(target).parent_path().string();
  std::string staging = target + ".new-XXXXXX";
  if (!MakePrivateFolder(parent) || ::mkdtemp(staging.data()) == nullptr) {
    TellRefused(package, "its files have no folder to go to");
    archive.Close(CZipArchive::afAfterException);
    return {};
  }
  std::string first;
  const bool whole = ExtractEntries(archive, entries, staging + "/", first);
  archive.Close(CZipArchive::afAfterException);
  // A package that did not come out whole is damaged: the files of the
  // last good one stay.
  if (!whole || !SwapIn(staging, target)) {
    RemoveTree(staging);
    if (whole) TellRefused(package, "its files could not take the place of the old ones");
    return {};
  }
  return first;
}

}  // namespace app
