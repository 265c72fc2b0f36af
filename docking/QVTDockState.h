// The saved layout of one frame's control bars: a record per bar, the
// screen size the positions were saved on, and the format version. It is
// written and read in the profile form (sections "<name>-Summary" and
// "<name>-Bar<n>") and the archive form; reading scales positions from the
// saved screen to the current one.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "docking/QVTControlBarInfo.h"
#include "docking/QVTControlBarInfoExFactory.h"
#include "platform/afx/Archive.h"
#include "platform/afx/Object.h"

namespace docking {

class QVTMDIFrameWnd;

using namespace afx;

class QVTDockState : public CObject {
  DECLARE_SERIAL(QVTDockState)

 public:
  static constexpr DWORD kVersion = 2;
  // Far above any frame's real number of bars; a stored count beyond it is
  // damage, not a layout.
  static constexpr int kMaxBars = 1024;

  QVTDockState() = default;
  explicit QVTDockState(QVTControlBarInfoExFactory* manager) : m_pManager(manager) {}
  ~QVTDockState() override = default;

  // Profile form. Saving clears every section it writes and the sections of
  // bars that an earlier save had beyond this one's; FALSE when a write
  // failed. Loading clears the state first.
  virtual BOOL SaveState(const std::string& profile_name);
  virtual BOOL LoadState(const std::string& profile_name);
  // Settings-tree form: the parent's child "DockState" with the summary
  // and a child "Bar-<n>" per record written. An earlier save's
  // "DockState" is emptied and reused, whichever factory made it. Loading
  // clears the state first; FALSE without a parent or its "DockState".
  static constexpr const char* kNodeName = "DockState";
  virtual BOOL SaveState(QVTPTNFactory* factory, QVTPersistentTreeNode* parent);
  virtual BOOL LoadState(QVTPersistentTreeNode* parent);
  // Archive form. Damaged data throws CArchiveException and leaves the
  // state empty.
  virtual void Serialize(CArchive& ar);

  // A frame's layout into records: every framework bar and dock bar of its
  // bar list, in order. FALSE without a frame.
  virtual BOOL GetDockState(afx::CFrameWnd* frame);
  // The records back onto a frame: bars found by id, else made by the
  // manager or by class name (a record whose bar cannot be had is
  // dropped), given their sizes and styles, docked in the rows and columns
  // their dock bars list or floated where they floated, shown or hidden.
  virtual BOOL SetDockState(afx::CFrameWnd* frame);

  virtual std::unique_ptr<QVTControlBarInfo> CreateBarInfo(QVTControlBarInfoExFactory* manager);
  // A class that a stored class name may create: registered, creatable and
  // derived from the bar base class. Null for any other, so a stored name
  // never makes an object that is then used as a bar.
  virtual const CRuntimeClass* FindRuntimeClass(const std::string& class_name) const;
  // The object a record's class name makes (not yet a window), owned by the
  // created-object list when there is one; null when FindRuntimeClass
  // refuses the name or nothing would own the object.
  CObject* CreateBarObject(const QVTControlBarInfo& info);

  void Clear() { m_arrBarInfo.clear(); }
  // Before saving: a placeholder stays only in the dock bar its bar was
  // last docked in, an id appears once in a list, and a list ends with
  // exactly one row end. Entries are removed, never blanked, so no row is
  // split in two.
  void CleanUpBarLists();

  // The screen the positions were saved on; reading scales from it to the
  // current screen. A size of 0 (a summary without sizes) scales nothing.
  void SetScreenSize(SIZE size) { m_sizeSavedScreen = size; }
  // The display's size now, set by the frame; 0 when unknown.
  void SetCurrentScreenSize(SIZE size) { m_sizeCurrentScreen = size; }
  // The screen the state's positions refer to: the current one when known.
  SIZE GetScreenSize() const;
  DWORD GetVersion() const { return m_dwVersion; }
  void ScalePoint(POINT& point) const;
  // Moves the rectangle as its top-left corner scales; its size is kept.
  void ScaleRectPos(RECT& rect) const;

  void SetBarBaseClass(const CRuntimeClass* bar_base) { m_pBarBaseClass = bar_base; }
  void SetObjectList(std::vector<std::unique_ptr<CObject>>* objects) { m_pObjectList = objects; }
  QVTControlBarInfoExFactory* GetManager() const { return m_pManager; }

  std::vector<std::unique_ptr<QVTControlBarInfo>> m_arrBarInfo;

 private:
  static std::string SummarySection(const std::string& profile_name);
  // The bar a record stands for, found or made; null when there is none.
  afx::CControlBar* ResolveBar(afx::CFrameWnd* frame, QVTControlBarInfo& info);
  afx::CControlBar* CreateBarFromInfo(afx::CFrameWnd* frame, const QVTControlBarInfo& info);
  void PlaceDockedBars(afx::CFrameWnd* frame, const QVTControlBarInfo& dock_bar);
  void PutAtSavedPlace(afx::CControlBar* bar) const;
  void PlaceFloatingBars(afx::CFrameWnd* frame, const QVTControlBarInfo& dock_bar);
  // The record of the first bar a dock bar's list names; null for none.
  const QVTControlBarInfo* FirstBarRecordOf(const QVTControlBarInfo& dock_bar) const;
  // The bars of a floating dock bar saved from a document frame go back
  // into a new one, with its saved placement.
  void PlaceMDIChildBars(QVTMDIFrameWnd* frame, const QVTControlBarInfo& dock_bar, const QVTControlBarInfo& first_bar);
  bool NeedsScaling() const;
  void LoadRecords(CArchive& ar);

  QVTControlBarInfoExFactory* m_pManager = nullptr;
  std::vector<std::unique_ptr<CObject>>* m_pObjectList = nullptr;
  const CRuntimeClass* m_pBarBaseClass = nullptr;
  SIZE m_sizeSavedScreen{0, 0};
  SIZE m_sizeCurrentScreen{0, 0};
  DWORD m_dwVersion = kVersion;
};

}  // namespace docking
