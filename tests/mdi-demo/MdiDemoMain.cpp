// The MDI demo on the display: run it to try the document frames by hand
// (maximise one and its menu fills the menu bar, restore it, cascade or
// tile them from the Window menu). Exit status 2 when there is no display.
#include <cstdio>
#include <string>

#include "platform/afx/AfxIds.h"
#include "platform/sys/DisplayProbe.h"
#include "platform/ui/Host.h"
#include "platform/wxhost/WxHost.h"
#include "tests/mdi-demo/MdiDemo.h"

int main(int, char** argv) {
  sys::DisplayProbe probe;
  const sys::DisplayProbe::Result opened = probe.Open();
  if (opened != sys::DisplayProbe::Result::kOpened) {
    std::fprintf(stderr, "briven-mdi-demo: %s\n", sys::DisplayProbe::Message(opened).c_str());
    return 2;
  }
  std::string error;
  std::unique_ptr<wxhost::WxHost> host = wxhost::WxHost::Start(probe, argv[0], error);
  if (!host) {
    std::fprintf(stderr, "briven-mdi-demo: %s\n", error.c_str());
    return 2;
  }
  ui::SetHost(host.get());
  {
    mdidemo::MdiDemo demo;
    ui::MSG msg;
    while (ui::IsWindow(demo.frame_hwnd)) {
      // Idle time: pending layouts and command updates, as a program's loop does.
      if (!ui::PeekMessage(&msg, nullptr, 0, 0, ui::PM_NOREMOVE))
        ui::SendMessage(demo.frame_hwnd, afx::WM_IDLEUPDATECMDUI, ui::TRUE, 0);
      if (ui::GetMessage(&msg, nullptr, 0, 0) <= 0) break;
      // The menu bar's keys and the accelerators come first.
      if (afx::CWnd::WalkPreTranslateTree(nullptr, &msg)) continue;
      ui::TranslateMessage(&msg);
      ui::DispatchMessage(&msg);
    }
  }
  ui::SetHost(nullptr);
  return 0;
}
