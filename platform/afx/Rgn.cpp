#include "platform/afx/Rgn.h"

namespace afx {

IMPLEMENT_DYNCREATE(CRgn, CGdiObject)

CRgn* CRgn::FromHandle(HRGN object) {
  return static_cast<CRgn*>(Temporary(object, [] { return static_cast<CGdiObject*>(new CRgn); }));
}

}  // namespace afx
