#include "tests/docking/DockingFrameFixture.h"

#include "docking/QVTStatusBar.h"
#include "platform/afx/MiniDockFrameWnd.h"

namespace docking::test {

using namespace ui;
using namespace afx;

void DockingFrameFixture::SetUp() {
  AfxFixture::SetUp();
  frame = new QVTFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, "Docking", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 60, 900, 660}));
  frame_hwnd = frame->m_hWnd;
  frame->EnableDocking(CBRS_ALIGN_ANY);
  tools = MakeBar("Tools", kToolBarId, CBRS_TOP, QVT_BARSTYLE_ALONE_IN_ROW, SIZE{200, 28}, SIZE{28, 200},
                  SIZE{200, 28});
  output = MakeBar("Output", kOutputBarId, CBRS_BOTTOM, QVT_BARSTYLE_SIZABLE | QVT_BARSTYLE_CONTEXTMENU,
                   SIZE{300, 120}, SIZE{160, 300}, SIZE{260, 140});
  files = MakeBar("Files", kFilesBarId, CBRS_RIGHT, QVT_BARSTYLE_SIZABLE, SIZE{300, 100}, SIZE{150, 300},
                  SIZE{180, 220});
  ::ui::SetActiveWindow(frame_hwnd);
  ::ui::SetFocus(frame_hwnd);
  frame->RecalcLayout();
  Pump();
}

void DockingFrameFixture::TearDown() {
  if (::ui::IsWindow(frame_hwnd)) ::ui::DestroyWindow(frame_hwnd);
  Pump();
  QVTControlBar::SetMenuTracker(nullptr);
  AfxFixture::TearDown();
}

QVTControlBar* DockingFrameFixture::MakeBar(const char* name, UINT id, DWORD side_style, DWORD ex_style,
                                            SIZE horizontal, SIZE vertical, SIZE floating) {
  auto* bar = new QVTControlBar;
  bar->m_bAutoDelete = TRUE;
  EXPECT_TRUE(bar->Create(frame, name, WS_CHILD | WS_VISIBLE | CBRS_SIZE_DYNAMIC | side_style, ex_style, id));
  bar->m_szHorz = horizontal;
  bar->m_szVert = vertical;
  bar->m_szFloat = floating;
  bar->EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(bar);
  return bar;
}

void DockingFrameFixture::Pump() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

RECT DockingFrameFixture::ScreenRect(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return rect;
}

RECT DockingFrameFixture::ScreenRect(const CWnd* wnd) { return ScreenRect(wnd->m_hWnd); }

RECT DockingFrameFixture::ClientOnScreen() const {
  RECT client;
  frame->GetClientRect(&client);
  frame->ClientToScreen(&client);
  return client;
}

QVTDockBar* DockingFrameFixture::DockBar(UINT id) const {
  return dynamic_cast<QVTDockBar*>(frame->GetControlBar(id));
}

void DockingFrameFixture::Drag(POINT from, POINT to, bool ctrl) {
  if (ctrl) InjectKeyDown(VK_CONTROL);
  InjectDrag(from, to, 6);
  if (ctrl) InjectKeyUp(VK_CONTROL);
  Pump();
}

HWND DockingFrameFixture::FloatingFrameOf(const CControlBar* bar) {
  if (!bar->IsFloating()) return nullptr;
  return GetAncestor(bar->m_hWnd, GA_ROOT);
}

POINT DockingFrameFixture::CaptionPoint(HWND floating) {
  const RECT window = ScreenRect(floating);
  RECT client;
  GetClientRect(floating, &client);
  POINT origin{0, 0};
  ClientToScreen(floating, &origin);
  return POINT{(window.left + window.right) / 2, (window.top + origin.y) / 2 + 1};
}

}  // namespace docking::test
