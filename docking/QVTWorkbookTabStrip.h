// Which of a workbook's sheets have tabs, and where they are: a snapshot
// of the sheets in tab order (shown or hidden, pressed), the active one,
// the tab width and the MDI client the tabs hang below. Hidden sheets have
// no tab, and the tabs after them close up.
#pragma once

#include <optional>
#include <vector>

#include "docking/QVTWorkbookTabLayout.h"

namespace docking {

class QVTWorkbookTabStrip {
 public:
  struct Sheet {
    bool visible = true;
    bool pressed = false;
  };

  QVTWorkbookTabStrip(std::vector<Sheet> sheets, int active, int tab_width, const ui::RECT& client);

  int SheetCount() const { return static_cast<int>(m_sheets.size()); }
  int VisibleCount() const;
  // The sheet's place among the visible ones; -1 for a hidden sheet or an
  // index out of range.
  int SlotOf(int index) const;
  // The active and the pressed tab stand out.
  bool IsRaised(int index) const;
  // The outline of the sheet's tab; none for a sheet without a tab.
  std::optional<QVTWorkbookTabLayout::Polygon> TabOf(int index) const;
  // The sheet whose tab holds `point`, or -1. The active tab lies on top
  // of its neighbours, so it is asked first.
  int HitTest(ui::POINT point) const;

 private:
  std::vector<Sheet> m_sheets;
  int m_active;
  int m_tabWidth;
  ui::RECT m_client;
};

}  // namespace docking
