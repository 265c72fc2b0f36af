// The settings-tree form of a layout: the parent's child "DockState" holds
// "Bars", "ScreenCX" and "ScreenCY", and a child "Bar-<n>" per record,
// numbered without gaps.
#include <algorithm>

#include "docking/QVTDockState.h"
#include "docking/QVTPersistentTreeNode.h"

namespace docking {

BOOL QVTDockState::SaveState(QVTPTNFactory* factory, QVTPersistentTreeNode* parent) {
  if (!parent) return FALSE;
  // A tree saved into before already holds the node: it is reused, its
  // old summary dropped, so the save neither fails on the name nor leaves
  // the previous count behind. Records beyond the new count stay unread.
  QVTPersistentTreeNode* node = parent->FindChild(kNodeName);
  if (!node) node = (factory ? *factory : parent->GetFactory()).CreateNode(kNodeName, parent);
  if (!node) return FALSE;
  for (const char* key : {"Bars", "ScreenCX", "ScreenCY"}) node->RemoveKey(key);
  bool ok = true;
  int written = 0;
  for (const auto& info : m_arrBarInfo) {
    if (!info->SaveState(factory, node, written)) continue;
    ok = ok && !info->SaveFailed();
    ++written;
  }
  const SIZE screen = GetScreenSize();
  UINT result = node->SetIntValue("Bars", written, TRUE);
  result |= node->SetIntValue("ScreenCX", screen.cx, TRUE);
  result |= node->SetIntValue("ScreenCY", screen.cy, TRUE);
  return ok && result == 0 ? TRUE : FALSE;
}

BOOL QVTDockState::LoadState(QVTPersistentTreeNode* parent) {
  Clear();
  QVTPersistentTreeNode* node = parent ? parent->FindChild(kNodeName) : nullptr;
  if (!node) return FALSE;
  int bars = 0;
  node->GetIntValue("Bars", bars, 0);
  bars = std::clamp(bars, 0, kMaxBars);
  long cx = 0;
  long cy = 0;
  node->GetLongValue("ScreenCX", cx, 0);
  node->GetLongValue("ScreenCY", cy, 0);
  SetScreenSize({static_cast<LONG>(cx), static_cast<LONG>(cy)});
  for (int index = 0; index < bars; ++index) {
    QVTPersistentTreeNode* bar = node->FindChild("Bar-" + std::to_string(index));
    if (!bar) continue;
    std::unique_ptr<QVTControlBarInfo> info = CreateBarInfo(m_pManager);
    info->LoadState(bar, this);
    m_arrBarInfo.push_back(std::move(info));
  }
  return TRUE;
}

}  // namespace docking
