#include "platform/afx/Bitmap.h"

namespace afx {

IMPLEMENT_DYNCREATE(CBitmap, CGdiObject)

CBitmap* CBitmap::FromHandle(HBITMAP object) {
  return static_cast<CBitmap*>(Temporary(object, [] { return static_cast<CGdiObject*>(new CBitmap); }));
}

}  // namespace afx
