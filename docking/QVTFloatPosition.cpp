#include "docking/QVTFloatPosition.h"

#include <algorithm>

namespace docking {

ui::POINT QVTFloatPosition::ClampToWorkArea(ui::POINT point, ui::SIZE size, const ui::RECT& work) {
  point.x = std::min(point.x, work.right - kVisibleMargin);
  if (point.x + size.cx < work.left + kVisibleMargin) {
    point.x = work.left + kVisibleMargin - size.cx;
  }
  point.y = std::min(point.y, work.bottom - kVisibleMargin);
  if (point.y + size.cy < work.top + kVisibleMargin) {
    point.y = work.top + kVisibleMargin - size.cy;
  }
  return point;
}

ui::POINT QVTFloatPosition::ForToggle(bool remembered, ui::POINT rememberedPoint, ui::POINT present) {
  return remembered ? rememberedPoint : present;
}

}  // namespace docking
