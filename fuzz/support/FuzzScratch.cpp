#include "fuzz/support/FuzzScratch.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fuzz {

Scratch::Scratch() {
  path_ = (std::filesystem::temp_directory_path() / "briven-fuzz-XXXXXX").string();
  if (mkdtemp(path_.data()) == nullptr) Fail("cannot make the scratch folder", path_);
}

Scratch::~Scratch() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

const Scratch& Scratch::Get() {
  static const Scratch scratch;
  return scratch;
}

std::string Scratch::Write(const std::string& name, const std::uint8_t* data, std::size_t size) const {
  const std::string path = PathOf(name);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  if (!out) Fail("cannot write the input file", path);
  return path;
}

void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "FUZZ FINDING: %s%s%s\n", what, detail.empty() ? "" : ": ", detail.c_str());
  std::abort();
}

}  // namespace fuzz
