// The plot document's view: axes and a zigzag curve, with a grid that the
// Plot menu switches on and off.
#pragma once

#include "platform/afx/View.h"

namespace mdidemo {

class MdiDemoPlotView : public afx::CView {
  DECLARE_DYNCREATE(MdiDemoPlotView)
 public:
  void OnPaint();
  void OnGrid();
  void OnAxes() {}

 protected:
  bool grid_ = true;
  DECLARE_MESSAGE_MAP()
};

}  // namespace mdidemo
