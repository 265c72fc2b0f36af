// The tooltip wrapper: tools named by window (and id), texts, and a tip
// that shows on its own for a window it watches.
#include <string>

#include "AfxFixture.h"
#include "platform/afx/ToolTipCtrl.h"

namespace afx::test {
namespace {

class ToolTipCtrlTest : public AfxFixture {};

TEST_F(ToolTipCtrlTest, ToolsByWindowAndIdCarryTheirTextsAndShowAfterTheDelay) {
  CWnd owner;
  ASSERT_TRUE(
      owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200, nullptr, nullptr));
  CToolTipCtrl tips;
  ASSERT_TRUE(tips.Create(&owner, TTS_ALWAYSTIP));
  const RECT tab{10, 10, 60, 30};
  ASSERT_TRUE(tips.AddTool(&owner, "Sheet 1", &tab, 1));
  ASSERT_TRUE(tips.AddTool(&owner, "The whole window"));
  struct Case {
    const char* what;
    UINT_PTR id;
    std::string text;
  };
  const Case cases[] = {{"a rectangle tool", 1, "Sheet 1"}, {"the window as a tool", 0, "The whole window"}};
  for (const Case& c : cases) EXPECT_EQ(tips.GetText(&owner, c.id), c.text) << c.what;
  tips.UpdateTipText("Sheet one", &owner, 1);
  EXPECT_EQ(tips.GetText(&owner, 1), "Sheet one");
  tips.SetDelayTime(TTDT_INITIAL, 200);
  EXPECT_EQ(tips.GetDelayTime(TTDT_INITIAL), 200);
  tips.DelTool(&owner);
  EXPECT_EQ(tips.GetToolCount(), 1);
  POINT at{20, 20};
  ::ui::ClientToScreen(owner.m_hWnd, &at);
  ::ui::InjectMouseMove(at);
  MSG msg;
  while (::ui::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) ::ui::DispatchMessage(&msg);
  clock.Advance(200);
  while (::ui::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) ::ui::DispatchMessage(&msg);
  EXPECT_TRUE(tips.IsWindowVisible());
  tips.Pop();
  EXPECT_FALSE(tips.IsWindowVisible());
  tips.DestroyWindow();
  owner.DestroyWindow();
}

}  // namespace
}  // namespace afx::test
