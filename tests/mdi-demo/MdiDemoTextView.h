// The text document's view: white, with a few lines naming its document.
// It takes the Edit menu's command, so that menu's items are enabled.
#pragma once

#include "platform/afx/View.h"

namespace mdidemo {

class MdiDemoTextView : public afx::CView {
  DECLARE_DYNCREATE(MdiDemoTextView)
 public:
  void OnPaint();
  void OnUndo() {}

 protected:
  DECLARE_MESSAGE_MAP()
};

}  // namespace mdidemo
