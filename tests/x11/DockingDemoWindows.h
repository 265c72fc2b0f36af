// The docking demo: a frame of the docking framework with a white view, a
// status bar, two sizable bars ("Output" at the bottom, "Files" at the
// left) and a toolbar-like bar ("Tools", alone in its row at the top). The
// demo program shows it on the display; the X11 tests drive it with
// xdotool.
#pragma once

#include "docking/QVTControlBar.h"
#include "docking/QVTFrameWnd.h"
#include "docking/QVTStatusBar.h"

namespace x11test {

constexpr ui::UINT kDemoOutputId = 0xE803;
constexpr ui::UINT kDemoFilesId = 0xE804;
constexpr ui::UINT kDemoToolsId = 0xE805;

class DockingDemo {
 public:
  DockingDemo();
  ~DockingDemo();
  DockingDemo(const DockingDemo&) = delete;
  DockingDemo& operator=(const DockingDemo&) = delete;

  docking::QVTFrameWnd* frame = nullptr;
  ui::HWND frame_hwnd = nullptr;
  docking::QVTControlBar* output = nullptr;
  docking::QVTControlBar* files = nullptr;
  docking::QVTControlBar* tools = nullptr;
  docking::QVTStatusBar* status = nullptr;
};

}  // namespace x11test
