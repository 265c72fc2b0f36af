#include "tests/mdi-demo/MdiDemoTextView.h"

#include <string>

#include "platform/afx/Document.h"
#include "platform/afx/PaintDC.h"
#include "tests/mdi-demo/MdiDemoResources.h"

namespace mdidemo {

using namespace ui;
using namespace afx;

IMPLEMENT_DYNCREATE(MdiDemoTextView, CView)

BEGIN_MESSAGE_MAP(MdiDemoTextView, CView)
  ON_WM_PAINT()
  ON_COMMAND(kCmdUndo, OnUndo)
END_MESSAGE_MAP()

void MdiDemoTextView::OnPaint() {
  CPaintDC dc(this);
  RECT client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, RGB(255, 255, 255));
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0, 0, 0));
  const std::string name = GetDocument() ? GetDocument()->GetTitle() : "";
  for (int line = 0; line < 4; ++line) {
    RECT row{8, 8 + line * 18, client.right - 8, 26 + line * 18};
    dc.DrawText(name + ": line " + std::to_string(line + 1), &row, DT_SINGLELINE | DT_LEFT | DT_VCENTER);
  }
}

}  // namespace mdidemo
