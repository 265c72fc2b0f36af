#include "zip/ZipExtractPath.h"

#include <cctype>

#include "zip/ZipException.h"
#include "zip/ZipPathSplitter.h"

namespace {

std::string WithoutTrailingSeparators(std::string text) {
  while (!text.empty() && CZipPathSplitter::IsSeparator(text.back())) text.pop_back();
  return text;
}

// The reason a name is unsafe to create below a folder, or null. Drive and
// UNC prefixes are refused, not dropped: such a name was made to point at
// another place, and no folder below the target is the place it meant.
const char* UnsafeReason(const std::string& n) {
  if (n.empty()) return "empty entry name";
  if (n.find('\0') != std::string::npos) return "entry name holds a NUL byte";
  if (CZipPathSplitter::IsSeparator(n[0])) return "absolute entry name";
  if (n.size() >= 2 && n[1] == ':' && std::isalpha(static_cast<unsigned char>(n[0]))) return "entry name with a drive";
  return nullptr;
}

}  // namespace

CZipExtractPath::CZipExtractPath(const std::string& folder, const std::string& storedName,
                                 const std::string& chosen)
    : m_folder(WithoutTrailingSeparators(folder)) {
  // The root folder has nothing but separators; it must not become the
  // current one.
  if (m_folder.empty() && !folder.empty() && folder[0] == '/') m_folder.push_back('/');
  if (Refuses(storedName) || Refuses(chosen)) m_components.clear();
}

// Splits name into m_components; true (and the reason kept) when any part of
// it is unsafe.
bool CZipExtractPath::Refuses(const std::string& name) {
  m_components.clear();
  const std::string n = WithoutTrailingSeparators(name);
  m_refusal = UnsafeReason(n);
  std::size_t start = 0;
  while (!m_refusal) {
    const std::size_t end = n.find_first_of("/\\", start);
    const std::size_t length = end == std::string::npos ? std::string::npos : end - start;
    m_components.push_back(n.substr(start, length));
    const std::string& part = m_components.back();
    if (part.empty() || part == "." || part == "..") m_refusal = "unsafe entry name";
    if (end == std::string::npos) break;
    start = end + 1;
  }
  if (m_refusal) m_refusedName = name;
  return m_refusal != nullptr;
}

void CZipExtractPath::ThrowIfRefused(const std::string& archivePath) const {
  if (!m_refusal) return;
  // A NUL is shown, so the text names what the archive really holds.
  std::string detail(m_refusal);
  detail.append(": \"");
  for (char c : m_refusedName) {
    if (c == '\0') detail.append("\\0");
    else detail.push_back(c);
  }
  detail.push_back('"');
  CZipException::Throw(CZipException::badZipFile, archivePath, detail);
}

std::string CZipExtractPath::GetPath() const {
  if (m_refusal) return std::string();
  std::string path = m_folder;
  for (const std::string& c : m_components) {
    if (!path.empty() && path.back() != '/') path.push_back('/');
    path += c;
  }
  return path;
}
