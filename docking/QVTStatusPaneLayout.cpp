#include "docking/QVTStatusPaneLayout.h"

namespace docking {

int QVTStatusPaneLayout::InsideWidth(int windowWidth, int insideLoss, bool sizeGrip, bool parentMaximised,
                                     const Metrics& metrics) {
  int width = windowWidth - insideLoss;
  if (sizeGrip && !parentMaximised) {
    width -= 2 * metrics.cxBorder + metrics.horizontal + metrics.cxVScroll;
  }
  return width;
}

std::vector<int> QVTStatusPaneLayout::CalcPartEdges(std::span<const QVTStatusPane> panes, int insideWidth,
                                                    const Metrics& metrics) {
  int spare = insideWidth + metrics.gap;
  int stretching = 0;
  for (const QVTStatusPane& pane : panes) {
    spare -= pane.width + metrics.gap + kPaneMargin;
    if ((pane.style & SBPS_STRETCH) != 0) {
      ++stretching;
    }
  }
  std::vector<int> edges;
  edges.reserve(panes.size());
  int x = metrics.horizontal;
  for (const QVTStatusPane& pane : panes) {
    x += pane.width + kPaneMargin;
    if ((pane.style & SBPS_STRETCH) != 0 && spare > 0) {
      const int share = spare / stretching;
      x += share;
      spare -= share;
      --stretching;
    }
    edges.push_back(x);
    x += metrics.gap;
  }
  return edges;
}

}  // namespace docking
