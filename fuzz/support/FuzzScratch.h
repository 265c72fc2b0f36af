// A private temporary folder for one fuzzing process, made once with
// mkdtemp and removed when the process ends normally. Targets reuse the
// files in it from input to input, so an input costs no folder creation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

class Scratch {
 public:
  // The process's folder; made on first use, aborts when it cannot be.
  static const Scratch& Get();

  const std::string& Path() const { return path_; }
  std::string PathOf(const std::string& name) const { return path_ + "/" + name; }
  // Replaces the named file's content with the bytes; aborts on failure,
  // since an input that never reached the parser would test nothing.
  std::string Write(const std::string& name, const std::uint8_t* data, std::size_t size) const;

  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

 private:
  Scratch();
  std::string path_;
};

// A finding that no sanitizer sees (a broken promise of the code under
// test): printed, then abort() so libFuzzer keeps the input as a crash.
[[noreturn]] void Fail(const char* what, const std::string& detail = {});

}  // namespace fuzz
