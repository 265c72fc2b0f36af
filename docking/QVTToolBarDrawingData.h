// The colours and metrics the toolkit paints bars and buttons with, read
// from the system once and again whenever the system colours change.
#pragma once

#include "platform/afx/AfxIds.h"
#include "platform/ui/Gdi.h"

namespace docking {

using namespace afx;

struct ToolkitDrawingData {
  int cxBorder2 = 2;
  int cyBorder2 = 2;
  COLORREF clrBtnFace = 0;
  COLORREF clrBtnShadow = 0;
  COLORREF clrBtnHilite = 0;
  COLORREF clrWindowFrame = 0;
  COLORREF clr3DLight = 0;
  COLORREF clr3DDkShadow = 0;
  COLORREF clrWindowText = 0;
  COLORREF clrWindow = 0;
  COLORREF clrHighlight = 0;
  COLORREF clrHighlightText = 0;
  HCURSOR hcurArrow = nullptr;
  BOOL bNewShell = TRUE;

  // Re-reads the system colours (after WM_SYSCOLORCHANGE).
  void UpdateSysColors();

  // The process's one record, filled on first use.
  static ToolkitDrawingData& Get();
};

}  // namespace docking
