// Where one entry is extracted to: a trusted target folder and a checked
// relative path taken from the archive (CZipExtractPath). The relative part is walked one folder at a
// time without following symbolic links, so nothing is created outside the
// target; the data goes to a temporary file beside its final name, which it
// takes only on Commit. Destroyed uncommitted, it leaves nothing behind.
#pragma once

#include <sys/types.h>

#include <ctime>
#include <string>

#include "zip/ZipExtractPath.h"
#include "zip/ZipFile.h"

class CZipExtractTarget {
 public:
  // where must not be refused.
  explicit CZipExtractTarget(const CZipExtractPath& where);
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

  CZipExtractPath m_where;
  int m_parentFd = -1;
  std::string m_tempName;
  CZipFile m_file;
  bool m_committed = false;
};
