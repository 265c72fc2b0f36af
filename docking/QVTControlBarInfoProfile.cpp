// The profile form of a bar record: the framework's keys under their
// write-when-not-default rules, then the toolkit's keys, then the
// extension record's own, all in the section "<profile>-Bar<index>".
#include <algorithm>

#include "docking/QVTControlBarInfo.h"
#include "docking/QVTDockState.h"
#include "platform/afx/WindowPlacementRecord.h"
#include "platform/sys/Profile.h"

namespace docking {

namespace {

// Keeps the first failure of a run of profile writes.
class SectionWriter {
 public:
  explicit SectionWriter(const std::string& section, bool& failed) : section_(section), failed_(failed) {}
  void Int(const char* key, long long value) {
    if (!sys::AppProfile().WriteInt(section_, key, static_cast<int>(value))) failed_ = true;
  }
  void String(const char* key, const std::string& value) {
    if (!sys::AppProfile().WriteString(section_, key, value)) failed_ = true;
  }
  void Binary(const char* key, const std::vector<unsigned char>& value) {
    if (!sys::AppProfile().WriteBinary(section_, key, value)) failed_ = true;
  }

 private:
  const std::string& section_;
  bool& failed_;
};

int ReadInt(const std::string& section, const char* key, int default_value) {
  return sys::AppProfile().GetInt(section, key, default_value);
}

LONG ReadSize(const std::string& section, const char* key) { return std::max(ReadInt(section, key, 0), 0); }

}  // namespace

std::string QVTControlBarInfo::SectionName(const std::string& profile_name, int index) {
  return profile_name + "-Bar" + std::to_string(index);
}

BOOL QVTControlBarInfo::SaveState(const std::string& profile_name, int index) {
  m_bSaveFailed = false;
  if (IsDefaultDockBar()) return FALSE;
  const std::string section = SectionName(profile_name, index);
  if (!sys::AppProfile().DeleteSection(section)) m_bSaveFailed = true;
  SaveBarKeys(section);
  SaveExtensionKeys(section);
  if (m_pInfoEx) m_pInfoEx->SaveState(section);
  return TRUE;
}

void QVTControlBarInfo::SaveBarKeys(const std::string& section) {
  SectionWriter write(section, m_bSaveFailed);
  write.Int("BarID", m_nBarID);
  if (!m_bVisible) write.Int("Visible", 0);
  if (m_bFloating) {
    write.Int("Horz", m_bHorz);
    write.Int("Floating", m_bFloating);
  }
  if (m_pointPos.x != -1) write.Int("XPos", m_pointPos.x);
  if (m_pointPos.y != -1) write.Int("YPos", m_pointPos.y);
  if (m_nMRUWidth != 32767) write.Int("MRUWidth", m_nMRUWidth);
  if (m_bDocking) {
    write.Int("Docking", m_bDocking);
    write.Int("MRUDockID", m_uMRUDockID);
    write.Int("MRUDockLeftPos", m_rectMRUDockPos.left);
    write.Int("MRUDockTopPos", m_rectMRUDockPos.top);
    write.Int("MRUDockRightPos", m_rectMRUDockPos.right);
    write.Int("MRUDockBottomPos", m_rectMRUDockPos.bottom);
    write.Int("MRUFloatStyle", m_dwMRUFloatStyle);
    write.Int("MRUFloatXPos", m_ptMRUFloatPos.x);
    write.Int("MRUFloatYPos", m_ptMRUFloatPos.y);
  }
  if (m_arrBarID.size() > 1) {
    write.Int("Bars", static_cast<long long>(m_arrBarID.size()));
    for (std::size_t i = 0; i < m_arrBarID.size(); ++i)
      write.Int(("Bar#" + std::to_string(i)).c_str(), m_arrBarID[i]);
  }
}

void QVTControlBarInfo::SaveExtensionKeys(const std::string& section) {
  SectionWriter write(section, m_bSaveFailed);
  write.Int("Style", m_dwStyle);
  write.Int("ExStyle", m_dwExStyle);
  write.Int("PrevFloating", m_bPrevFloating);
  write.Int("MDIChild", m_bMDIChild);
  if (m_bMDIChild) write.Binary("MDIChildWindowPlacement", WindowPlacementRecord::ToBytes(m_wpMDIChild));
  write.String("PctWidth", PctWidthText(m_fPctWidth));
  write.Int("MRUFloatCX", m_szMRUFloat.cx);
  write.Int("MRUFloatCY", m_szMRUFloat.cy);
  write.Int("MRUHorzDockCX", m_szMRUHorzDock.cx);
  write.Int("MRUHorzDockCY", m_szMRUHorzDock.cy);
  write.Int("MRUVertDockCX", m_szMRUVertDock.cx);
  write.Int("MRUVertDockCY", m_szMRUVertDock.cy);
  write.Int("MRUDockingState", m_dwMRUDockingState);
  write.Int("DockingStyle", m_dwDockingStyle);
  write.Int("TypeID", m_nTypeID);
  write.String("ClassName", m_strClassName);
  write.String("WindowName", m_strWindowName);
  write.Int("ResourceID", m_nResourceID);
}

BOOL QVTControlBarInfo::LoadState(const std::string& profile_name, int index, QVTDockState* state) {
  const std::string section = SectionName(profile_name, index);
  LoadBarKeys(section, state);
  LoadExtensionKeys(section);
  if (m_pManager) {
    m_pInfoEx = m_pManager->CreateBarInfoEx(this);
    if (m_pInfoEx) m_pInfoEx->LoadState(section, state);
  }
  return TRUE;
}

void QVTControlBarInfo::LoadBarKeys(const std::string& section, QVTDockState* state) {
  m_nBarID = static_cast<UINT>(ReadInt(section, "BarID", 0));
  m_bVisible = ReadInt(section, "Visible", TRUE);
  m_bHorz = ReadInt(section, "Horz", TRUE);
  m_bFloating = ReadInt(section, "Floating", FALSE);
  m_pointPos = {ReadInt(section, "XPos", -1), ReadInt(section, "YPos", -1)};
  if (state) state->ScalePoint(m_pointPos);
  m_nMRUWidth = static_cast<UINT>(ReadInt(section, "MRUWidth", 32767));
  m_bDocking = ReadInt(section, "Docking", FALSE);
  if (m_bDocking) {
    m_uMRUDockID = static_cast<UINT>(ReadInt(section, "MRUDockID", 0));
    m_rectMRUDockPos = {ReadInt(section, "MRUDockLeftPos", 0), ReadInt(section, "MRUDockTopPos", 0),
                        ReadInt(section, "MRUDockRightPos", 0), ReadInt(section, "MRUDockBottomPos", 0)};
    if (state) state->ScaleRectPos(m_rectMRUDockPos);
    m_dwMRUFloatStyle = static_cast<DWORD>(ReadInt(section, "MRUFloatStyle", 0));
    m_ptMRUFloatPos = {ReadInt(section, "MRUFloatXPos", 0), ReadInt(section, "MRUFloatYPos", 0)};
    if (state) state->ScalePoint(m_ptMRUFloatPos);
  }
  const int entries = std::clamp(ReadInt(section, "Bars", 0), 0, kMaxBarListEntries);
  m_arrBarID.clear();
  m_arrBarID.reserve(static_cast<std::size_t>(entries));
  for (int i = 0; i < entries; ++i)
    m_arrBarID.push_back(static_cast<DWORD>(ReadInt(section, ("Bar#" + std::to_string(i)).c_str(), 0)));
  // The framework's own dock bars have the ids from the top dock bar to
  // the floating one.
  m_bDockBar = m_nBarID >= AFX_IDW_DOCKBAR_TOP && m_nBarID <= AFX_IDW_DOCKBAR_TOP + 4;
}

void QVTControlBarInfo::LoadExtensionKeys(const std::string& section) {
  m_dwStyle = static_cast<DWORD>(ReadInt(section, "Style", 0));
  m_dwExStyle = static_cast<DWORD>(ReadInt(section, "ExStyle", 0));
  m_bPrevFloating = ReadInt(section, "PrevFloating", 0);
  m_bMDIChild = ReadInt(section, "MDIChild", 0);
  if (m_bMDIChild) {
    std::vector<unsigned char> bytes;
    // Anything but a whole record leaves the placement absent, and no
    // placement is applied for it.
    if (!sys::AppProfile().GetBinary(section, "MDIChildWindowPlacement", bytes) ||
        !WindowPlacementRecord::FromBytes(bytes, m_wpMDIChild))
      m_wpMDIChild = WINDOWPLACEMENT{0, 0, 0, {0, 0}, {0, 0}, {0, 0, 0, 0}};
  }
  m_fPctWidth = PctWidthFromText(sys::AppProfile().GetString(section, "PctWidth", ""));
  m_szMRUFloat = {ReadSize(section, "MRUFloatCX"), ReadSize(section, "MRUFloatCY")};
  m_szMRUHorzDock = {ReadSize(section, "MRUHorzDockCX"), ReadSize(section, "MRUHorzDockCY")};
  m_szMRUVertDock = {ReadSize(section, "MRUVertDockCX"), ReadSize(section, "MRUVertDockCY")};
  m_dwMRUDockingState =
      static_cast<DWORD>(ReadInt(section, "MRUDockingState", static_cast<int>(m_dwMRUDockingState)));
  m_dwDockingStyle = static_cast<DWORD>(ReadInt(section, "DockingStyle", static_cast<int>(m_dwDockingStyle)));
  m_nTypeID = static_cast<UINT>(ReadInt(section, "TypeID", 0));
  m_strClassName = sys::AppProfile().GetString(section, "ClassName", "");
  m_strWindowName = sys::AppProfile().GetString(section, "WindowName", "");
  m_nResourceID = static_cast<UINT>(ReadInt(section, "ResourceID", static_cast<int>(m_nResourceID)));
}

}  // namespace docking
