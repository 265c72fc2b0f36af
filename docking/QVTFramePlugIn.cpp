#include "docking/QVTFramePlugIn.h"

namespace docking {

IMPLEMENT_DYNAMIC(QVTFramePlugIn, afx::CObject)

}  // namespace docking
