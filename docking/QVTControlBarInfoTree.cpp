// The settings-tree form of a bar record: the node "Bar-<index>" holds the
// keys of the profile form under the same write-when-not-default rules,
// the flags as "True"/"False" and the placement in the node's binary text.
#include <algorithm>
#include <climits>

#include "docking/QVTControlBarInfo.h"
#include "docking/QVTDockState.h"
#include "docking/QVTPersistentTreeNode.h"
#include "platform/afx/WindowPlacementRecord.h"

namespace docking {

namespace {

// Collects the result codes of a run of writes.
class NodeWriter {
 public:
  explicit NodeWriter(QVTPersistentTreeNode& node) : node_(node) {}
  // Bit patterns round-trip: a style above INT_MAX is written as the
  // negative number of the same bits and read back the same way.
  void Int(const std::string& key, long long value) {
    result_ |= node_.SetIntValue(key, static_cast<int>(static_cast<unsigned>(value)), TRUE);
  }
  void Bool(const std::string& key, BOOL value) { result_ |= node_.SetBoolValue(key, value, TRUE); }
  void String(const std::string& key, const std::string& value) {
    result_ |= node_.SetStringValue(key, value, TRUE);
  }
  void Binary(const std::string& key, const std::vector<BYTE>& value) {
    result_ |= node_.SetBinaryValue(key, value.data(), static_cast<int>(value.size()), TRUE);
  }
  UINT Result() const { return result_; }

