// The workbook on the headless screen: sheets register and leave, the tab
// width follows the client and the visible sheets, a click on a tab
// activates its sheet and activating a sheet raises its tab, and the strip
// is dumped for a person to look at.
#include "docking/QVTWorkbook.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "docking/QVTControlBar.h"
#include "docking/QVTControlBarWorksheet.h"
#include "docking/QVTWorkbookClient.h"
#include "docking/QVTWorksheet.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/HeadlessInput.h"
#include "platform/ui/ImageResources.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/Resources.h"
#include "tests/platform/afx/AfxFixture.h"

namespace docking::test {
namespace {

using namespace ui;
using namespace afx;

constexpr UINT kSheetResource = 0x7A10;

class QVTWorkbookTest : public afx::test::AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    RegisterStringResource(kSheetResource, "Sheet\nSheet");
    RegisterIconResource(kSheetResource, LoadIcon(IDI_APPLICATION));
    workbook = new QVTWorkbook;
    ASSERT_TRUE(workbook->Create(nullptr, "Workbook", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{40, 40, 640, 480}));
    hwnd = workbook->m_hWnd;
    workbook->ShowTabs(TRUE);
    Pump();
  }
  void TearDown() override {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    Pump();
    AfxFixture::TearDown();
  }
  static void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  }
  QVTWorksheet* AddSheet(const std::string& title, bool show = true) {
    auto* sheet = new QVTWorksheet;
    EXPECT_TRUE(sheet->LoadFrame(kSheetResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, workbook));
    sheet->SetTitle(title);
    sheet->OnUpdateFrameTitle(TRUE);
    if (show) sheet->ActivateFrame();
    Pump();
    return sheet;
  }
  RECT ClientInFrame() const {
    RECT rect;
    GetWindowRect(workbook->m_hWndMDIClient, &rect);
    workbook->ScreenToClient(&rect);
    return rect;
  }
  // Resizes the frame so that the MDI client is `width` wide.
  void SetClientWidth(int width) {
    RECT frame;
    workbook->GetWindowRect(&frame);
    const int grow = width - (ClientInFrame().right - ClientInFrame().left);
    SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left + grow, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    ASSERT_EQ(ClientInFrame().right - ClientInFrame().left, width);
  }
  std::vector<POINT> Tab(QVTSheet* sheet) {
    POINT points[QVTWorkbookTabLayout::kPolygonPoints];
    int count = 0;
    workbook->GetTabPolygon(sheet, points, &count);
    return std::vector<POINT>(points, points + count);
  }
  // The middle of a sheet's tab, on the screen.
  POINT TabCentreOnScreen(QVTWorksheet* sheet) {
    const std::vector<POINT> tab = Tab(sheet);
    POINT point{(tab[0].x + tab[5].x) / 2, tab[0].y + 10};
    ClientToScreen(hwnd, &point);
    return point;
  }
  QVTWorksheet* Active() const { return dynamic_cast<QVTWorksheet*>(workbook->MDIGetActive()); }

  QVTWorkbook* workbook = nullptr;
  HWND hwnd = nullptr;
};

TEST_F(QVTWorkbookTest, TheClientKeepsItsMarginForTheTabsOnlyWhileTheyAreShown) {
  RECT frame_client;
  workbook->GetClientRect(&frame_client);
  const RECT shown = ClientInFrame();
  EXPECT_EQ(shown.left - frame_client.left, 13);
  EXPECT_EQ(shown.top - frame_client.top, 13);
  EXPECT_EQ(frame_client.right - shown.right, 13);
  EXPECT_EQ(frame_client.bottom - shown.bottom, 33);
  RECT strip;
  workbook->GetTabStripRect(&strip);
  EXPECT_EQ(strip, frame_client);
  workbook->ShowTabs(FALSE);
  EXPECT_EQ(ClientInFrame(), frame_client);
}

