#include "docking/QVTWorkbookTabStrip.h"

#include <algorithm>
#include <utility>

namespace docking {

QVTWorkbookTabStrip::QVTWorkbookTabStrip(std::vector<Sheet> sheets, int active, int tab_width,
                                         const ui::RECT& client)
    : m_sheets(std::move(sheets)), m_active(active), m_tabWidth(tab_width), m_client(client) {}

int QVTWorkbookTabStrip::VisibleCount() const {
  return static_cast<int>(std::count_if(m_sheets.begin(), m_sheets.end(), [](const Sheet& s) { return s.visible; }));
}

int QVTWorkbookTabStrip::SlotOf(int index) const {
  if (index < 0 || index >= SheetCount() || !m_sheets[index].visible) return -1;
  const auto hidden_before = std::count_if(m_sheets.begin(), m_sheets.begin() + index,
                                           [](const Sheet& s) { return !s.visible; });
  return index - static_cast<int>(hidden_before);
}

bool QVTWorkbookTabStrip::IsRaised(int index) const {
  return index == m_active || (index >= 0 && index < SheetCount() && m_sheets[index].pressed);
}

std::optional<QVTWorkbookTabLayout::Polygon> QVTWorkbookTabStrip::TabOf(int index) const {
  const int slot = SlotOf(index);
  if (slot < 0) return std::nullopt;
  return QVTWorkbookTabLayout::TabPolygon(slot, m_tabWidth, m_client, IsRaised(index));
}

int QVTWorkbookTabStrip::HitTest(ui::POINT point) const {
  auto holds = [&](int index) {
    const auto tab = TabOf(index);
    return tab && QVTWorkbookTabLayout::Contains(*tab, point);
  };
  if (holds(m_active)) return m_active;
  for (int index = 0; index < SheetCount(); ++index)
    if (index != m_active && holds(index)) return index;
  return -1;
}

}  // namespace docking
