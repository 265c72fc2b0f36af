// Objects whose windows end inside their own handlers are deleted only once
// the handler has returned (run under AddressSanitizer to see it).
#include <string>
#include <vector>

#include "AfxFixture.h"
#include "platform/afx/Wnd.h"

namespace afx::test {

std::vector<std::string> lifetime_log;

// A window object that owns itself, as frames and floating bars do.
class CSelfOwnedWnd : public CWnd {
 public:
  explicit CSelfOwnedWnd(std::string name) : name_(std::move(name)) {}
  ~CSelfOwnedWnd() override { lifetime_log.push_back("delete " + name_); }

 protected:
  void PostNcDestroy() override { delete this; }
  std::string name_;
};

// A bar that, on a click, destroys its parent (and with it itself), then
// goes on using its own members, as a handler does after such a call.
class CClosingBar : public CSelfOwnedWnd {
 public:
  CClosingBar() : CSelfOwnedWnd("bar") {}
  void OnLButtonUp(UINT, POINT) {
    ::ui::DestroyWindow(::ui::GetParent(m_hWnd));
    handled_ += 1;  // still this object's memory
    lifetime_log.push_back("bar handler done " + std::to_string(handled_));
  }
  DECLARE_MESSAGE_MAP()

 private:
  int handled_ = 0;
};

BEGIN_MESSAGE_MAP(CClosingBar, CSelfOwnedWnd)
  ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

// A bar that destroys only itself.
class CSelfClosingBar : public CSelfOwnedWnd {
 public:
  CSelfClosingBar() : CSelfOwnedWnd("self") {}
  void OnLButtonUp(UINT, POINT) {
    DestroyWindow();
    lifetime_log.push_back("self handler done " + name_);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfClosingBar, CSelfOwnedWnd)
  ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {

class DeferredDestroyTest : public AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    lifetime_log.clear();
  }
  void Pump() {
    MSG msg;
    while (::ui::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) ::ui::DispatchMessage(&msg);
  }
};

TEST_F(DeferredDestroyTest, AClickHandlerThatDestroysItsWindowAndItsParentRunsToItsEnd) {
  auto* frame = new CSelfOwnedWnd("frame");
  ASSERT_TRUE(frame->CreateEx(0, nullptr, "frame", WS_POPUP | WS_VISIBLE, 100, 100, 200, 150, nullptr, nullptr));
  auto* bar = new CClosingBar;
  ASSERT_TRUE(bar->CreateEx(0, nullptr, "bar", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20, frame->m_hWnd, nullptr));
  const HWND frame_hwnd = frame->m_hWnd, bar_hwnd = bar->m_hWnd;
  ::ui::InjectClick(POINT{150, 110});  // on the bar
  Pump();
  EXPECT_FALSE(::ui::IsWindow(frame_hwnd));
  EXPECT_FALSE(::ui::IsWindow(bar_hwnd));
  EXPECT_EQ(lifetime_log, (std::vector<std::string>{"bar handler done 1", "delete bar", "delete frame"}));
}

TEST_F(DeferredDestroyTest, AHandlerThatDestroysItsOwnWindowIsDeletedAfterItReturns) {
  auto* bar = new CSelfClosingBar;
  ASSERT_TRUE(bar->CreateEx(0, nullptr, "self", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
  ::ui::SendMessage(bar->m_hWnd, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(lifetime_log, (std::vector<std::string>{"self handler done self", "delete self"}));
}

TEST_F(DeferredDestroyTest, AWindowDestroyedOutsideItsHandlersIsDeletedAtOnce) {
  auto* frame = new CSelfOwnedWnd("frame");
  ASSERT_TRUE(frame->CreateEx(0, nullptr, "frame", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
  ::ui::DestroyWindow(frame->m_hWnd);
  EXPECT_EQ(lifetime_log, (std::vector<std::string>{"delete frame"}));
}

}  // namespace
}  // namespace afx::test