TEST_F(QVTWorkbookTest, TabsShareTheClientWidthUpToTheirCap) {
  std::vector<QVTWorksheet*> sheets;
  for (int i = 0; i < 3; ++i) sheets.push_back(AddSheet("Sheet " + std::to_string(i)));
  SetClientWidth(305);
  EXPECT_EQ(workbook->GetTabWidth(), 90);
  for (int i = 3; i < 5; ++i) sheets.push_back(AddSheet("Sheet " + std::to_string(i)));
  EXPECT_EQ(workbook->GetTabWidth(), 62);
  // Tabs sit side by side from the client's left edge.
  const RECT client = ClientInFrame();
  EXPECT_EQ(Tab(sheets[1])[0].x, client.left + 62);
  EXPECT_EQ(Tab(sheets[1])[0].y, client.bottom + 4);
  SetClientWidth(600);
  EXPECT_EQ(workbook->GetTabWidth(), 90);
}

TEST_F(QVTWorkbookTest, SheetsRegisterInOrderAndRemovingTheLastOneLeavesAnEmptyStrip) {
  QVTWorksheet* first = AddSheet("First");
  QVTWorksheet* second = AddSheet("Second");
  ASSERT_EQ(workbook->GetSheetCount(), 2);
  EXPECT_EQ(workbook->GetSheet(0), first);
  EXPECT_EQ(second->GetIndex(), 1);
  first->DestroyWindow();
  Pump();
  ASSERT_EQ(workbook->GetSheetCount(), 1);
  EXPECT_EQ(second->GetIndex(), 0);  // renumbered
  second->DestroyWindow();
  Pump();
  EXPECT_EQ(workbook->GetSheetCount(), 0);
  EXPECT_EQ(workbook->GetTabWidth(), QVTWorkbookTabLayout::kMaxTabWidth);
  UpdateWindow(hwnd);  // an empty strip paints
  // And the workbook takes sheets again.
  QVTWorksheet* again = AddSheet("Again");
  EXPECT_EQ(again->GetIndex(), 0);
  EXPECT_EQ(Tab(again).size(), 7u);
}

TEST_F(QVTWorkbookTest, AHiddenSheetHasNoTabAndTakesNoWidth) {
  QVTWorksheet* first = AddSheet("First");
  QVTWorksheet* hidden = AddSheet("Hidden");
  QVTWorksheet* third = AddSheet("Third");
  SetClientWidth(175);  // (175 + 5) / 3 = 60, but only two tabs show: 90
  hidden->ShowWindow(SW_HIDE);
  Pump();
  EXPECT_EQ(workbook->GetTabWidth(), 90);
  EXPECT_TRUE(Tab(hidden).empty());
  const RECT client = ClientInFrame();
  EXPECT_EQ(Tab(first)[0].x, client.left - (Active() == first ? 2 : 0));
  EXPECT_EQ(Tab(third)[0].x, client.left + 90 - (Active() == third ? 2 : 0));  // closed up
  hidden->ShowWindow(SW_SHOW);
  Pump();
  EXPECT_EQ(workbook->GetTabWidth(), 60);
  EXPECT_EQ(Tab(hidden).size(), 7u);
}

TEST_F(QVTWorkbookTest, ClickingATabActivatesItsSheetAndActivatingASheetRaisesItsTab) {
  QVTWorksheet* first = AddSheet("First");
  QVTWorksheet* second = AddSheet("Second");
  QVTWorksheet* third = AddSheet("Third");
  ASSERT_EQ(Active(), third);
  InjectClick(TabCentreOnScreen(first));
  Pump();
  EXPECT_EQ(Active(), first);
  EXPECT_FALSE(first->IsPressed());  // the release lets go of it
  // Clicking the active tab changes nothing.
  InjectClick(TabCentreOnScreen(first));
  Pump();
  EXPECT_EQ(Active(), first);
  // The other way: the active sheet's tab stands out 2 pixels either side.
  const RECT client = ClientInFrame();
  second->MDIActivate();
  Pump();
  EXPECT_EQ(Tab(second)[0].x, client.left + workbook->GetTabWidth() - 2);
  EXPECT_EQ(Tab(first)[0].x, client.left);
  EXPECT_EQ(Tab(second)[3].y, client.bottom + 4 + 23 + 2);
}

