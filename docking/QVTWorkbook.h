// QVTWorkbook: an MDI frame that shows its document windows as the sheets
// of a notebook, with a strip of tabs below the MDI client. A click on a
// tab activates its sheet; activating a sheet any other way raises its
// tab. Hidden sheets have no tab. The tabs are hidden until ShowTabs.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "docking/QVTWorkbookTabStrip.h"
#include "docking/QVTMDIFrameWnd.h"
#include "platform/ui/Tooltip.h"

namespace afx {
class CCmdUI;
class CDC;
class CToolTipCtrl;
}  // namespace afx

namespace docking {

using ui::BOOL;
using ui::DWORD;
using ui::FALSE;
using ui::HFONT;
using ui::HICON;
using ui::HMENU;
using ui::INT_PTR;
using ui::LPARAM;
using ui::LRESULT;
using ui::TRUE;
using ui::UINT;
using ui::WPARAM;

class QVTWorkbookClient;
class QVTSheet;

class QVTWorkbook : public QVTMDIFrameWnd {
  DECLARE_DYNCREATE(QVTWorkbook)
 public:
  using Base = QVTMDIFrameWnd;

  QVTWorkbook();
  ~QVTWorkbook() override;

  // The MDI client with the margin the tabs take, in the frame's client
  // coordinates.
  virtual void GetTabStripRect(ui::RECT* rect) const;
  // Whether a click on the sheet's tab may activate it.
  virtual BOOL CanActivateSheet(QVTSheet* sheet);
  // Sheets register when they are created and leave when destroyed; the
  // tab order is the order of registration.
  virtual void AddSheet(QVTSheet* sheet);
  virtual void RemoveSheet(QVTSheet* sheet);
  // Whether the tab shows the sheet's whole title.
  virtual BOOL TextFitsTab(QVTSheet* sheet);
  // The outline of the sheet's tab; a count of 0 for a sheet without one.
  virtual void GetTabPolygon(QVTSheet* sheet, ui::POINT* points, int* count);
  // The title of the sheet's document, else the sheet's window text.
  virtual std::string GetTabText(QVTSheet* sheet);
  virtual void GetTabLabelRect(const ui::POINT* points, int icon_width, ui::RECT* rect);
  virtual void DrawTab(afx::CDC* dc, QVTSheet* sheet);
  virtual void DrawClientBorder(afx::CDC* dc);
  virtual void DrawTabLabel(afx::CDC* dc, QVTSheet* sheet);
  // The icon the tab shows: none while icons are hidden.
  virtual HICON GetSheetIcon(QVTSheet* sheet);
  // Gives the sheet `icon` (the sheet owns it from then on).
  virtual void SetSheetIcon(QVTSheet* sheet, HICON icon, BOOL redraw);

  void ShowTabs(BOOL show);
  void ToggleTabs() { ShowTabs(!m_bTabsShown); }
  BOOL AreTabsShown() const { return m_bTabsShown; }
  void ShowIcons(BOOL show);
  void ToggleIcons() { ShowIcons(!m_bIconsShown); }
  BOOL AreIconsShown() const { return m_bIconsShown; }
  // Check marks for menu items that toggle the tabs and the icons.
  void OnUpdateShowTabs(afx::CCmdUI* state);
  void OnUpdateShowIcons(afx::CCmdUI* state);

  int GetSheetCount() const { return static_cast<int>(m_sheets.size()); }
  QVTSheet* GetSheet(int index) const;
  int GetTabWidth() const { return m_nTabWidth; }
  // A sheet about to be shown or hidden: its tab comes or goes, and the
  // others share the width anew.
  void OnSheetShowing(QVTSheet* sheet, BOOL show);
  // Repaints the sheet's tab, or everything right of its place.
  void InvalidateTab(QVTSheet* sheet, BOOL through_right_edge = FALSE);
  // The sheet whose tab holds `point` (frame client coordinates), or null.
  QVTSheet* SheetFromPoint(ui::POINT point) const;
  // The tab under `point` as a tool: id index + 1, its bounds and its
  // text; -1 for no tab, or a tab that shows its whole title.
  INT_PTR OnToolHitTest(ui::POINT point, ui::TOOLINFO* info);

  void RecalcLayout(BOOL notify = TRUE) override;

 protected:
  BOOL OnCreateClient(ui::CREATESTRUCT* create, afx::CCreateContext* context) override;
  void OnPaint();
  LRESULT OnEraseBackground(WPARAM dc, LPARAM);
  void OnLButtonDown(UINT flags, ui::POINT point);
  void OnLButtonUp(UINT flags, ui::POINT point);
  void OnMouseMove(UINT flags, ui::POINT point);
  void OnDestroy();
  LRESULT OnActiveSheetChanged(WPARAM, LPARAM);

  DECLARE_MESSAGE_MAP()

 private:
  // The strip as it is, or as it will be once `changing` is shown or hidden.
  QVTWorkbookTabStrip TabStrip(const QVTSheet* changing = nullptr, bool changing_visible = false) const;
  ui::RECT MDIClientRect() const;
  int ActiveSheetIndex() const;
  int IndexOf(const QVTSheet* sheet) const;
  // TRUE when the width changed.
  BOOL RecomputeTabWidth(const QVTSheet* changing = nullptr, bool changing_visible = false);
  void InvalidateTabStrip();
  void UpdateToolTip(ui::POINT point);
  void EnsureToolTip();

  std::vector<QVTSheet*> m_sheets;
  BOOL m_bTabsShown = FALSE;
  BOOL m_bIconsShown = TRUE;
  HFONT m_hTabFont = nullptr;  // a stock font
  std::unique_ptr<QVTWorkbookClient> m_pClient;
  int m_nTabWidth = QVTWorkbookTabLayout::kInitialTabWidth;
  ui::RECT m_rectLastClient{};
  int m_nLastActive = -1;
  std::unique_ptr<afx::CToolTipCtrl> m_pToolTip;
  INT_PTR m_nToolId = -1;
};

}  // namespace docking
