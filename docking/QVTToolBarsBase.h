// QVTToolBarsBase: what the Toolbars dialog and the Toolbars property page
// share. The list of the frame's toolbars with a check box each for
// whether the bar shows, the name of the selected user toolbar, the
// Reset/Delete button, the New button, and the tooltip, cool-look and
// large-button options, chosen and as they were when the window opened.
// The window mixing it in routes its controls' notifications here.
#pragma once

#include "docking/QVTToolBarsSnapshot.h"
#include "platform/afx/CheckListBox.h"

namespace afx {
class CDataExchange;
class CFrameWnd;
}  // namespace afx

namespace docking {

using namespace afx;

class QVTCustomToolBar;
class QVTToolBarManager;

class QVTToolBarsBase {
 public:
  static constexpr int kMaxNameLength = 128;
  // Control ids from here on belong to toolbars the user made; the menu bar's is not one.
  static constexpr UINT kFirstUserBarId = 0xE820;

  explicit QVTToolBarsBase(afx::CWnd* owner);
  virtual ~QVTToolBarsBase() = default;
  QVTToolBarsBase(const QVTToolBarsBase&) = delete;
  QVTToolBarsBase& operator=(const QVTToolBarsBase&) = delete;

  // The chosen and the initial settings from the manager.
  void Init(QVTToolBarManager* manager);
  // The manager gets the chosen settings, or back the initial ones.
  void Apply() const;
  void Revert() const;
  void FillList();
  void UpdateSelection();
  // "WM_BARNOTIFY": a bar was shown, hidden, made or destroyed.
  void OnBarNotify(UINT barId, UINT code);
  void Rename();
  // Asks for a name and makes a floating toolbar; TRUE when one was made.
  BOOL NewToolBar();
  void ResetOrDelete();
  void ToggleVisibility();
  // An option's check box changed: the chosen settings are read and applied.
  void OnOptionChanged();

  static bool IsUserBar(UINT id);
  QVTToolBarManager* GetManager() const { return m_pManager; }
  afx::CCheckListBox& List() { return m_list; }

  int m_bToolTips = TRUE;
  int m_bCoolLook = FALSE;
  int m_bLargeButtons = FALSE;

 protected:
  // Makes the list control a check list box; at initialisation.
  void AttachList();
  // The three options with their check boxes.
  void ExchangeOptions(afx::CDataExchange* dx);
  // Remembers the toolbars, and the cancel path takes them back.
  void TakeSnapshot();
  void RestoreSnapshot();
  QVTCustomToolBar* BarOfItem(int index) const;
  afx::CFrameWnd* Frame() const;
  int ItemOfBar(UINT barId) const;
  void InsertItem(int index, const std::string& title, UINT barId, int check);
  // A new floating bar's place: below the top dock bar's left end, else
  // off the client area's bottom-right corner; kept wholly on the work area.
  POINT NewBarPosition() const;
  void KeepOnWorkArea(QVTCustomToolBar* bar) const;

  QVTToolBarManager* m_pManager = nullptr;
  int m_bInitialToolTips = TRUE;
  int m_bInitialCoolLook = FALSE;
  int m_bInitialLargeButtons = FALSE;
  afx::CWnd* m_pOwner;
  afx::CCheckListBox m_list;
  QVTToolBarsSnapshot m_snapshot;
};

}  // namespace docking
