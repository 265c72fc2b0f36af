#include "docking/QVTBarInsideRect.h"

#include "docking/QVTBarStyles.h"

namespace docking {

ui::RECT QVTBarInsideRect::CalcInsideRect(ui::RECT rect, ui::DWORD style, ui::DWORD exStyle, bool horizontal,
                                          bool withGripper, bool docked, const Margins& margins) {
  if ((style & CBRS_BORDER_LEFT) != 0) rect.left += 1;
  if ((style & CBRS_BORDER_TOP) != 0) rect.top += 1;
  if ((style & CBRS_BORDER_RIGHT) != 0) rect.right -= 1;
  if ((style & CBRS_BORDER_BOTTOM) != 0) rect.bottom -= 1;
  const bool gripper = withGripper && docked && (exStyle & QVT_BARSTYLE_GRIPPER) != 0;
  const int lead = gripper ? kGripperSize : margins.left;
  if (horizontal) {
    rect.left += lead;
    rect.top += margins.top;
    rect.right -= margins.right;
    rect.bottom -= margins.bottom;
  } else {
    rect.left += margins.top;
    rect.top += lead;
    rect.right -= margins.bottom;
    rect.bottom -= margins.right;
  }
  return rect;
}

}  // namespace docking
