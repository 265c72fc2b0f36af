#include "docking/QVTWorkbookTabLayout.h"

#include <algorithm>

namespace docking {

using ui::POINT;
using ui::RECT;

int QVTWorkbookTabLayout::TabWidth(int client_width, int visible_sheets) {
  if (visible_sheets <= 0) return kMaxTabWidth;
  return std::clamp((client_width + 5) / visible_sheets, 0, kMaxTabWidth);
}

QVTWorkbookTabLayout::Polygon QVTWorkbookTabLayout::TabPolygon(int slot, int tab_width, const RECT& client,
                                                               bool raised) {
  const int a = raised ? 1 : 0;
  const int x0 = slot * tab_width + client.left - a * kRaisedExtraWidth / 2;
  const int y0 = client.bottom + kGapBelowClient;
  const int bottom = y0 + kTabHeight + a * kRaisedExtraHeight;
  const int right = x0 + kCornerSlant + tab_width - 2 * kCornerSlant + a * kRaisedExtraWidth;
  return Polygon{POINT{x0, y0},
                 POINT{x0, y0 + kTabHeight - kCornerSlant},
                 POINT{x0 + kCornerSlant, bottom},
                 POINT{right, bottom},
                 POINT{right + kCornerSlant, y0 + kTabHeight - kCornerSlant},
                 POINT{right + kCornerSlant, y0},
                 POINT{x0, y0}};
}

RECT QVTWorkbookTabLayout::LabelRect(const Polygon& tab, int icon_width) {
  return RECT{tab[2].x + icon_width + 3, tab[0].y, tab[4].x - 2, tab[3].y};
}

RECT QVTWorkbookTabLayout::BoundingBox(const Polygon& tab) {
  RECT box{tab[0].x, tab[0].y, tab[0].x, tab[0].y};
  for (const POINT& p : tab) {
    box.left = std::min(box.left, p.x);
    box.top = std::min(box.top, p.y);
    box.right = std::max(box.right, p.x);
    box.bottom = std::max(box.bottom, p.y);
  }
  return box;
}

bool QVTWorkbookTabLayout::Contains(const Polygon& tab, POINT point) {
  // The crossing test at the pixel's centre, so that a point belongs to
  // the tab as a pixel of its filled region does.
  const double px = point.x + 0.5;
  const double py = point.y + 0.5;
  bool inside = false;
  for (size_t i = 0, j = tab.size() - 1; i < tab.size(); j = i++) {
    const POINT& a = tab[i];
    const POINT& b = tab[j];
    if ((a.y > py) == (b.y > py)) continue;
    const double x_at = a.x + (py - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y);
    if (px < x_at) inside = !inside;
  }
  return inside;
}

RECT QVTWorkbookTabLayout::TabInvalidRect(int slot, int tab_width, const RECT& client, int frame_right,
                                          bool through_right_edge) {
  const int left = slot * tab_width + client.left - kRaisedExtraWidth / 2;
  const int right = through_right_edge ? frame_right : left + tab_width + kRaisedExtraWidth;
  return RECT{left, client.bottom + kGapBelowClient, right, client.bottom + kTabHeight + 8};
}

std::string QVTWorkbookTabLayout::ShortenToFit(std::string text,
                                               const std::function<bool(const std::string&)>& fits) {
  while (text.size() >= 4 && !fits(text)) text.replace(text.size() - 4, 4, "...");
  return text;
}

}  // namespace docking
