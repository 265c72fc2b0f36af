// The archive form of a bar record. It holds no class name, window name,
// resource id or MDI child placement. An extension record follows exactly
// when the type id is one whose bars carry one, so a reader never has to
// guess from what its manager happens to make.
#include "docking/QVTControlBarInfo.h"
#include "docking/QVTDockState.h"

namespace docking {

namespace {

DWORD Flag(BOOL value) { return value ? 1u : 0u; }

void StorePoint(CArchive& ar, const POINT& point) { ar << point.x << point.y; }
void LoadPoint(CArchive& ar, POINT& point) { ar >> point.x >> point.y; }
void StoreSize(CArchive& ar, const SIZE& size) { ar << size.cx << size.cy; }
void LoadSize(CArchive& ar, SIZE& size) { ar >> size.cx >> size.cy; }

BOOL LoadFlag(CArchive& ar) {
  DWORD value = 0;
  ar >> value;
  return value != 0;
}

}  // namespace

void QVTControlBarInfo::Serialize(CArchive& ar, QVTDockState* state) {
  SerializeBarPart(ar, state);
  if (ar.IsStoring()) {
    ar << m_dwStyle << m_dwExStyle << Flag(m_bPrevFloating) << Flag(m_bMDIChild) << PctWidthText(m_fPctWidth);
    StoreSize(ar, m_szMRUFloat);
    StoreSize(ar, m_szMRUHorzDock);
    StoreSize(ar, m_szMRUVertDock);
    ar << m_dwMRUDockingState << m_dwDockingStyle << static_cast<DWORD>(m_nTypeID);
  } else {
    std::string pct_width;
    ar >> m_dwStyle >> m_dwExStyle;
    m_bPrevFloating = LoadFlag(ar);
    m_bMDIChild = LoadFlag(ar);
    ar >> pct_width;
    m_fPctWidth = PctWidthFromText(pct_width);
    LoadSize(ar, m_szMRUFloat);
    LoadSize(ar, m_szMRUHorzDock);
    LoadSize(ar, m_szMRUVertDock);
    DWORD type_id = 0;
    ar >> m_dwMRUDockingState >> m_dwDockingStyle >> type_id;
    m_nTypeID = type_id;
    // The archive holds no placement: the child keeps its own.
    m_wpMDIChild = WINDOWPLACEMENT{0, 0, 0, {0, 0}, {0, 0}, {0, 0, 0, 0}};
  }
  SerializeExtensionRecord(ar, state);
  SerializeBarList(ar);
}

void QVTControlBarInfo::SerializeBarPart(CArchive& ar, QVTDockState* state) {
  const DWORD version = ar.IsStoring() || !state ? QVTDockState::kVersion : state->GetVersion();
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(m_nBarID) << Flag(m_bVisible) << Flag(m_bFloating) << Flag(m_bHorz);
    StorePoint(ar, m_pointPos);
    ar << static_cast<DWORD>(m_nMRUWidth) << Flag(m_bDocking);
    if (m_bDocking) {
      ar << static_cast<DWORD>(m_uMRUDockID) << m_rectMRUDockPos.left << m_rectMRUDockPos.top
         << m_rectMRUDockPos.right << m_rectMRUDockPos.bottom << m_dwMRUFloatStyle;
      StorePoint(ar, m_ptMRUFloatPos);
    }
    return;
  }
  DWORD id = 0;
  ar >> id;
  m_nBarID = id;
  m_bVisible = LoadFlag(ar);
  m_bFloating = LoadFlag(ar);
  m_bHorz = LoadFlag(ar);
  LoadPoint(ar, m_pointPos);
  m_bDockBar = m_nBarID >= AFX_IDW_DOCKBAR_TOP && m_nBarID <= AFX_IDW_DOCKBAR_TOP + 4;
  if (version <= 1) return;  // the first version had no more of this part
  if (state) state->ScalePoint(m_pointPos);
  DWORD width = 0;
  ar >> width;
  m_nMRUWidth = width;
  m_bDocking = LoadFlag(ar);
  if (!m_bDocking) return;
  DWORD dock_id = 0;
  ar >> dock_id >> m_rectMRUDockPos.left >> m_rectMRUDockPos.top >> m_rectMRUDockPos.right >>
      m_rectMRUDockPos.bottom >> m_dwMRUFloatStyle;
  m_uMRUDockID = dock_id;
  LoadPoint(ar, m_ptMRUFloatPos);
  if (state) {
    state->ScaleRectPos(m_rectMRUDockPos);
    state->ScalePoint(m_ptMRUFloatPos);
  }
}

void QVTControlBarInfo::SerializeExtensionRecord(CArchive& ar, QVTDockState* state) {
  if (!TypeHasExtension(m_nTypeID)) return;
  if (ar.IsStoring()) {
    std::unique_ptr<QVTControlBarInfoEx> made;
    QVTControlBarInfoEx* extension = m_pInfoEx.get();
    if (!extension && m_pManager) extension = (made = m_pManager->CreateBarInfoEx(this)).get();
    if (!extension)
      throw CArchiveException(CArchiveException::genericException,
                              "A bar of type " + std::to_string(m_nTypeID) + " has no extension record to store.");
    extension->Serialize(ar, state);
    return;
  }
  m_pInfoEx = m_pManager ? m_pManager->CreateBarInfoEx(this) : nullptr;
  if (!m_pInfoEx)
    throw CArchiveException(CArchiveException::badClass, "The extension record of a bar of type " +
                                                             std::to_string(m_nTypeID) +
                                                             " cannot be read without its toolbar manager.");
  m_pInfoEx->Serialize(ar, state);
}

void QVTControlBarInfo::SerializeBarList(CArchive& ar) {
  if (ar.IsStoring()) {
    if (m_arrBarID.size() > 0xFFFF)
      throw CArchiveException(CArchiveException::badIndex, "A dock bar list too long for an archive.");
    ar << static_cast<WORD>(m_arrBarID.size());
    for (const DWORD entry : m_arrBarID) ar << entry;
    return;
  }
  WORD count = 0;
  ar >> count;
  m_arrBarID.clear();
  for (WORD i = 0; i < count; ++i) {
    DWORD entry = 0;
    ar >> entry;
    m_arrBarID.push_back(entry);
  }
}

}  // namespace docking
