#include "docking/QVTToolBarDrawingData.h"

namespace docking {

void ToolkitDrawingData::UpdateSysColors() {
  clrBtnFace = GetSysColor(COLOR_BTNFACE);
  clrBtnShadow = GetSysColor(COLOR_BTNSHADOW);
  clrBtnHilite = GetSysColor(COLOR_BTNHIGHLIGHT);
  clrWindowFrame = GetSysColor(COLOR_WINDOWFRAME);
  clr3DLight = GetSysColor(COLOR_3DLIGHT);
  clr3DDkShadow = GetSysColor(COLOR_3DDKSHADOW);
  clrWindowText = GetSysColor(COLOR_WINDOWTEXT);
  clrWindow = GetSysColor(COLOR_WINDOW);
  clrHighlight = GetSysColor(COLOR_HIGHLIGHT);
  clrHighlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
}

ToolkitDrawingData& ToolkitDrawingData::Get() {
  static ToolkitDrawingData* data = [] {
    auto* made = new ToolkitDrawingData;  // lives to the end: painting may run at exit
    made->UpdateSysColors();
    made->hcurArrow = LoadCursor(IDC_ARROW);
    return made;
  }();
  return *data;
}

}  // namespace docking
