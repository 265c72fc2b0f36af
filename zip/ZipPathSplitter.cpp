#include "zip/ZipPathSplitter.h"

#include <cctype>

namespace {

// How many leading characters agree with "\\?\unc\", lowercased; only the
// lengths of the three real prefixes count.
std::size_t UncPrefixLength(const std::string& path) {
  static const char kUnc[] = "\\\\?\\unc\\";
  std::size_t k = 0;
  while (k < 8 && k < path.size() && std::tolower(static_cast<unsigned char>(path[k])) == kUnc[k]) ++k;
  return (k == 2 || k == 4 || k == 8) ? k : 0;
}

std::string Trimmed(const std::string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && CZipPathSplitter::IsSeparator(text[first])) ++first;
  while (last > first && CZipPathSplitter::IsSeparator(text[last - 1])) --last;
  return text.substr(first, last - first);
}

}  // namespace

void CZipPathSplitter::SetFullPath(const std::string& path) {
  const std::size_t prefix = UncPrefixLength(path);
  m_prefix = path.substr(0, prefix);
  std::string rest = path.substr(prefix);
  m_drive.clear();
  if (rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]))) {
    m_drive = rest.substr(0, 2);
    rest.erase(0, 2);
  }
  const std::size_t slash = rest.find_last_of("/\\");
  const std::string file = slash == std::string::npos ? rest : rest.substr(slash + 1);
  m_directory = Trimmed(slash == std::string::npos ? std::string() : rest.substr(0, slash + 1));
  const std::size_t dot = file.rfind('.');
  m_name = dot == std::string::npos ? file : file.substr(0, dot);
  m_extension = dot == std::string::npos ? std::string() : file.substr(dot + 1);
}

std::string CZipPathSplitter::GetFilePath() const {
  std::string out = m_prefix + m_drive;
  if (!m_drive.empty() && !m_directory.empty()) out += '/';
  return out + m_directory;
}

std::string CZipPathSplitter::GetFileName() const {
  return m_extension.empty() ? m_name : m_name + "." + m_extension;
}

std::string CZipPathSplitter::GetFullPath() const {
  std::string out = GetFilePath();
  const std::string name = GetFileName();
  if (!name.empty()) out += (out.empty() ? "" : "/") + name;
  return out;
}

std::string CZipPathSplitter::GetNoDrive() const {
  const std::string name = GetFileName();
  if (m_directory.empty()) return name;
  return name.empty() ? m_directory : m_directory + "/" + name;
}
