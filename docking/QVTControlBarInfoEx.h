// The base of the per-bar-type extra state that a bar record carries (a
// toolbar's title and buttons, for one). The base stores nothing; a
// subclass stores its own data in the same profile section or archive as
// its bar record.
#pragma once

#include <string>

#include "platform/afx/Archive.h"
#include "platform/afx/Object.h"

namespace docking {

// The docking framework is written against the framework's interface.
using namespace afx;

class QVTDockState;
class QVTPTNFactory;
class QVTPersistentTreeNode;

class QVTControlBarInfoEx : public afx::CObject {
  DECLARE_DYNCREATE(QVTControlBarInfoEx)

 public:
  // Archive form, inside the bar record.
  virtual void Serialize(afx::CArchive& ar, QVTDockState* state);
  // Profile form, in the bar record's section; the base holds nothing to
  // read or write and says so.
  virtual BOOL LoadState(const std::string& section, QVTDockState* state);
  virtual BOOL SaveState(const std::string& section);
  // Settings-tree form, below the bar record's node; the base holds
  // nothing and succeeds for any node.
  virtual BOOL LoadFromNode(QVTPersistentTreeNode* node);
  virtual BOOL SaveToNode(QVTPTNFactory* factory, QVTPersistentTreeNode* parent);
};

}  // namespace docking
