// The tab control: a row of tabs across the top of a panel, one of them
// selected. A click on another tab asks the parent first (TCN_SELCHANGING,
// a nonzero answer keeps the old tab) and then tells it (TCN_SELCHANGE).
// Property sheets show their pages on its panel.
#pragma once

#include "platform/ui/Tooltip.h"
#include "platform/ui/Types.h"

namespace ui {

constexpr const char* WC_TABCONTROL = "SysTabControl32";

constexpr UINT TCM_FIRST = 0x1300;
constexpr UINT TCM_GETITEMCOUNT = TCM_FIRST + 4;
constexpr UINT TCM_INSERTITEM = TCM_FIRST + 7;
constexpr UINT TCM_DELETEALLITEMS = TCM_FIRST + 9;
constexpr UINT TCM_GETITEMRECT = TCM_FIRST + 10;
constexpr UINT TCM_GETCURSEL = TCM_FIRST + 11;
constexpr UINT TCM_SETCURSEL = TCM_FIRST + 12;
constexpr UINT TCM_ADJUSTRECT = TCM_FIRST + 40;

constexpr UINT TCN_FIRST = static_cast<UINT>(-550);
constexpr UINT TCN_SELCHANGE = TCN_FIRST - 1;
constexpr UINT TCN_SELCHANGING = TCN_FIRST - 2;

constexpr UINT TCIF_TEXT = 0x0001;
constexpr UINT TCIF_PARAM = 0x0008;

struct TCITEM {
  UINT mask = 0;
  DWORD dwState = 0;
  DWORD dwStateMask = 0;
  const char* pszText = nullptr;
  int cchTextMax = 0;
  int iImage = -1;
  LPARAM lParam = 0;
};

}  // namespace ui