TEST_F(QVTWorkbookTest, OnlyATabThatCutsItsTitleOffersATip) {
  QVTWorksheet* short_title = AddSheet("Log");
  QVTWorksheet* long_title = AddSheet("A title far too long for any tab of ninety pixels");
  const std::vector<POINT> short_tab = Tab(short_title);
  const std::vector<POINT> long_tab = Tab(long_title);
  EXPECT_TRUE(workbook->TextFitsTab(short_title));
  EXPECT_FALSE(workbook->TextFitsTab(long_title));
  TOOLINFO info;
  EXPECT_EQ(workbook->OnToolHitTest(POINT{short_tab[0].x + 20, short_tab[0].y + 10}, &info), -1);
  EXPECT_EQ(workbook->OnToolHitTest(POINT{long_tab[0].x + 20, long_tab[0].y + 10}, &info), 2);
  EXPECT_EQ(info.rect.left, long_tab[0].x);
}

TEST_F(QVTWorkbookTest, ABarFloatedIntoTheClientBecomesASheetWithTheBarsTitle) {
  AddSheet("Output");
  workbook->EnableDocking(CBRS_ALIGN_ANY);
  auto* tools = new QVTControlBar;
  tools->m_bAutoDelete = TRUE;
  ASSERT_TRUE(tools->Create(workbook, "Tools", WS_CHILD | WS_VISIBLE | CBRS_TOP, 0, 0xE830));
  tools->m_szHorz = tools->m_szFloat = SIZE{200, 28};
  tools->m_szVert = SIZE{28, 200};
  tools->EnableDocking(CBRS_ALIGN_ANY);
  workbook->DockControlBar(tools);
  workbook->FloatControlBarAsMDIChild(tools);
  Pump();
  ASSERT_EQ(workbook->GetSheetCount(), 2);
  auto* sheet = dynamic_cast<QVTControlBarWorksheet*>(workbook->GetSheet(1));
  ASSERT_TRUE(sheet);
  EXPECT_EQ(sheet->GetHostedBar(), tools);
  EXPECT_EQ(workbook->GetTabText(sheet), "Tools");
  EXPECT_TRUE(workbook->GetSheetIcon(sheet));  // the system's window icon: the bar has none
  EXPECT_EQ(Tab(sheet).size(), 7u);
  // Closing it hides the bar, and its tab goes with it.
  sheet->SendMessage(WM_CLOSE);
  Pump();
  EXPECT_TRUE(Tab(sheet).empty());
  EXPECT_EQ(workbook->GetSheetCount(), 2);
}

TEST_F(QVTWorkbookTest, TheTabStripIsDrawnForAPersonToLookAt) {
  AddSheet("Conversion log");
  QVTWorksheet* active = AddSheet("Output");
  AddSheet("A rather long instrument name");
  SetClientWidth(305);
  active->MDIActivate();
  Pump();
  // Every sheet has its icon; a workbook that hides icons shows none.
  for (int i = 0; i < workbook->GetSheetCount(); ++i) EXPECT_TRUE(workbook->GetSheetIcon(workbook->GetSheet(i)));
  workbook->ShowIcons(FALSE);
  EXPECT_FALSE(workbook->GetSheetIcon(active));
  workbook->ShowIcons(TRUE);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/workbook_tabs.png";
  ASSERT_TRUE(GetHeadlessHost().DumpWindowPng(hwnd, path));
  EXPECT_GT(std::filesystem::file_size(path), 0u);
}

}  // namespace
}  // namespace docking::test
