// How a node tree reaches a backing store. A path lists node names from
// the node itself up to the root (the root last).
#pragma once

#include <string>
#include <vector>

#include "platform/afx/Object.h"

namespace docking {

using namespace afx;

class QVTPTNStrategy {
 public:
  using StringList = std::vector<std::string>;

  virtual ~QVTPTNStrategy() = default;
  // Removes what the store holds for the node (its values and children).
  virtual bool DeleteNodeData(const StringList& path) = 0;
  virtual bool WriteValue(const StringList& path, const std::string& key, const std::string& value) = 0;
  virtual bool WriteChildList(const StringList& path, const StringList& child_names) = 0;
  // The node's child names and its keys with their values, in store order;
  // false when the store holds nothing for the node.
  virtual bool ReadNode(const StringList& path, StringList& child_names, StringList& keys, StringList& values) = 0;
};

}  // namespace docking
