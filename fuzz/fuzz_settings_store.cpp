// The settings store's file parser on hostile text. A text that parses must
// survive the round trip the store makes on every write: written back and
// read again it gives the same tree (every key, value type and byte), and
// writing that tree gives the same text.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/support/FuzzScratch.h"
#include "platform/sys/SettingsStoreKey.h"
#include "platform/sys/SettingsStoreText.h"

namespace {

bool SameTree(const sys::SettingsKey& a, const sys::SettingsKey& b) {
  if (a.Name() != b.Name() || a.Values().size() != b.Values().size() || a.Subkeys().size() != b.Subkeys().size())
    return false;
  for (std::size_t i = 0; i < a.Values().size(); ++i) {
    const sys::SettingsValue& x = a.Values()[i];
    const sys::SettingsValue& y = b.Values()[i];
    if (x.name != y.name || x.type != y.type || x.data != y.data) return false;
  }
  for (std::size_t i = 0; i < a.Subkeys().size(); ++i)
    if (!SameTree(*a.Subkeys()[i], *b.Subkeys()[i])) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  sys::SettingsKey first;
  std::string error;
  if (!sys::ParseSettings(text, first, error)) {
    if (error.empty()) fuzz::Fail("a refused text without a reason");
    return 0;
  }
  const std::string written = sys::SerializeSettings(first);
  sys::SettingsKey second;
  if (!sys::ParseSettings(written, second, error)) fuzz::Fail("the store cannot read what it wrote", error);
  if (!SameTree(first, second)) fuzz::Fail("the round trip changed the tree", written);
  if (sys::SerializeSettings(second) != written) fuzz::Fail("writing the tree again gives another text", written);
  return 0;
}
