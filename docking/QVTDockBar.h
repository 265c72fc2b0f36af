// QVTDockBar: the framework's dock bar. Its bars stand in rows (the dock
// array); sizable bars share a row by proportion with splitters between
// them, a splitter and a thin edge set a sizable row off from the client
// area, and toolbar rows hold their bars at their own sizes. The user drags
// the splitters with the mouse.
#pragma once

#include <vector>

#include "docking/QVTDockArray.h"
#include "docking/QVTDockRowLayout.h"
#include "platform/afx/DockBar.h"

namespace docking {

class QVTControlBar;
class QVTControlBarInfo;

class QVTDockBar : public afx::CDockBar {
  DECLARE_DYNAMIC(QVTDockBar)
 public:
  explicit QVTDockBar(ui::BOOL floating = ui::FALSE);
  // Bars that outlive the dock bar forget it.
  ~QVTDockBar() override;

  void DockControlBar(afx::CControlBar* bar, const ui::RECT* rect = nullptr) override;
  void ReDockControlBar(afx::CControlBar* bar, const ui::RECT* rect = nullptr) override;
  // Docks at a row and column as a layout restore asks for it.
  void DockControlBarAt(afx::CControlBar* bar, int row, int column);
  ui::BOOL RemoveControlBar(afx::CControlBar* bar, int position = -1, int position_bar = 0) override;
  ui::BOOL HoldsBar(const afx::CControlBar* bar) const override;
  int GetDockedCount() const override;
  int GetDockedVisibleCount() const override;
  afx::CControlBar* GetFirstDockedBar() const override;

  ui::SIZE CalcFixedLayout(ui::BOOL stretch, ui::BOOL horizontal) override;
  void DoPaint(afx::CDC* dc) override;

  // The bar whose share the next layout honours (docked or shown last).
  void SetLastChangedBar(afx::CControlBar* bar) { m_pLastChanged = bar; }
  void OnBarShown(afx::CControlBar* bar);
  // Whether the bar has its row to itself but the others' minimum shares,
  // and whether no other visible bar shares its row.
  bool IsBarExpanded(const afx::CControlBar* bar) const;
  bool IsBarAloneInRow(const afx::CControlBar* bar) const;
  // Expand (1) gives the bar its row, contract (2) gives all bars equal shares.
  void ExpandBar(afx::CControlBar* bar, int mode);

  const QVTDockArray& Array() const { return m_array; }
  // The dock bar's record: its id, where a floating one's frame is, and its
  // list of bar ids (a placeholder as 0x10000 plus the id, 0 ending a row).
  void GetBarInfo(QVTControlBarInfo* info) const;
  QVTDockSide Side() const;
  // The last layout, in this dock bar's client coordinates.
  const QVTDockRowLayout::Result& LastLayout() const { return m_layout; }
  int SplitterAt(ui::POINT client) const;
  // Drags splitter `index` of the last layout from `client`; the
  // displacement applied (0 when cancelled or not started).
  int DragSplitter(int index, ui::POINT client);
  void ApplySplitterMove(const QVTDockRowLayout::Splitter& splitter, int delta);

  void OnLButtonDown(ui::UINT flags, ui::POINT point);
  void OnMouseMove(ui::UINT flags, ui::POINT point);
  ui::BOOL OnSetCursor(afx::CWnd* wnd, ui::UINT hit, ui::UINT message);

 private:
  class BarsView : public QVTDockArray::Bars {
   public:
    explicit BarsView(const QVTDockBar& owner) : owner_(owner) {}
    bool IsVisible(QVTDockArray::Bar bar) const override;
    bool StaysAloneInRow(QVTDockArray::Bar bar) const override;
    ui::UINT BarId(QVTDockArray::Bar bar) const override;
    ui::RECT BarRect(QVTDockArray::Bar bar) const override;

   private:
    const QVTDockBar& owner_;
  };
  static afx::CControlBar* BarOf(QVTDockArray::Bar bar) { return static_cast<afx::CControlBar*>(bar); }
  int AvailableLength() const;
  // The length of the rows at the last layout.
  int RowLength() const;
  // The rows of the array as the layout reads them; shares are normalised
  // on the way.
  std::vector<QVTDockRowLayout::Row> CollectRows(int available);
  ui::SIZE CalcFloatingLayout(bool commit);
  // The client area the frame leaves, in this dock bar's coordinates.
  ui::RECT ClientAreaHere() const;
  void RequestLayout();
  ui::HCURSOR SplitterCursor(int index) const;

  BarsView m_view{*this};
  QVTDockArray m_array{m_view};
  QVTDockRowLayout::Result m_layout;
  std::vector<QVTDockRowLayout::Row> m_rows;
  int m_nAvailable = 0;
  afx::CControlBar* m_pLastChanged = nullptr;

  DECLARE_MESSAGE_MAP()
};

}  // namespace docking
