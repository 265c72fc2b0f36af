// A node tree in a profile (INI) file: one section per node, named by the
// node names from the root down joined with "."; the children are listed
// as "ptn_Child1", "ptn_Child2", ... holding their names.
#pragma once

#include "docking/QVTPTNStrategy.h"

namespace docking {

class QVTPTNStrategyProfile : public QVTPTNStrategy {
 public:
  static constexpr const char* kChildPrefix = "ptn_Child";
  static constexpr const char* kPathSeparator = ".";

  explicit QVTPTNStrategyProfile(std::string file) : file_(std::move(file)) {}

  bool DeleteNodeData(const StringList& path) override;
  bool WriteValue(const StringList& path, const std::string& key, const std::string& value) override;
  bool WriteChildList(const StringList& path, const StringList& child_names) override;
  bool ReadNode(const StringList& path, StringList& child_names, StringList& keys, StringList& values) override;
  // Every key name of the section, however long the list; false for none.
  bool ReadKeyNames(const std::string& section, StringList& keys) const;
  // A value read whole, however long.
  std::string ReadValue(const std::string& section, const std::string& key) const;

  static std::string SectionName(const StringList& path);
  const std::string& GetFile() const { return file_; }

 private:
  std::string file_;
};

}  // namespace docking
