// Replacing an existing output file without putting it at risk. The rows of
// the new run go to a hidden temporary file beside it, ".NAME.briven-XXXXXX",
// which takes the previous file's place by one rename only when the run ends
// in a way that keeps its rows. A run that fails removes the temporary; one
// killed outright leaves the previous file whole and a stray whose name says
// whose it is. While the run lasts the previous file is held under its
// exclusive lock, so a second run that would write the same output is still
// refused as a sharing violation.
#pragma once

#include <string>

class COutputReplacement {
 public:
  COutputReplacement() = default;
  ~COutputReplacement();
  COutputReplacement(const COutputReplacement&) = delete;
  COutputReplacement& operator=(const COutputReplacement&) = delete;

  // Whether path names an existing regular file (through symbolic links):
  // such a file is replaced. Anything else (a new name, a device, a pipe) is
  // written directly, as there is nothing on it to lose.
  static bool Replaces(const std::string& path);

  // Locks the previous file and creates the temporary with the previous
  // file's permissions. The temporary's descriptor, open for writing, or -1
  // with the file exception cause in cause.
  int Begin(const std::string& path, int& cause);
  bool IsActive() const { return !temporary_.empty(); }
  const std::string& GetTemporaryPath() const { return temporary_; }

  // The temporary, written and closed, takes the previous file's place: 0,
  // or the cause, and then the temporary is gone and the previous file stays.
  int Commit();
  // The temporary goes; the previous file stays as it was.
  void Abandon();

 private:
  void Unlock();

  std::string target_;  // the previous file, symbolic links followed
  std::string temporary_;
  int lock_fd_ = -1;
};
