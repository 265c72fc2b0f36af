#include "ZipTestSupport.h"

#include <sys/stat.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "zip/ZipLittleEndian.h"

namespace ziptest {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ziptest-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  // Read-only files and folders must not stop the clean-up.
  for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ec))
    if (entry.is_directory() && !entry.is_symlink()) std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::string Fixture(const std::string& name) { return std::string(BRIVEN_TEST_DATA) + "/zip/" + name; }

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteAll(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary);
  out << data;
}

std::map<std::string, std::string> Snapshot(const std::string& root) {
  std::map<std::string, std::string> out;
  for (auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    struct stat st;
    ::lstat(entry.path().c_str(), &st);
    std::string value = std::to_string(st.st_mode);
    if (S_ISREG(st.st_mode)) value += ":" + ReadAll(entry.path());
    out[std::filesystem::relative(entry.path(), root).string()] = value;
  }
  return out;
}

int Run(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string StoredLocalHeader(const std::string& name, DWORD crc, DWORD size) {
  using namespace ZipLittleEndian;
  std::string b(30, '\0');
  auto* p = reinterpret_cast<BYTE*>(b.data());
  Put32(p, 0x04034B50);
  Put16(p + 4, 10);
  Put32(p + 14, crc);
  Put32(p + 18, size);
  Put32(p + 22, size);
  Put16(p + 26, static_cast<WORD>(name.size()));
  return b + name;
}

std::string StoredCentralHeader(const std::string& name, DWORD crc, DWORD size, DWORD offset) {
  using namespace ZipLittleEndian;
  std::string b(46, '\0');
  auto* p = reinterpret_cast<BYTE*>(b.data());
  Put32(p, 0x02014B50);
  Put16(p + 4, 0x0314);
  Put16(p + 6, 10);
  Put32(p + 16, crc);
  Put32(p + 20, size);
  Put32(p + 24, size);
  Put16(p + 28, static_cast<WORD>(name.size()));
  Put32(p + 42, offset);
  return b + name;
}

std::string OneStoredEntryArchive(const std::string& name, const std::string& data) {
  using namespace ZipLittleEndian;
  const auto crc = static_cast<DWORD>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
  const auto size = static_cast<DWORD>(data.size());
  const std::string local = StoredLocalHeader(name, crc, size) + data;
  const std::string central = StoredCentralHeader(name, crc, size, 0);
  std::string end(22, '\0');
  auto* p = reinterpret_cast<BYTE*>(end.data());
  Put32(p, 0x06054B50);
  Put16(p + 8, 1);
  Put16(p + 10, 1);
  Put32(p + 12, static_cast<DWORD>(central.size()));
  Put32(p + 16, static_cast<DWORD>(local.size()));
  return local + central + end;
}

}  // namespace ziptest