 private:
  QVTPersistentTreeNode& node_;
  UINT result_ = 0;
};

int ReadInt(QVTPersistentTreeNode& node, const std::string& key, int default_value) {
  int value = default_value;
  node.GetIntValue(key, value, default_value);
  return value;
}

BOOL ReadBool(QVTPersistentTreeNode& node, const std::string& key, BOOL default_value) {
  BOOL value = default_value;
  node.GetBoolValue(key, value, default_value);
  return value;
}

LONG ReadSize(QVTPersistentTreeNode& node, const std::string& key) { return std::max(ReadInt(node, key, 0), 0); }

void ClearKeys(QVTPersistentTreeNode& node) {
  const std::vector<QVTPersistentTreeNode::KeyValuePair> pairs = node.GetPairs();
  for (const auto& pair : pairs) node.RemoveKey(pair.first);
}

void SaveBarInfo(const QVTControlBarInfo& info, NodeWriter& write) {
  write.Int("BarID", info.m_nBarID);
  if (!info.m_bVisible) write.Bool("Visible", FALSE);
  if (info.m_bFloating) {
    write.Bool("Horz", info.m_bHorz);
    write.Bool("Floating", info.m_bFloating);
  }
  if (info.m_pointPos.x != -1) write.Int("XPos", info.m_pointPos.x);
  if (info.m_pointPos.y != -1) write.Int("YPos", info.m_pointPos.y);
  if (info.m_nMRUWidth != 32767) write.Int("MRUWidth", info.m_nMRUWidth);
  if (info.m_bDocking) {
    write.Bool("Docking", info.m_bDocking);
    write.Int("MRUDockID", info.m_uMRUDockID);
    write.Int("MRUDockLeftPos", info.m_rectMRUDockPos.left);
    write.Int("MRUDockTopPos", info.m_rectMRUDockPos.top);
    write.Int("MRUDockRightPos", info.m_rectMRUDockPos.right);
    write.Int("MRUDockBottomPos", info.m_rectMRUDockPos.bottom);
    write.Int("MRUFloatStyle", info.m_dwMRUFloatStyle);
    write.Int("MRUFloatXPos", info.m_ptMRUFloatPos.x);
    write.Int("MRUFloatYPos", info.m_ptMRUFloatPos.y);
  }
  if (info.m_arrBarID.size() > 1) {
    write.Int("Bars", static_cast<long long>(info.m_arrBarID.size()));
    for (std::size_t i = 0; i < info.m_arrBarID.size(); ++i) write.Int("Bar#" + std::to_string(i), info.m_arrBarID[i]);
  }
}

void SaveBarInfoEx(const QVTControlBarInfo& info, NodeWriter& write) {
  write.Int("Style", info.m_dwStyle);
  write.Int("ExStyle", info.m_dwExStyle);
  write.Bool("PrevFloating", info.m_bPrevFloating);
  write.Bool("MDIChild", info.m_bMDIChild);
  if (info.m_bMDIChild) write.Binary("MDIChildWindowPlacement", WindowPlacementRecord::ToBytes(info.m_wpMDIChild));
  write.String("PctWidth", QVTControlBarInfo::PctWidthText(info.m_fPctWidth));
  write.Int("MRUFloatCX", info.m_szMRUFloat.cx);
  write.Int("MRUFloatCY", info.m_szMRUFloat.cy);
  write.Int("MRUHorzDockCX", info.m_szMRUHorzDock.cx);
  write.Int("MRUHorzDockCY", info.m_szMRUHorzDock.cy);
  write.Int("MRUVertDockCX", info.m_szMRUVertDock.cx);
  write.Int("MRUVertDockCY", info.m_szMRUVertDock.cy);
  write.Int("MRUDockingState", info.m_dwMRUDockingState);
  write.Int("DockingStyle", info.m_dwDockingStyle);
  write.Int("TypeID", info.m_nTypeID);
  write.String("ClassName", info.m_strClassName);
  write.String("WindowName", info.m_strWindowName);
  write.Int("ResourceID", info.m_nResourceID);
}

void LoadBarInfo(QVTControlBarInfo& info, QVTPersistentTreeNode& node, QVTDockState* state) {
  info.m_nBarID = static_cast<UINT>(ReadInt(node, "BarID", 0));
  info.m_bVisible = ReadBool(node, "Visible", TRUE);
  info.m_bHorz = ReadBool(node, "Horz", TRUE);
  info.m_bFloating = ReadBool(node, "Floating", FALSE);
  info.m_pointPos = {ReadInt(node, "XPos", -1), ReadInt(node, "YPos", -1)};
  if (state) state->ScalePoint(info.m_pointPos);
  info.m_nMRUWidth = static_cast<UINT>(ReadInt(node, "MRUWidth", 32767));
  info.m_bDocking = ReadBool(node, "Docking", FALSE);
  if (info.m_bDocking) {
    info.m_uMRUDockID = static_cast<UINT>(ReadInt(node, "MRUDockID", 0));
    info.m_rectMRUDockPos = {ReadInt(node, "MRUDockLeftPos", 0), ReadInt(node, "MRUDockTopPos", 0),
                             ReadInt(node, "MRUDockRightPos", 0), ReadInt(node, "MRUDockBottomPos", 0)};
    if (state) state->ScaleRectPos(info.m_rectMRUDockPos);
    info.m_dwMRUFloatStyle = static_cast<DWORD>(ReadInt(node, "MRUFloatStyle", 0));
    info.m_ptMRUFloatPos = {ReadInt(node, "MRUFloatXPos", 0), ReadInt(node, "MRUFloatYPos", 0)};
    if (state) state->ScalePoint(info.m_ptMRUFloatPos);
  }
  const int entries = std::clamp(ReadInt(node, "Bars", 0), 0, QVTControlBarInfo::kMaxBarListEntries);
  info.m_arrBarID.clear();
  info.m_arrBarID.reserve(static_cast<std::size_t>(entries));
  for (int i = 0; i < entries; ++i)
    info.m_arrBarID.push_back(static_cast<DWORD>(ReadInt(node, "Bar#" + std::to_string(i), 0)));
  // The framework's own dock bars have the ids from the top dock bar to
  // the floating one, as the profile form reads them.
  info.m_bDockBar = info.m_nBarID >= AFX_IDW_DOCKBAR_TOP && info.m_nBarID <= AFX_IDW_DOCKBAR_TOP + 4;
}

void LoadBarInfoEx(QVTControlBarInfo& info, QVTPersistentTreeNode& node) {
  info.m_dwStyle = static_cast<DWORD>(ReadInt(node, "Style", 0));
  info.m_dwExStyle = static_cast<DWORD>(ReadInt(node, "ExStyle", 0));
  info.m_bPrevFloating = ReadBool(node, "PrevFloating", FALSE);
  info.m_bMDIChild = ReadBool(node, "MDIChild", FALSE);
  if (info.m_bMDIChild) {
    std::vector<BYTE> bytes;
    // Anything but a whole record leaves the placement absent.
    if (node.GetBinaryValue("MDIChildWindowPlacement", bytes) != 0 ||
        !WindowPlacementRecord::FromBytes(bytes, info.m_wpMDIChild))
      info.m_wpMDIChild = WINDOWPLACEMENT{0, 0, 0, {0, 0}, {0, 0}, {0, 0, 0, 0}};
  }
  std::string pct;
  node.GetStringValue("PctWidth", pct, "");
  info.m_fPctWidth = QVTControlBarInfo::PctWidthFromText(pct);
  info.m_szMRUFloat = {ReadSize(node, "MRUFloatCX"), ReadSize(node, "MRUFloatCY")};
  info.m_szMRUHorzDock = {ReadSize(node, "MRUHorzDockCX"), ReadSize(node, "MRUHorzDockCY")};
  info.m_szMRUVertDock = {ReadSize(node, "MRUVertDockCX"), ReadSize(node, "MRUVertDockCY")};
  info.m_dwMRUDockingState =
      static_cast<DWORD>(ReadInt(node, "MRUDockingState", static_cast<int>(info.m_dwMRUDockingState)));
  info.m_dwDockingStyle = static_cast<DWORD>(ReadInt(node, "DockingStyle", static_cast<int>(info.m_dwDockingStyle)));
  info.m_nTypeID = static_cast<UINT>(ReadInt(node, "TypeID", 0));
  node.GetStringValue("ClassName", info.m_strClassName, "");
  node.GetStringValue("WindowName", info.m_strWindowName, "");
  info.m_nResourceID = static_cast<UINT>(ReadInt(node, "ResourceID", static_cast<int>(info.m_nResourceID)));
}

}  // namespace

BOOL QVTControlBarInfo::SaveState(QVTPTNFactory* factory, QVTPersistentTreeNode* parent, int index) {
  if (!parent || IsDefaultDockBar()) return FALSE;
  const std::string name = "Bar-" + std::to_string(index);
  QVTPersistentTreeNode* node = parent->FindChild(name);
  if (node) {
    ClearKeys(*node);
  } else {
    node = (factory ? *factory : parent->GetFactory()).CreateNode(name, parent);
    if (!node) return FALSE;
  }
  NodeWriter write(*node);
  SaveBarInfo(*this, write);
  SaveBarInfoEx(*this, write);
  m_bSaveFailed = write.Result() != 0;
  if (m_pInfoEx && !m_pInfoEx->SaveToNode(factory, node)) m_bSaveFailed = true;
  return TRUE;
}

BOOL QVTControlBarInfo::LoadState(QVTPersistentTreeNode* node, QVTDockState* state) {
  if (!node) return FALSE;
  LoadBarInfo(*this, *node, state);
  LoadBarInfoEx(*this, *node);
  m_pInfoEx.reset();
  if (m_pManager) {
    m_pInfoEx = m_pManager->CreateBarInfoEx(this);
    if (m_pInfoEx) m_pInfoEx->LoadFromNode(node);
  }
  return TRUE;
}

}  // namespace docking
