// The geometry of the frame's own caption, without a window: where the
// caption goes among the frame's borders and buttons, the bands of its
// colour gradient, and where the two parts of the title are drawn.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/Types.h"

namespace docking {

class QVTCaptionLayout {
 public:
  static constexpr int kMaxBands = 60;
  static constexpr int kTextIndent = 3;
  static constexpr int kFirstPartGap = 6;

  enum Alignment { kLeft = 0, kCentred = 1, kRight = 2 };

  struct Metrics {
    int cxFrame = 4, cyFrame = 4;    // SM_CXFRAME, SM_CYFRAME
    int cxBorder = 1, cyBorder = 1;  // SM_CXBORDER, SM_CYBORDER
    int cxSize = 18, cySize = 18;    // SM_CXSIZE, SM_CYSIZE
  };

  struct Band {
    int left = 0;
    int right = 0;
    ui::COLORREF colour = 0;
  };

  struct TitleParts {
    std::string first;   // up to the first '-', or the whole title
    std::string second;  // from the first '-' on, or empty
  };

  struct TextPlacement {
    int firstStart = 0;
    int secondStart = 0;
    bool drawSecond = false;
  };

  // The caption rectangle in window coordinates. `buttons` counts the
  // caption buttons other than close that the style shows; `closeEnabled`
  // is whether the system menu has an enabled close item.
  static ui::RECT CaptionRect(int windowWidth, ui::DWORD style, bool newShell, bool closeEnabled,
                              const Metrics& metrics);
  static int CaptionButtons(ui::DWORD style);

  // The gradient from `from` at the left to `to` at the right: at most 60
  // bands, one per pixel when the caption is narrower, the last reaching
  // the right edge. A caption of no width has no bands.
  static std::vector<Band> CalcBands(int left, int right, ui::COLORREF from, ui::COLORREF to);

  static TitleParts SplitTitle(const std::string& title);

  // Where the title goes between `left` and `right`. The second part is
  // drawn only when the room from left + 3 holds the first part's advance
  // (its width + 6) and "W..." (`ellipsisWidth`); a centred or right-aligned
  // title moves only when it fits.
  static TextPlacement PlaceText(int left, int right, int firstWidth, int secondWidth, int ellipsisWidth,
                                 int alignment);
};

}  // namespace docking
