#include "tests/mdi-demo/MdiDemoDocument.h"

namespace mdidemo {

IMPLEMENT_DYNCREATE(MdiDemoDocument, afx::CDocument)

}  // namespace mdidemo
