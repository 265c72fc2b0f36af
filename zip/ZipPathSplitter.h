// Splits a path into prefix, drive, directory, name and extension. Both '/'
// and '\' separate (entry names come from either kind of system); parts are
// joined again with '/'.
#pragma once

#include <string>

class CZipPathSplitter {
 public:
  CZipPathSplitter() = default;
  explicit CZipPathSplitter(const std::string& path) { SetFullPath(path); }
  virtual ~CZipPathSplitter() = default;

  void SetFullPath(const std::string& path);
  std::string GetFilePath() const;
  std::string GetFileName() const;
  std::string GetFullPath() const;
  std::string GetNoDrive() const;
  const std::string& GetDrive() const { return m_drive; }
  const std::string& GetExtension() const { return m_extension; }
  const std::string& GetPrefix() const { return m_prefix; }
  const std::string& GetDirectory() const { return m_directory; }

  static bool IsSeparator(char c) { return c == '/' || c == '\\'; }

 private:
  std::string m_directory;
  std::string m_name;
  std::string m_extension;
  std::string m_drive;
  std::string m_prefix;
};
