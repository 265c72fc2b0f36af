// The MDI demo as a whole: its application object with a text and a plot
// document template, the main frame, two text documents and a plot open.
// The demo program shows it; the X11 tests drive it.
#pragma once

#include "platform/afx/MultiDocTemplate.h"
#include "platform/afx/WinApp.h"
#include "tests/mdi-demo/MdiDemoFrame.h"

namespace mdidemo {

class MdiDemo {
 public:
  MdiDemo();
  ~MdiDemo();
  MdiDemo(const MdiDemo&) = delete;
  MdiDemo& operator=(const MdiDemo&) = delete;

  afx::CWinApp app{"Briven MDI demo"};
  afx::CMultiDocTemplate* text = nullptr;
  afx::CMultiDocTemplate* plot = nullptr;
  MdiDemoFrame* frame = nullptr;
  ui::HWND frame_hwnd = nullptr;
};

}  // namespace mdidemo
