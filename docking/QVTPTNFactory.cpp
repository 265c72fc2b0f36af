#include "docking/QVTPTNFactory.h"

#include <algorithm>

#include "docking/QVTPersistentTreeNode.h"

namespace docking {

QVTPTNFactory::QVTPTNFactory() = default;

// Newest first, so a child made after its parent goes before it.
QVTPTNFactory::~QVTPTNFactory() {
  while (!nodes_.empty()) nodes_.pop_back();
}

QVTPersistentTreeNode* QVTPTNFactory::CreateNode() {
  nodes_.push_back(std::make_unique<QVTPersistentTreeNode>());
  return nodes_.back().get();
}

QVTPersistentTreeNode* QVTPTNFactory::CreateNode(const std::string& name, QVTPersistentTreeNode* parent) {
  QVTPersistentTreeNode* node = CreateNode();
  if (node->Create(name, parent) != 0) {
    DeleteNode(node);
    return nullptr;
  }
  return node;
}

BOOL QVTPTNFactory::DeleteNode(QVTPersistentTreeNode* node) {
  const auto found = std::find_if(nodes_.begin(), nodes_.end(), [node](const auto& own) { return own.get() == node; });
  if (found == nodes_.end()) return FALSE;
  nodes_.erase(found);
  return TRUE;
}

bool QVTPTNFactory::Owns(const QVTPersistentTreeNode* node) const {
  return std::any_of(nodes_.begin(), nodes_.end(), [node](const auto& own) { return own.get() == node; });
}

}  // namespace docking
