#include "docking/QVTMiniDockFrameWnd.h"

#include "docking/QVTDockBar.h"

namespace docking {

using namespace ui;
using namespace afx;

IMPLEMENT_DYNCREATE(QVTMiniDockFrameWnd, CMiniDockFrameWnd)

afx::CDockBar* QVTMiniDockFrameWnd::NewFloatingDockBar() { return new QVTDockBar(TRUE); }

}  // namespace docking
