#include "docking/QVTControlBarInfoEx.h"

namespace docking {

IMPLEMENT_DYNCREATE(QVTControlBarInfoEx, afx::CObject)

void QVTControlBarInfoEx::Serialize(afx::CArchive&, QVTDockState*) {}

afx::BOOL QVTControlBarInfoEx::LoadState(const std::string&, QVTDockState*) { return FALSE; }

afx::BOOL QVTControlBarInfoEx::SaveState(const std::string&) { return FALSE; }

afx::BOOL QVTControlBarInfoEx::LoadFromNode(QVTPersistentTreeNode* node) { return node ? TRUE : FALSE; }

afx::BOOL QVTControlBarInfoEx::SaveToNode(QVTPTNFactory*, QVTPersistentTreeNode* parent) {
  return parent ? TRUE : FALSE;
}

}  // namespace docking
