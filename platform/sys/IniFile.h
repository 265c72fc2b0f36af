// One profile (INI) file on disk. Reads take the file as it is; every
// change locks <file>.lock, reads the file again, applies the one change and
// replaces the file whole (temporary file, flush, rename), so a crash leaves
// the old or the new file and two programs writing different keys lose
// nothing. The folder must exist; the file is created on the first write.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/sys/IniDocument.h"
#include "platform/sys/Types.h"

namespace sys {

class IniFile {
 public:
  explicit IniFile(std::string path) : path_(std::move(path)) {}

  const std::string& Path() const { return path_; }

  // A missing file reads as empty; false (with the reason kept) when the
  // file exists but cannot be read.
  bool Read(IniDocument& document);
  std::optional<std::string> GetString(const std::string& section, const std::string& key);
  std::vector<std::string> SectionNames();
  std::vector<std::string> KeyNames(const std::string& section);

  bool WriteString(const std::string& section, const std::string& key, const std::string& value);
  bool DeleteKey(const std::string& section, const std::string& key);
  bool DeleteSection(const std::string& section);

  // The Win32 number and "<file>: <reason>" of the last failure.
  LONG LastResult() const { return last_result_; }
  const std::string& LastError() const { return last_error_; }

 private:
  template <typename Change>
  bool Update(Change change);
  bool Fail(LONG result, const std::string& reason);

  std::string path_;
  LONG last_result_ = 0;
  std::string last_error_;
};

}  // namespace sys
