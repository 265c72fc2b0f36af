// Composition of the output file name from the naming convention. A failed
// composition leaves no name at all, so the view holds no output file and
// nothing is written under a half-formed name.
#include "app/FileNaming.h"
#include "fsutil/QVTFileSystem.h"
#include "platform/sys/Format.h"

namespace {

bool Fail(CFileNaming::OutputName& out, std::string error = {}) {
  out = CFileNaming::OutputName{};
  out.error = std::move(error);
  return false;
}

bool Succeed(CFileNaming::OutputName& out, std::string name, const std::string& outputFolder) {
  out.path = QVTFileSystem::AppendPaths(outputFolder, name);
  out.name = std::move(name);
  out.error.clear();
  return true;
}

}  // namespace

std::string CFileNaming::WithExtension(std::string name) const {
  if (!m_strExtension.empty()) name += "." + m_strExtension;
  return name;
}

bool CFileNaming::ComposeTitleName(const std::string& logFile, const std::string& instrumentFile,
                                   bool headerConversion, const std::string& outputFolder,
                                   OutputName& out) const {
  std::string name = QVTFileSystem::GetBaseFileName(logFile);
  if (name.empty()) return Fail(out);
  const std::string instrumentTitle = QVTFileSystem::GetBaseFileName(instrumentFile);
  if (!instrumentTitle.empty()) {
    name += "-" + instrumentTitle;
  } else if (!headerConversion) {
    // A header conversion has no instrument file; any other needs one.
    return Fail(out);
  }
  return Succeed(out, WithExtension(std::move(name)), outputFolder);
}

bool CFileNaming::ComposeIncrementName(const std::string& outputFolder, OutputName& out) const {
  if (m_strIncrement.empty()) return Fail(out);
  std::string name = m_strBase;
  switch (m_nIncrementType) {
    case kIncrementNumeric:
      name += sys::Format("%03d", IncrementValue());
      break;
    case kIncrementAlphabetic:
      name += m_strIncrement;
      break;
    default:
      return Fail(out);
  }
  name = WithExtension(std::move(name));
  // At its last value the increment no longer steps, so every further
  // conversion of the series would be written over the same file. Once
  // that file exists the series has used up its names: refuse, so that no
  // earlier output is replaced.
  const std::string path = QVTFileSystem::AppendPaths(outputFolder, name);
  if (IsIncrementExhausted() && QVTFileSystem::FileExists(path)) {
    return Fail(out, sys::Format("The output file name increment is used up: \"%s\" already exists. "
                                 "Choose another base or increment under Output File Naming.",
                                 path.c_str()));
  }
  return Succeed(out, std::move(name), outputFolder);
}
