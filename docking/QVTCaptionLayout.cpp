#include "docking/QVTCaptionLayout.h"

#include <algorithm>

#include "platform/ui/WindowStyles.h"

namespace docking {

int QVTCaptionLayout::CaptionButtons(ui::DWORD style) {
  const bool sysMenu = (style & ui::WS_SYSMENU) != 0;
  const bool maximize = (style & ui::WS_MAXIMIZEBOX) != 0;
  if ((style & ui::WS_MINIMIZEBOX) != 0) {
    return !sysMenu ? 0 : (maximize ? 2 : 1);
  }
  return maximize && sysMenu ? 1 : 0;
}

ui::RECT QVTCaptionLayout::CaptionRect(int windowWidth, ui::DWORD style, bool newShell, bool closeEnabled,
                                       const Metrics& metrics) {
  const bool thick = (style & ui::WS_THICKFRAME) != 0;
  const int insetX = thick ? metrics.cxFrame : metrics.cxBorder;
  const int insetY = thick ? metrics.cyFrame : metrics.cyBorder + 1;
  ui::RECT rect{insetX, insetY, windowWidth - insetX, insetY + metrics.cySize};
  if (newShell) {
    const int buttons = CaptionButtons(style);
    rect.right -= ((closeEnabled ? 1 : 0) + buttons) * metrics.cxSize + (buttons > 0 ? metrics.cxBorder : 0);
  }
  return rect;
}

std::vector<QVTCaptionLayout::Band> QVTCaptionLayout::CalcBands(int left, int right, ui::COLORREF from,
                                                                ui::COLORREF to) {
  std::vector<Band> bands;
  const int width = right - left;
  if (width <= 0) {
    return bands;  // nothing to fill, and no band width to divide by
  }
  const int count = std::min(kMaxBands, width);
  const int bandWidth = width / count;
  int value[3];
  int target[3];
  int step[3];
  for (int c = 0; c < 3; ++c) {
    const int start = static_cast<int>((from >> (8 * c)) & 0xFF);
    target[c] = static_cast<int>((to >> (8 * c)) & 0xFF);
    value[c] = start << 8;
    step[c] = (target[c] - start) * 256 / count;
  }
  bands.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    ui::COLORREF colour = 0;
    for (int c = 0; c < 3; ++c) {
      colour |= static_cast<ui::COLORREF>(value[c] >> 8) << (8 * c);
      value[c] += step[c];
      // Never past the target, whichever way the channel runs.
      if ((step[c] > 0 && value[c] > target[c] << 8) || (step[c] < 0 && value[c] < target[c] << 8)) {
        value[c] = target[c] << 8;
      }
    }
    const int bandLeft = left + i * bandWidth;
    bands.push_back({bandLeft, i == count - 1 ? right : bandLeft + bandWidth, colour});
  }
  return bands;
}

QVTCaptionLayout::TitleParts QVTCaptionLayout::SplitTitle(const std::string& title) {
  const std::size_t dash = title.find('-');
  if (dash == std::string::npos) {
    return {title, ""};
  }
  return {title.substr(0, dash), title.substr(dash)};
}

QVTCaptionLayout::TextPlacement QVTCaptionLayout::PlaceText(int left, int right, int firstWidth, int secondWidth,
                                                            int ellipsisWidth, int alignment) {
  TextPlacement placement;
  const int advance = firstWidth + kFirstPartGap;
  int start = left + kTextIndent;
  placement.drawSecond = right - start >= advance + ellipsisWidth;
  const int total = advance + (placement.drawSecond ? secondWidth : 0);
  if (alignment == kCentred && total <= right - start) {
    start += (right - total - start) / 2;
  } else if (alignment != kLeft && alignment != kCentred && total + 1 <= right - start) {
    start = right - total - 1;
  }
  placement.firstStart = start;
  placement.secondStart = start + advance;
  return placement;
}

}  // namespace docking
