#include "tests/mdi-demo/MdiDemoPlotView.h"

#include "platform/afx/PaintDC.h"
#include "tests/mdi-demo/MdiDemoResources.h"

namespace mdidemo {

using namespace ui;
using namespace afx;

IMPLEMENT_DYNCREATE(MdiDemoPlotView, CView)

BEGIN_MESSAGE_MAP(MdiDemoPlotView, CView)
  ON_WM_PAINT()
  ON_COMMAND(kCmdGrid, OnGrid)
  ON_COMMAND(kCmdAxes, OnAxes)
END_MESSAGE_MAP()

void MdiDemoPlotView::OnGrid() {
  grid_ = !grid_;
  Invalidate();
}

void MdiDemoPlotView::OnPaint() {
  CPaintDC dc(this);
  RECT client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, RGB(255, 255, 240));
  const int left = 20, bottom = client.bottom - 20, right = client.right - 10, top = 10;
  if (right <= left || bottom <= top) return;
  if (grid_)
    for (int x = left; x < right; x += 30) dc.FillSolidRect(x, top, 1, bottom - top, RGB(220, 220, 220));
  dc.FillSolidRect(left, top, 2, bottom - top, RGB(0, 0, 0));
  dc.FillSolidRect(left, bottom, right - left, 2, RGB(0, 0, 0));
  // A zigzag of small blocks, so the curve shows at any size.
  const int height = bottom - top;
  for (int x = left + 2; x < right; x += 3) {
    const int phase = ((x - left) / 3) % 40;
    const int y = bottom - height / 8 - (phase < 20 ? phase : 40 - phase) * (height * 3 / 4) / 20;
    dc.FillSolidRect(x, y, 3, 3, RGB(200, 0, 0));
  }
}

}  // namespace mdidemo
