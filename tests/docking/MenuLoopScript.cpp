#include "tests/docking/MenuLoopScript.h"

#include "platform/afx/Wnd.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/MessageLoop.h"

namespace docking::test {

namespace {

void Handle(ui::MSG& msg) {
  if (afx::CWnd::WalkPreTranslateTree(nullptr, &msg)) return;
  ui::TranslateMessage(&msg);
  ui::DispatchMessage(&msg);
}

}  // namespace

void PumpProgramLoop() {
  ui::MSG msg;
  while (ui::PeekMessage(&msg, nullptr, 0, 0, ui::PM_REMOVE)) Handle(msg);
}

void RunScriptSteps(const std::vector<std::function<void()>>& steps) {
  for (const auto& step : steps) ui::GetHeadlessHost().AddScriptStep(step);
  while (ui::GetHeadlessHost().PendingScriptSteps() > 0) {
    ui::MSG msg;
    if (ui::GetMessage(&msg, nullptr, 0, 0) <= 0) break;
    Handle(msg);
    PumpProgramLoop();
  }
  PumpProgramLoop();
}

}  // namespace docking::test
