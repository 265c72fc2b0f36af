// The unpacking limits judge an archive by the sizes its directory
// declares: an entry too large, one that expands too far, and a sum of
// entries too large are each refused with a reason that names them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/zip/ZipTestSupport.h"
#include "zip/ZipArchive.h"
#include "zip/ZipExtractLimits.h"
#include "zip/ZipMemoryFile.h"

namespace {

using ziptest::TempDir;

struct Entry {
  std::string name;
  std::string data;
  int level;  // 0 stores
};

std::string MakeArchive(const TempDir& dir, const std::vector<Entry>& entries) {
  const std::string path = dir / "package.hip";
  CZipArchive zip;
  zip.Open(path, CZipArchive::zipCreate);
  for (const Entry& e : entries) {
    CZipMemoryFile source;
    source.Write(e.data.data(), static_cast<UINT>(e.data.size()));
    EXPECT_TRUE(zip.AddNewFile(source, e.name, e.level, CZipAddNewFileInfo::zipsmInternal01));
  }
  zip.Close();
  return path;
}

std::string Judge(const std::string& path, const CZipExtractLimits& limits) {
  CZipArchive zip;
  zip.Open(path, CZipArchive::zipOpenReadOnly);
  std::vector<WORD> all;
  for (int i = 0; i < zip.GetCount(); ++i) all.push_back(static_cast<WORD>(i));
  return limits.Check(zip, all);
}

// Text that deflates a few times, as definitions do.
std::string Text(std::size_t size) {
  std::string text;
  for (unsigned i = 0; text.size() < size; ++i) text += "SENSOR T " + std::to_string(i * 7919 % 100003) + " C\n";
  return text.substr(0, size);
}

TEST(ZipExtractLimitsTest, EntriesAndPackagesBeyondTheLimitsAreRefusedByName) {
  CZipExtractLimits small;
  small.max_entry_size = 10000;
  small.max_total_size = 25000;
  small.max_ratio = 100;
  small.ratio_grace = 4096;
  struct Case {
    const char* name;
    std::vector<Entry> entries;
    std::string reason;  // the start of it; empty: accepted
  };
  const std::vector<Case> cases = {
      {"ordinary text", {{"a.cal", Text(9000), 6}, {"b.tdf", Text(9000), 6}}, ""},
      {"stored at the entry limit", {{"a.cal", std::string(10000, 'x'), 0}}, ""},
      {"one byte over the entry limit", {{"a.cal", Text(10001), 6}}, "the entry a.cal would take"},
      {"a small file of blanks", {{"blank.cal", std::string(4096, ' '), 9}}, ""},
      {"blanks beyond the grace", {{"ok.cal", Text(100), 6}, {"bomb.cal", std::string(9000, ' '), 9}},
       "the entry bomb.cal would expand"},
      {"entries within, the sum beyond", {{"a.cal", Text(9000), 0}, {"b.cal", Text(9000), 0}, {"c.cal", Text(9000), 0}},
       "its entries would take"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string reason = Judge(MakeArchive(dir, c.entries), small);
    if (c.reason.empty()) {
      EXPECT_EQ(reason, "");
    } else {
      EXPECT_EQ(reason.rfind(c.reason, 0), 0u) << reason;
    }
  }
}

TEST(ZipExtractLimitsTest, TheBuiltInLimitsStopAPackageThatWouldFillTheDisk) {
  // 80 MB of zeros deflate to well under a megabyte.
  TempDir dir;
  const std::string path = MakeArchive(dir, {{"bomb.cal", std::string(80u << 20, '\0'), 9}});
  EXPECT_LT(ziptest::ReadAll(path).size(), 1u << 20);
  const std::string reason = Judge(path, CZipExtractLimits{});
  EXPECT_EQ(reason, "the entry bomb.cal would take 83886080 bytes, more than the 67108864 bytes an entry may take");
  CZipExtractLimits no_size_limit;
  no_size_limit.max_entry_size = no_size_limit.max_total_size = ~std::uint64_t{0};
  EXPECT_EQ(Judge(path, no_size_limit).rfind("the entry bomb.cal would expand", 0), 0u);
}

}  // namespace
