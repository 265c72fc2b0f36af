#include <cstdio>
#include <cstring>

#include "platform/sys/Version.h"

int main(int argc, char** argv) {
  const sys::VersionBlock& version = sys::GetVersionBlock();
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("%s %s\n", version.product_name, version.product_version);
    return 0;
  }
  std::fprintf(stderr, "briven: the conversion is not built yet\n");
  return 2;
}
