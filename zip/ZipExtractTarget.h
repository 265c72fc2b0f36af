// Where one entry is extracted to: a trusted target folder and a relative
// path taken from the archive. The relative part is walked one folder at a
// time without following symbolic links, so nothing is created outside the
// target; the data goes to a temporary file beside its final name, which it
// takes only on Commit. Destroyed uncommitted, it leaves nothing behind.
#pragma once

#include <sys/types.h>

#include <ctime>
#include <string>
#include <vector>

#include "zip/ZipFile.h"

class CZipExtractTarget {
 public:
  // Splits a stored name into its components, refusing (CZipException 101
  // naming the archive) absolute names, drive or UNC prefixes, "." and ".."
  // components, empty names or components and NUL bytes.
  static std::vector<std::string> SafeComponents(const std::string& name, const std::string& archivePath);

  CZipExtractTarget(std::string folder, std::vector<std::string> components);
  ~CZipExtractTarget();
  CZipExtractTarget(const CZipExtractTarget&) = delete;
  CZipExtractTarget& operator=(const CZipExtractTarget&) = delete;

  std::string GetPath() const;
  // Creates every folder of the path (0755); existing ones keep their mode.
  void CreateDirectories();
  // Creates the parent folders and the temporary file, with mode applied
  // under the umask, never setuid, setgid or sticky.
  CZipFile& CreateFile(mode_t mode);
  bool SetTime(std::time_t t);
  // Moves the finished file to its name; a file already there is replaced.
  void Commit();

 private:
  int OpenFolders(std::size_t count);
  void Discard() noexcept;

  std::string m_folder;
  std::vector<std::string> m_components;
  int m_parentFd = -1;
  std::string m_tempName;
  CZipFile m_file;
  bool m_committed = false;
};
