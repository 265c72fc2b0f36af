// The archive form of a layout: version, the screen size (from version 2
// on), the number of records and the records.
#include "docking/QVTDockState.h"

namespace docking {

void QVTDockState::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    if (m_arrBarInfo.size() > 0xFFFF)
      throw CArchiveException(CArchiveException::badIndex, "Too many bars for an archive.");
    const SIZE screen = GetScreenSize();
    ar << kVersion << screen.cx << screen.cy << static_cast<WORD>(m_arrBarInfo.size());
    for (const auto& info : m_arrBarInfo) info->Serialize(ar, this);
    return;
  }
  Clear();
  try {
    LoadRecords(ar);
  } catch (...) {
    // Half a layout is no layout: nothing of a damaged archive is applied.
    Clear();
    m_dwVersion = kVersion;
    throw;
  }
  m_dwVersion = kVersion;
}

void QVTDockState::LoadRecords(CArchive& ar) {
  ar >> m_dwVersion;
  if (m_dwVersion < 1 || m_dwVersion > kVersion)
    throw CArchiveException(CArchiveException::badSchema,
                            "A bar layout of version " + std::to_string(m_dwVersion) + " is not known.");
  if (m_dwVersion > 1) {
    SIZE screen;
    ar >> screen.cx >> screen.cy;
    SetScreenSize(screen);
  }
  WORD count = 0;
  ar >> count;
  for (WORD i = 0; i < count; ++i) {
    std::unique_ptr<QVTControlBarInfo> info = CreateBarInfo(m_pManager);
    info->Serialize(ar, this);
    m_arrBarInfo.push_back(std::move(info));
  }
}

}  // namespace docking
