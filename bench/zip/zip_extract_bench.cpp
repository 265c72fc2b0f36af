// Times extracting one entry of an archive, repeated, and prints the best
// and median wall times in milliseconds: to a sink that discards (the
// equivalent of piping to /dev/null) and to a file in a folder.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "zip/ZipArchive.h"
#include "zip/ZipException.h"

namespace {

class DiscardFile : public CZipFileBase {
 public:
  void Close() override {}
  void Flush() override {}
  std::int64_t GetPosition() const override { return length_; }
  std::int64_t Seek(std::int64_t, int) override { return length_; }
  std::int64_t GetLength() const override { return length_; }
  void SetLength(std::int64_t length) override { length_ = length; }
  std::string GetFilePath() const override { return {}; }
  UINT Read(void*, UINT) override { return 0; }
  void Write(const void*, UINT size) override { length_ += size; }
  bool IsClosed() const override { return false; }

 private:
  std::int64_t length_ = 0;
};

template <typename F>
std::vector<double> Time(int runs, F&& f) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    f();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s archive entry target-folder [runs]\n", argv[0]);
    return 2;
  }
  const int runs = argc > 4 ? std::atoi(argv[4]) : 5;
  try {
    CZipArchive zip;
    zip.Open(argv[1], CZipArchive::zipOpenReadOnly);
    const int index = zip.FindFile(argv[2]);
    if (index < 0) {
      std::fprintf(stderr, "%s: no entry %s\n", argv[1], argv[2]);
      return 1;
    }
    const auto sink = Time(runs, [&] {
      DiscardFile out;
      if (!zip.ExtractFile(static_cast<WORD>(index), out)) throw CZipException(CZipException::genericError);
    });
    const auto disk = Time(runs, [&] {
      if (!zip.ExtractFile(static_cast<WORD>(index), argv[3], false)) throw CZipException(CZipException::genericError);
    });
    std::printf("sink best %.1f median %.1f\n", sink.front(), sink[sink.size() / 2]);
    std::printf("disk best %.1f median %.1f\n", disk.front(), disk[disk.size() / 2]);
    zip.Close();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
