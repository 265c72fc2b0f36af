// The dialog templates and strings of the toolbar customisation windows:
// the framework's own resources, registered once before their first use.
#pragma once

#include "platform/ui/Types.h"

namespace docking {

struct QVTToolBarsResources {
  static constexpr ui::UINT kToolBarsDialog = 20510;
  static constexpr ui::UINT kNewToolBarDialog = 20511;
  static constexpr ui::UINT kToolBarsPage = 20513;
  static constexpr ui::UINT kResetText = 20536;
  static constexpr ui::UINT kDeleteText = 20537;

  // Control ids of the Toolbars dialog and page.
  static constexpr int kToolBarList = 43094;
  static constexpr int kNameLabel = 43097;
  static constexpr int kNewButton = 43098;
  static constexpr int kCustomizeButton = 43099;
  static constexpr int kResetButton = 43100;
  static constexpr int kToolTipsCheck = 43101;
  static constexpr int kNameEdit = 43102;
  static constexpr int kLargeButtonsCheck = 43103;
  static constexpr int kCoolLookCheck = 43104;
  // The name edit of the New Toolbar dialog.
  static constexpr int kNewNameEdit = 43096;

  // Safe to call any number of times, from any window's constructor.
  static void Register();
};

}  // namespace docking
