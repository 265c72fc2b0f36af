// Saving and loading a node tree through a store's strategy.
#include "docking/QVTPTNStrategy.h"
#include "docking/QVTPersistentTreeNode.h"

namespace docking {

// Every write is attempted even after one fails, so as much as possible
// reaches the store; the result says whether all of it did.
BOOL QVTPersistentTreeNode::SaveTo(QVTPTNStrategy* strategy) {
  if (!created_ || !strategy) return FALSE;
  const StringList path = GetPath();
  bool ok = strategy->DeleteNodeData(path);
  for (const KeyValuePair& pair : pairs_) ok = strategy->WriteValue(path, pair.first, pair.second) && ok;
  ok = strategy->WriteChildList(path, GetChildNames()) && ok;
  for (QVTPersistentTreeNode* child : children_) ok = child->SaveTo(strategy) && ok;
  return ok ? TRUE : FALSE;
}

BOOL QVTPersistentTreeNode::LoadFrom(QVTPTNStrategy* strategy) {
  if (!created_ || !strategy) return FALSE;
  StringList child_names, keys, values;
  if (!strategy->ReadNode(GetPath(), child_names, keys, values)) return FALSE;
  for (std::size_t i = 0; i < keys.size() && i < values.size(); ++i) SetStringValue(keys[i], values[i], TRUE);
  for (const std::string& child_name : child_names) {
    // A name read twice or empty makes no child; the others still load.
    QVTPersistentTreeNode* child = factory_.CreateNode(child_name, this);
    if (child) child->LoadFrom(strategy);
  }
  return TRUE;
}

}  // namespace docking
