// A hostile zip archive opened from memory or from a file, listed, tested and extracted
// entry by entry, to disk with full paths and into memory. Archive and file
// errors are the expected answers to damaged input; anything else escaping
// is a finding.
//
// Testing, extracting into memory and extracting to disk must agree.
//
// Extraction goes into <scratch>/sandbox/a/b/out. After each input nothing
// may exist in the sandbox outside out/ (a "../" escape up to three levels),
// no symbolic link may exist anywhere in it, and no path an entry names
// outside out/ (absolute, or climbing further) may have appeared.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/support/FuzzScratch.h"
#include "platform/sys/FileException.h"
#include "zip/ZipArchive.h"
#include "zip/ZipException.h"
#include "zip/ZipMemoryFile.h"

namespace fs = std::filesystem;

namespace {

struct Sandbox {
  fs::path top = fs::path(fuzz::Scratch::Get().PathOf("sandbox"));
  fs::path out = top / "a" / "b" / "out";

  void Reset() const {
    std::error_code ignored;
    fs::remove_all(top, ignored);
    fs::create_directories(out);
  }

  bool Inside(const fs::path& path) const {
    const fs::path relative = path.lexically_normal().lexically_relative(out);
    return !relative.empty() && *relative.begin() != "..";
  }

  void CheckNothingOutside() const {
    const fs::path a = top / "a";
    const fs::path b = a / "b";
    for (auto it = fs::recursive_directory_iterator(top); it != fs::recursive_directory_iterator(); ++it) {
      const fs::path& path = it->path();
      if (it->is_symlink()) fuzz::Fail("extraction made a symbolic link", path.string());
      if (path == a || path == b || path == out) continue;
      if (!Inside(path)) fuzz::Fail("extraction wrote outside its folder", path.string());
    }
  }
};

// The places outside out/ that an entry's name points at, taken as an
// unguarded extractor would: the name as an absolute path, or joined to out.
std::vector<fs::path> EscapeTargets(const Sandbox& sandbox, const std::string& name) {
  std::vector<fs::path> targets;
  std::string slashed = name;
  for (char& c : slashed)
    if (c == '\\') c = '/';
  if (slashed.find('\0') != std::string::npos || slashed.empty()) return targets;
  const fs::path joined = slashed[0] == '/' ? fs::path(slashed) : sandbox.out / slashed;
  const fs::path normal = joined.lexically_normal();
  if (!sandbox.Inside(normal)) targets.push_back(normal);
  return targets;
}

// Runs one archive operation; archive and file errors count as "no".
template <typename Operation>
bool Succeeds(Operation operation) {
  try {
    return operation();
  } catch (const CZipException&) {
  } catch (const sys::CFileException&) {
  }
  return false;
}

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Where extraction put an entry, as the archive answers it: exactly the
// written path, or empty for a name that extraction refuses.
fs::path WrittenPath(const CZipArchive& zip, const CZipEntryHeader& header, const Sandbox& sandbox) {
  return fs::path(zip.BuildExtractPath(header.GetFileName(), sandbox.out.string(), true, nullptr));
}

// Testing, extracting into memory and extracting to disk read the same
// bytes through the same checks, so they must agree: an entry that tests
// good extracts into memory, and what reaches disk is what memory got.
void ExamineEntry(CZipArchive& zip, WORD index, const Sandbox& sandbox) {
  CZipEntryHeader header;
  if (!zip.GetFileInfo(header, index)) fuzz::Fail("a listed entry has no header", std::to_string(index));
  std::vector<fs::path> escapes = EscapeTargets(sandbox, header.GetFileName());
  std::vector<bool> existed;
  for (const fs::path& p : escapes) existed.push_back(fs::exists(fs::symlink_status(p)));

  const bool tested = Succeeds([&] { return zip.TestFile(index); });
  CZipMemoryFile memory;
  const bool in_memory = Succeeds([&] { return zip.ExtractFile(index, memory); });
  const bool on_disk = Succeeds([&] { return zip.ExtractFile(index, sandbox.out.string(), true); });
  for (std::size_t i = 0; i < escapes.size(); ++i)
    if (!existed[i] && fs::exists(fs::symlink_status(escapes[i])))
      fuzz::Fail("an entry was written where its name points outside", escapes[i].string());
  const fs::path path = WrittenPath(zip, header, sandbox);
  if (on_disk && path.empty()) fuzz::Fail("extracts to disk but has no extraction path", header.GetFileName());
  if (!path.empty() && !sandbox.Inside(path))
    fuzz::Fail("the extraction path lies outside the folder", path.string());
  if (header.IsDirectory()) return;
  if (tested != in_memory) fuzz::Fail(tested ? "tests good but does not extract" : "extracts but does not test good",
                                      header.GetFileName());
  if (!on_disk) return;
  if (!in_memory) fuzz::Fail("extracts to disk but not into memory", header.GetFileName());
  const std::string expected = memory.GetLength() == 0 ? std::string()
                               : std::string(reinterpret_cast<const char*>(memory.GetData()),
                                             static_cast<std::size_t>(memory.GetLength()));
  if (ReadWhole(path) != expected) fuzz::Fail("the file on disk differs from the entry", path.string());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const Sandbox sandbox;
  sandbox.Reset();
  std::vector<BYTE> bytes(data, data + size);
  CZipMemoryFile file(bytes.data(), static_cast<DWORD>(bytes.size()));
  CZipArchive zip;
  try {
    // Sizes that are 2 or 3 modulo 4 take the path of an archive on disk
    // (mapped, and with its volume rules); the others a caller's memory file.
    if (size % 4 >= 2)
      zip.Open(fuzz::Scratch::Get().Write("archive.zip", data, size), CZipArchive::zipOpenReadOnly);
    else
      zip.Open(file, CZipArchive::zipOpenReadOnly);
  } catch (const CZipException&) {
    return 0;
  } catch (const sys::CFileException&) {
    return 0;
  }
  // The committed encrypted fixtures use this password; odd sizes try it,
  // even ones take the path of a missing password.
  if (size % 2 == 1) zip.SetPassword("secret");
  const int count = zip.GetCount();
  for (int i = 0; i < count; ++i) ExamineEntry(zip, static_cast<WORD>(i), sandbox);
  std::vector<WORD> matches;
  try {
    zip.FindMatches("*.cal", matches);
  } catch (const CZipException&) {
  }
  zip.Close(CZipArchive::afAfterException);
  sandbox.CheckNothingOutside();
  return 0;
}
