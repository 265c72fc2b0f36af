// Where an entry is extracted to, decided in one place for the extraction
// itself and for BuildExtractPath, so a caller that asks where a file went
// is told exactly where it was written. A name is split at both '/' and
// '\' (names come from either kind of system) and joined again with '/'.
// A name that could reach outside the target folder is refused as a whole:
// the path is then empty, and extraction throws.
#pragma once

#include <string>
#include <vector>

class CZipExtractPath {
 public:
  // folder is the caller's target folder and is trusted. storedName is the
  // entry's own name, which must be safe even when a new name or only its
  // last part is used; chosen is the part that goes below the folder.
  CZipExtractPath(const std::string& folder, const std::string& storedName, const std::string& chosen);

  bool IsRefused() const { return m_refusal != nullptr; }
  // Throws CZipException 101 naming the archive, the reason and the name.
  void ThrowIfRefused(const std::string& archivePath) const;

  // Without its trailing separators; empty stands for the current folder.
  const std::string& GetFolder() const { return m_folder; }
  const std::vector<std::string>& GetComponents() const { return m_components; }
  // The folder and the components joined, or empty for a refused name.
  std::string GetPath() const;

 private:
  bool Refuses(const std::string& name);

  std::string m_folder;
  std::vector<std::string> m_components;
  const char* m_refusal = nullptr;
  std::string m_refusedName;
};
