// The saved record of one control bar: where it is, how it docks and
// floats, its sizes and styles, and the extra state of its bar type. A
// record is plain data; it is filled from a live bar and applied to one by
// the frame, and written and read here in its profile and archive forms.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "docking/QVTControlBarInfoEx.h"
#include "docking/QVTControlBarInfoExFactory.h"
#include "platform/afx/Archive.h"
#include "platform/ui/Window.h"

namespace docking {

using namespace afx;

class QVTDockState;
class QVTPTNFactory;
class QVTPersistentTreeNode;

class QVTControlBarInfo {
 public:
  // Type ids of the bars whose records carry an extension record.
  static constexpr UINT kCustomToolBarTypeID = 14946;
  static constexpr UINT kMenuBarTypeID = 14947;
  // A bar-id list entry of this value plus a bar id keeps the bar's place
  // in a dock bar while the bar is elsewhere; 0 ends a row.
  static constexpr UINT kPlaceholder = 0x10000;
  // Far above any frame's real number of bars or dock-bar entries; a stored
  // count beyond it is damage, not a layout.
  static constexpr int kMaxBarListEntries = 4096;

  QVTControlBarInfo() = default;
  explicit QVTControlBarInfo(QVTControlBarInfoExFactory* manager) : m_pManager(manager) {}
  virtual ~QVTControlBarInfo() = default;
  QVTControlBarInfo(const QVTControlBarInfo&) = delete;
  QVTControlBarInfo& operator=(const QVTControlBarInfo&) = delete;

  // Profile form, in the section "<profile>-Bar<index>". Saving clears the
  // section first, so a key left out now (Visible when the bar is shown
  // again, an old Title) cannot keep its old value. FALSE when the record
  // is not written: a visible docked dock bar at (-1, -1) holding at most
  // one entry says nothing a fresh frame does not know.
  virtual BOOL SaveState(const std::string& profile_name, int index);
  virtual BOOL LoadState(const std::string& profile_name, int index, QVTDockState* state);
  // Settings-tree form: the child "Bar-<index>" of the parent, made by the
  // factory (the parent's own when null) or, when an earlier save left
  // one, emptied and reused. The same keys and rules as the profile form,
  // the flags as "True"/"False". FALSE when nothing is written.
  virtual BOOL SaveState(QVTPTNFactory* factory, QVTPersistentTreeNode* parent, int index);
  virtual BOOL LoadState(QVTPersistentTreeNode* node, QVTDockState* state);
  // Archive form, in the version of `state` (2 when storing). Whether an
  // extension record follows is told by the type id alone.
  void Serialize(CArchive& ar, QVTDockState* state);

  // Whether records of this type id carry an extension record.
  static bool TypeHasExtension(UINT type_id);
  // The record that SaveState leaves out.
  bool IsDefaultDockBar() const;
  // True when a profile write of the last SaveState failed.
  bool SaveFailed() const { return m_bSaveFailed; }
  // The MDI child placement is applied only when it is a whole record:
  // the archive form holds none, and a damaged stored value is refused.
  bool HasMDIChildPlacement() const;

  // The proportional width as stored: millionths, rounded (never
  // truncated, so saving and loading again returns the same text).
  static std::string PctWidthText(float width);
  // The leading decimal number of the text in millionths; 0 for none or a
  // negative number.
  static float PctWidthFromText(const std::string& text);

  // The framework's part of the record.
  UINT m_nBarID = 0;
  BOOL m_bVisible = FALSE;
  BOOL m_bFloating = FALSE;
  BOOL m_bHorz = FALSE;
  BOOL m_bDockBar = FALSE;
  POINT m_pointPos{0, 0};
  UINT m_nMRUWidth = 0;
  BOOL m_bDocking = FALSE;
  UINT m_uMRUDockID = 0;
  RECT m_rectMRUDockPos{0, 0, 0, 0};
  DWORD m_dwMRUFloatStyle = 0;
  POINT m_ptMRUFloatPos{0, 0};
  std::vector<DWORD> m_arrBarID;

  // The toolkit's part.
  SIZE m_szMRUHorzDock{0, 0};
  SIZE m_szMRUVertDock{0, 0};
  SIZE m_szMRUFloat{0, 0};
  DWORD m_dwMRUDockingState = 0;
  DWORD m_dwDockingStyle = 0;
  float m_fPctWidth = 0.0f;
  DWORD m_dwStyle = 0;
  DWORD m_dwExStyle = 0;
  BOOL m_bPrevFloating = FALSE;
  BOOL m_bMDIChild = FALSE;
  WINDOWPLACEMENT m_wpMDIChild{0, 0, 0, {0, 0}, {0, 0}, {0, 0, 0, 0}};
  std::string m_strClassName;
  std::string m_strWindowName;
  UINT m_nResourceID = 0;
  std::unique_ptr<QVTControlBarInfoEx> m_pInfoEx;
  UINT m_nTypeID = 0;
  QVTControlBarInfoExFactory* m_pManager = nullptr;

 private:
  static std::string SectionName(const std::string& profile_name, int index);
  void SaveBarKeys(const std::string& section);
  void SaveExtensionKeys(const std::string& section);
  void LoadBarKeys(const std::string& section, QVTDockState* state);
  void LoadExtensionKeys(const std::string& section);
  void SerializeBarPart(CArchive& ar, QVTDockState* state);
  void SerializeExtensionRecord(CArchive& ar, QVTDockState* state);
  void SerializeBarList(CArchive& ar);

  bool m_bSaveFailed = false;
};

}  // namespace docking
