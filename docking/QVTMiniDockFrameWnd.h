// QVTMiniDockFrameWnd: the floating frame of the framework's bars; it holds
// the framework's own floating dock bar.
#pragma once

#include "platform/afx/MiniDockFrameWnd.h"

namespace docking {

class QVTMiniDockFrameWnd : public afx::CMiniDockFrameWnd {
  DECLARE_DYNCREATE(QVTMiniDockFrameWnd)
 public:
  QVTMiniDockFrameWnd() = default;

 protected:
  afx::CDockBar* NewFloatingDockBar() override;
};

}  // namespace docking
