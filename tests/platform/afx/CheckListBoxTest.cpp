// The check list box: a dialog's list taken over, its rows' boxes turned by
// clicks and the space bar as a table of steps (checks, selection and the
// parent's CLBN_CHKCHANGE count after each), disabled rows, item data kept
// beside the checks, and the boxes as painted.
#include <cairo.h>

#include <string>
#include <vector>

#include "AfxFixture.h"
#include "platform/afx/CheckListBox.h"

namespace afx::test {

constexpr UINT kListId = 300;

// A parent that counts its list's check changes.
class CCheckParent : public CWnd {
 public:
  int changes = 0;
  void OnCheckChange() { ++changes; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCheckParent, CWnd)
  ON_CONTROL(CLBN_CHKCHANGE, kListId, OnCheckChange)
END_MESSAGE_MAP()

namespace {

class CheckListBoxTest : public AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Toolbars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 220, nullptr,
                                nullptr));
    // A plain list as a dialog template makes it, then taken over.
    const HWND plain = ::ui::CreateWindowEx(0, "ListBox", "", WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY, 10, 10,
                                            200, 120, parent.m_hWnd,
                                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kListId)), nullptr);
    ASSERT_TRUE(plain);
    ::ui::SendMessage(plain, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Standard"));
    ASSERT_TRUE(list.SubclassDlgItem(kListId, &parent));
    for (const char* name : {"Menu Bar", "Conversion", "Files"}) list.AddString(name);
    row = static_cast<int>(list.SendMessage(LB_GETITEMHEIGHT));
  }
  void TearDown() override {
    list.DestroyWindow();
    parent.DestroyWindow();
    AfxFixture::TearDown();
  }
  void Pump() {
    MSG msg;
    while (::ui::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::ui::TranslateMessage(&msg);
      ::ui::DispatchMessage(&msg);
    }
  }
  void Click(int index, int x) {
    POINT at{x, index * row + row / 2};
    ::ui::ClientToScreen(list.m_hWnd, &at);
    ::ui::InjectClick(at);
    Pump();
  }
  std::string Checks() const {
    std::string marks;
    for (int i = 0; i < list.GetCount(); ++i) marks += static_cast<char>('0' + list.GetCheck(i));
    return marks;
  }
  COLORREF At(POINT client) {
    Pump();
    RECT top;
    ::ui::GetWindowRect(parent.m_hWnd, &top);
    ::ui::ClientToScreen(list.m_hWnd, &client);
    cairo_surface_t* buffer = ::ui::GetBackBuffer(parent.m_hWnd);
    cairo_surface_flush(buffer);
    const int x = client.x - top.left, y = client.y - top.top;
    const unsigned char* line = cairo_image_surface_get_data(buffer) + y * cairo_image_surface_get_stride(buffer);
    const std::uint32_t pixel = reinterpret_cast<const std::uint32_t*>(line)[x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }

  CCheckParent parent;
  CCheckListBox list;
  int row = 13;
};

TEST_F(CheckListBoxTest, ClicksOnTheBoxAndTheSpaceBarTurnChecksAndTellTheParent) {
  enum Act { kClickBox, kClickText, kSpace, kSetCheck, kDisable };
  struct Step {
    const char* what;
    Act act;
    int index;
    std::string checks;
    int selected;
    int changes;
  };
  const std::vector<Step> steps = {
      {"a click on a row's box ticks it and selects the row", kClickBox, 1, "0100", 1, 1},
      {"a click on a row's text only selects it", kClickText, 2, "0100", 2, 1},
      {"space turns the selected row's box", kSpace, 0, "0110", 2, 2},
      {"and back", kSpace, 0, "0100", 2, 3},
      {"SetCheck sets a box without telling the parent", kSetCheck, 3, "0101", 2, 3},
      {"the box of the row taken over with the list works too", kClickBox, 0, "1101", 0, 4},
      {"a disabled row's box does not turn", kDisable, 3, "1101", 3, 4},
      {"not by space either", kSpace, 0, "1101", 3, 4},
  };
  for (const Step& step : steps) {
    switch (step.act) {
      case kClickBox: Click(step.index, 6); break;
      case kClickText: Click(step.index, 80); break;
      case kSpace:
        ::ui::InjectKeyPress(VK_SPACE);
        Pump();
        break;
      case kSetCheck: list.SetCheck(step.index, 1); break;
      case kDisable:
        list.Enable(step.index, FALSE);
        Click(step.index, 6);
        break;
    }
    EXPECT_EQ(Checks(), step.checks) << step.what;
    EXPECT_EQ(list.GetCurSel(), step.selected) << step.what;
    EXPECT_EQ(parent.changes, step.changes) << step.what;
  }
  EXPECT_FALSE(list.IsEnabled(3));
  EXPECT_TRUE(list.IsEnabled(2));
}

TEST_F(CheckListBoxTest, ItemDataLivesBesideTheChecksThroughInsertsAndDeletes) {
  list.SetItemData(1, 0xE800);
  list.SetItemData(2, 0xE820);
  list.SetCheck(2, 1);
  list.InsertString(1, "Inserted");  // rows below move down with their state
  EXPECT_EQ(list.GetItemData(2), 0xE800);
  EXPECT_EQ(list.GetItemData(3), 0xE820);
  EXPECT_EQ(list.GetCheck(3), 1);
  EXPECT_EQ(list.GetCheck(1), 0);
  list.DeleteString(2);
  EXPECT_EQ(list.GetItemData(2), 0xE820);
  EXPECT_EQ(list.GetCheck(2), 1);
  EXPECT_EQ(list.GetItemData(9), LB_ERR);
  list.ResetContent();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetCheck(0), 0);
}

TEST_F(CheckListBoxTest, BoxesArePaintedInTheRowsAndTheSelectionBesideThem) {
  list.SetCheck(1, 1);
  list.SetCurSel(2);
  // Box interiors: a tick in the checked row's, the window colour in the others.
  const POINT box_inside{4, 4};  // near the top-left corner inside the sunken box
  EXPECT_EQ(At(POINT{box_inside.x, 0 * row + box_inside.y}), ::ui::GetSysColor(COLOR_WINDOW));
  bool tick = false;
  for (int y = row + 3; y < 2 * row - 3 && !tick; ++y)
    for (int x = 4; x < 11 && !tick; ++x) tick = At(POINT{x, y}) == ::ui::GetSysColor(COLOR_WINDOWTEXT);
  EXPECT_TRUE(tick);
  EXPECT_EQ(At(POINT{150, 2 * row + row / 2}), ::ui::GetSysColor(COLOR_HIGHLIGHT));  // the selected row's text part
  EXPECT_EQ(At(POINT{1, 2 * row + row / 2}), ::ui::GetSysColor(COLOR_3DSHADOW));     // its box keeps its edge
  Pump();
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/check_list_box.png";
  EXPECT_TRUE(::ui::GetHeadlessHost().DumpWindowPng(parent.m_hWnd, path));
}

}  // namespace
}  // namespace afx::test
