// The rebar control: bands counted, read back by the members asked for,
// laid out in rows with their children inside, and deleted.
#include <string>

#include "UiFixture.h"

namespace ui::test {
namespace {

class RebarControlTest : public UiFixture {
 protected:
  void SetUp() override {
    UiFixture::SetUp();
    parent = MakeWindow(WS_POPUP | WS_VISIBLE, nullptr, 0, RECT{20, 20, 420, 220});
    rebar = CreateWindowEx(0, "ReBarWindow32", "", WS_CHILD | WS_VISIBLE | RBS_BANDBORDERS, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(59396), nullptr);
  }
  HWND AddBand(UINT style, int cx_min, int cy_min, const char* text = nullptr, UINT id = 0) {
    const HWND child = MakeWindow(WS_CHILD | WS_VISIBLE, parent, 0, RECT{0, 0, 10, 10});
    REBARBANDINFO info;
    info.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID | (text ? RBBIM_TEXT : 0);
    info.fStyle = style;
    info.hwndChild = child;
    info.cxMinChild = static_cast<UINT>(cx_min);
    info.cyMinChild = static_cast<UINT>(cy_min);
    info.wID = id;
    info.lpText = const_cast<char*>(text);
    EXPECT_TRUE(SendMessage(rebar, RB_INSERTBAND, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&info)));
    return child;
  }
  static RECT InParent(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    MapWindowPoints(nullptr, GetParent(child), corners, 2);
    return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
  }
  HWND parent = nullptr;
  HWND rebar = nullptr;
};

TEST_F(RebarControlTest, BandsAreCountedAndGiveBackWhatIsAskedFor) {
  EXPECT_EQ(SendMessage(rebar, RB_GETBANDCOUNT, 0, 0), 0);
  const HWND first = AddBand(RBBS_GRIPPERALWAYS, 100, 22, "Tools", 7);
  const HWND second = AddBand(0, 60, 30);
  EXPECT_EQ(SendMessage(rebar, RB_GETBANDCOUNT, 0, 0), 2);
  EXPECT_EQ(GetParent(first), rebar);  // the band's child is the rebar's
  REBARBANDINFO info;
  info.fMask = RBBIM_CHILD;
  ASSERT_TRUE(SendMessage(rebar, RB_GETBANDINFO, 1, reinterpret_cast<LPARAM>(&info)));
  EXPECT_EQ(info.hwndChild, second);
  EXPECT_EQ(info.wID, 0u);  // not asked for, not filled
  char text[8] = {};
  info.fMask = RBBIM_TEXT | RBBIM_ID | RBBIM_CHILDSIZE | RBBIM_STYLE;
  info.lpText = text;
  info.cch = sizeof text;
  ASSERT_TRUE(SendMessage(rebar, RB_GETBANDINFO, 0, reinterpret_cast<LPARAM>(&info)));
  EXPECT_STREQ(text, "Tools");
  EXPECT_EQ(info.wID, 7u);
  EXPECT_EQ(info.cyMinChild, 22u);
  EXPECT_EQ(info.fStyle, RBBS_GRIPPERALWAYS);
  EXPECT_FALSE(SendMessage(rebar, RB_GETBANDINFO, 2, reinterpret_cast<LPARAM>(&info)));
}

TEST_F(RebarControlTest, BandsShareARowUntilABreakAndTheRebarTakesTheirHeight) {
  const HWND first = AddBand(0, 100, 22);
  const HWND second = AddBand(0, 60, 30);
  const HWND third = AddBand(RBBS_BREAK, 50, 20);
  EXPECT_EQ(SendMessage(rebar, RB_GETROWCOUNT, 0, 0), 2);
  // Rows: the tallest child and padding above and below, an etched line between rows.
  EXPECT_EQ(SendMessage(rebar, RB_GETBARHEIGHT, 0, 0), 34 + 2 + 24);
  EXPECT_EQ(InParent(rebar), (RECT{0, 0, 400, 60}));  // along its parent's top
  const RECT a = InParent(first), b = InParent(second), c = InParent(third);
  EXPECT_LT(a.right, b.left + 1);
  EXPECT_EQ(a.bottom - a.top, 22);
  EXPECT_EQ(b.right, 400);  // the row's last band takes the rest
  EXPECT_GE(c.top, 36);
  EXPECT_EQ(c.right, 400);
  RECT band;
  ASSERT_TRUE(SendMessage(rebar, RB_GETRECT, 0, reinterpret_cast<LPARAM>(&band)));
  EXPECT_EQ(band.top, 0);
  EXPECT_EQ(band.bottom, 34);
}

TEST_F(RebarControlTest, HiddenAndDeletedBandsTakeNoRoom) {
  AddBand(0, 100, 22);
  const HWND second = AddBand(RBBS_BREAK, 60, 30);
  REBARBANDINFO hide;
  hide.fMask = RBBIM_STYLE;
  hide.fStyle = RBBS_BREAK | RBBS_HIDDEN;
  ASSERT_TRUE(SendMessage(rebar, RB_SETBANDINFO, 1, reinterpret_cast<LPARAM>(&hide)));
  EXPECT_EQ(SendMessage(rebar, RB_GETBARHEIGHT, 0, 0), 26);
  EXPECT_FALSE(IsWindowVisible(second));
  ASSERT_TRUE(SendMessage(rebar, RB_DELETEBAND, 0, 0));
  EXPECT_EQ(SendMessage(rebar, RB_GETBANDCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessage(rebar, RB_GETBARHEIGHT, 0, 0), 0);
  EXPECT_FALSE(SendMessage(rebar, RB_DELETEBAND, 1, 0));
}

}  // namespace
}  // namespace ui::test
