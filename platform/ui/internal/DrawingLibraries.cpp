// Loads the drawing libraries on first use and fills the table from them.
#define BRIVEN_DRAWING_LIBRARIES_TABLE
#include "platform/ui/internal/DrawingLibraries.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace ui::internal {
namespace {

// The run-time names of the libraries the headers above belong to.
constexpr const char* kLibraries[] = {"libcairo.so.2", "libpango-1.0.so.0", "libpangocairo-1.0.so.0",
                                      "libgobject-2.0.so.0"};

[[noreturn]] void Fail(const char* what, const char* reason) {
  std::fprintf(stderr, "briven: cannot load the drawing library function %s: %s\n", what, reason ? reason : "");
  std::abort();
}

DrawingLibraries Load() {
  void* handles[std::size(kLibraries)];
  for (std::size_t i = 0; i < std::size(kLibraries); ++i) {
    handles[i] = ::dlopen(kLibraries[i], RTLD_NOW | RTLD_GLOBAL);
    if (handles[i] == nullptr) Fail(kLibraries[i], ::dlerror());
  }
  DrawingLibraries table;
  auto find = [&](const char* name) {
    for (void* handle : handles) {
      if (void* function = ::dlsym(handle, name)) return function;
    }
    Fail(name, "not found");
  };
#define BRIVEN_FILL_ENTRY(name) table.name = reinterpret_cast<decltype(table.name)>(find(#name));
  BRIVEN_CAIRO_FUNCTIONS(BRIVEN_FILL_ENTRY)
  BRIVEN_PANGO_FUNCTIONS(BRIVEN_FILL_ENTRY)
  BRIVEN_GOBJECT_FUNCTIONS(BRIVEN_FILL_ENTRY)
#undef BRIVEN_FILL_ENTRY
  return table;
}

}  // namespace

const DrawingLibraries& Drawing() {
  static const DrawingLibraries table = Load();
  return table;
}

}  // namespace ui::internal
