#include "platform/afx/Pen.h"

namespace afx {

IMPLEMENT_DYNCREATE(CPen, CGdiObject)

CPen* CPen::FromHandle(HPEN object) {
  return static_cast<CPen*>(Temporary(object, [] { return static_cast<CGdiObject*>(new CPen); }));
}

}  // namespace afx
