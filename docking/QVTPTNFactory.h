// Makes tree nodes and owns them: destroying the factory destroys every
// node it made.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/afx/Object.h"

namespace docking {

using namespace afx;

class QVTPersistentTreeNode;

class QVTPTNFactory {
 public:
  QVTPTNFactory();
  ~QVTPTNFactory();
  QVTPTNFactory(const QVTPTNFactory&) = delete;
  QVTPTNFactory& operator=(const QVTPTNFactory&) = delete;

  // A node not yet created (named).
  QVTPersistentTreeNode* CreateNode();
  // A created node below parent (a root for null); null when Create fails.
  QVTPersistentTreeNode* CreateNode(const std::string& name, QVTPersistentTreeNode* parent);
  // False when the node is not one of this factory's.
  BOOL DeleteNode(QVTPersistentTreeNode* node);
  bool Owns(const QVTPersistentTreeNode* node) const;

 private:
  std::vector<std::unique_ptr<QVTPersistentTreeNode>> nodes_;
};

}  // namespace docking
