#include "platform/afx/Brush.h"

namespace afx {

IMPLEMENT_DYNCREATE(CBrush, CGdiObject)

CBrush* CBrush::FromHandle(HBRUSH object) {
  return static_cast<CBrush*>(Temporary(object, [] { return static_cast<CGdiObject*>(new CBrush); }));
}

BOOL CBrush::CreateSysColorBrush(int index) {
  return CreateSolidBrush(::ui::GetSysColor(index));
}

}  // namespace afx
