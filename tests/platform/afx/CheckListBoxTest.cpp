// The check list box: its items draw their own boxes through the parent's
// reflected WM_DRAWITEM, clicks on a box and Space turn checks as the
// check style says, and item data lives beside the checks.
#include <filesystem>
#include <string>
#include <vector>

#include "AfxFixture.h"
#include "platform/afx/CheckListBox.h"
#include "platform/afx/MessageMap.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/HeadlessInput.h"

namespace afx::test {

class CCheckParent : public CWnd {
 public:
  int changes = 0;
  void OnCheckChange() { ++changes; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCheckParent, CWnd)
  ON_CONTROL(CLBN_CHKCHANGE, 10, OnCheckChange)
END_MESSAGE_MAP()

namespace {

class CheckListBoxTest : public AfxFixture {
 public:
  void SetUp() override {
    AfxFixture::SetUp();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "checks", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 240, 200, nullptr, nullptr));
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, RECT{10, 10, 190, 120}, &parent, 10));
    for (const char* name : {"Standard", "Conversion", "Custom 1", "Custom 2"}) list.AddString(name);
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
  int Row() const { return static_cast<int>(list.SendMessage(LB_GETITEMHEIGHT)); }
  void ClickBox(int index) {
    ::ui::PostClick(list.m_hWnd, POINT{6, index * Row() + Row() / 2});
    Pump();
  }
  void ClickText(int index) {
    ::ui::PostClick(list.m_hWnd, POINT{80, index * Row() + Row() / 2});
    Pump();
  }
  void Space() {
    ::ui::PostKeyPress(VK_SPACE);
    Pump();
  }
  std::vector<int> Checks() const {
    std::vector<int> checks;
    for (int i = 0; i < list.GetCount(); ++i) checks.push_back(list.GetCheck(i));
    return checks;
  }
  CCheckParent parent;
  CCheckListBox list;
};

TEST_F(CheckListBoxTest, ClicksOnABoxAndSpaceTurnChecksAndTellTheParent) {
  list.Enable(3, FALSE);
  struct Step {
    const char* what;
    void (CheckListBoxTest::*act)(int);
    int item;
    std::vector<int> checks;
    int changes;
    int selected;
  };
  const Step steps[] = {
      {"a click on a box checks it", &CheckListBoxTest::ClickBox, 1, {0, 1, 0, 0}, 1, 1},
      {"again unchecks it", &CheckListBoxTest::ClickBox, 1, {0, 0, 0, 0}, 2, 1},
      {"a click on the text only selects", &CheckListBoxTest::ClickText, 2, {0, 0, 0, 0}, 2, 2},
      {"a disabled item keeps its check", &CheckListBoxTest::ClickBox, 3, {0, 0, 0, 0}, 2, 3},
      {"another box", &CheckListBoxTest::ClickBox, 0, {1, 0, 0, 0}, 3, 0},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    (this->*step.act)(step.item);
    EXPECT_EQ(Checks(), step.checks);
    EXPECT_EQ(parent.changes, step.changes);
    EXPECT_EQ(list.GetCurSel(), step.selected);
  }
  Space();  // the selected item, 0
  EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(parent.changes, 4);
}

TEST_F(CheckListBoxTest, CheckStylesBoundTheStatesAndManualStylesLeaveTurningToTheParent) {
  list.SetCheck(0, 2);  // a two-state box refuses the third state
  EXPECT_EQ(list.GetCheck(0), 0);
  list.SetCheckStyle(BS_AUTO3STATE);
  for (const int expected : {1, 2, 0}) {
    ClickBox(0);
    EXPECT_EQ(list.GetCheck(0), expected);
  }
  list.SetCheckStyle(BS_CHECKBOX);
  ClickBox(0);
  EXPECT_EQ(list.GetCheck(0), 0);
  EXPECT_EQ(parent.changes, 4);  // told, but the parent turns it
  list.SetCheckStyle(0x0F);      // no check style: unchanged
  EXPECT_EQ(list.GetCheckStyle(), static_cast<UINT>(BS_CHECKBOX));
}

TEST_F(CheckListBoxTest, ItemDataAndChecksMoveWithTheirItems) {
  list.SetItemData(2, 77);
  list.SetCheck(3, 1);
  EXPECT_EQ(list.GetItemData(0), 0);
  list.DeleteString(0);
  EXPECT_EQ(list.GetItemData(1), 77);
  EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 1}));
  EXPECT_EQ(list.GetItemData(9), LB_ERR);
  list.ResetContent();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetCheck(0), 0);
}

TEST_F(CheckListBoxTest, ItemsAreDrawnWithTheirBoxesForAPersonToLookAt) {
  list.SetCheck(1, 1);
  list.SetCheckStyle(BS_AUTO3STATE);
  list.SetCheck(2, 2);
  list.Enable(3, FALSE);
  list.SetCurSel(1);
  Pump();
  ::ui::UpdateWindow(parent.m_hWnd);
  ::ui::UpdateWindow(list.m_hWnd);
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/check_list.png";
  ASSERT_TRUE(::ui::GetHeadlessHost().DumpWindowPng(parent.m_hWnd, path));
  EXPECT_GT(std::filesystem::file_size(path), 0u);
}

}  // namespace
}  // namespace afx::test
