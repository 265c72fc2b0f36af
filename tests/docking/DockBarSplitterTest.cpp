// Splitters of the framework's dock bars dragged with the mouse: between
// two bars every bar keeps at least 24 pixels; against the client area the
// client keeps at least 19; Esc and the right button leave everything as it
// was; the cursor over a splitter shows which way it moves.
#include "platform/ui/Cursor.h"
#include "platform/ui/ImageResources.h"
#include "tests/docking/DockingFrameFixture.h"

namespace docking::test {
namespace {

using namespace ui;
using namespace afx;

class DockBarSplitterTest : public DockingFrameFixture {
 protected:
  void SetUp() override {
    DockingFrameFixture::SetUp();
    // A second sizable bar in the right dock bar's row, after the files bar.
    notes = new QVTControlBar;
    notes->m_bAutoDelete = TRUE;
    ASSERT_TRUE(notes->Create(frame, "Notes", WS_CHILD | WS_VISIBLE | CBRS_SIZE_DYNAMIC | CBRS_RIGHT,
                              QVT_BARSTYLE_SIZABLE, kNotesBarId));
    notes->m_szVert = SIZE{150, 300};
    notes->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBarAt(notes, AFX_IDW_DOCKBAR_RIGHT, 0, 1, 0.5f, 300);
    frame->RecalcLayout();
    Pump();
    right = DockBar(AFX_IDW_DOCKBAR_RIGHT);
  }
  // The splitter of that kind on the screen.
  RECT SplitterOnScreen(QVTDockRowLayout::SplitterKind kind) const {
    for (const QVTDockRowLayout::Splitter& splitter : right->LastLayout().splitters) {
      if (splitter.kind != kind) continue;
      RECT rect = splitter.rect;
      right->ClientToScreen(&rect);
      return rect;
    }
    ADD_FAILURE() << "no splitter of that kind";
    return RECT{};
  }
  int Height(const CWnd* wnd) const {
    const RECT r = ScreenRect(wnd);
    return r.bottom - r.top;
  }

  QVTControlBar* notes = nullptr;
  QVTDockBar* right = nullptr;
};

TEST_F(DockBarSplitterTest, TwoBarsShareTheRowWithOneSplitterBetweenThem) {
  const RECT a = ScreenRect(files), b = ScreenRect(notes);
  const RECT split = SplitterOnScreen(QVTDockRowLayout::kBetweenBars);
  EXPECT_EQ(split.top, a.bottom);
  EXPECT_EQ(split.bottom - split.top, 6);
  EXPECT_EQ(b.top, split.bottom);
  EXPECT_LE(std::abs((a.bottom - a.top) - (b.bottom - b.top)), 1);
}

struct SplitterDrag {
  const char* name;
  int to_y;  // screen
  bool files_keeps_minimum;  // else notes does
};

const SplitterDrag kBetweenBarDrags[] = {
    {"FarUp", 0, true},
    {"JustAboveTheRow", 100, true},
    {"FarDown", 760, false},
};

class BetweenBarsSplitterTest : public DockBarSplitterTest, public ::testing::WithParamInterface<SplitterDrag> {};

TEST_P(BetweenBarsSplitterTest, EveryBarKeepsAtLeast24Pixels) {
  const RECT split = SplitterOnScreen(QVTDockRowLayout::kBetweenBars);
  const int total = Height(files) + Height(notes);
  const POINT grab = Centre(split);
  InjectDrag(grab, POINT{grab.x, GetParam().to_y}, 8);
  Pump();
  EXPECT_EQ(GetCapture(), nullptr);
  const int kept = GetParam().files_keeps_minimum ? Height(files) : Height(notes);
  EXPECT_GE(kept, 24);
  EXPECT_LE(kept, 25);
  EXPECT_EQ(Height(files) + Height(notes), total);  // the row keeps its length
}

INSTANTIATE_TEST_SUITE_P(Drag, BetweenBarsSplitterTest, ::testing::ValuesIn(kBetweenBarDrags),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DockBarSplitterTest, TheRowSplitterLeavesTheClientAreaAtLeast19Pixels) {
  const RECT split = SplitterOnScreen(QVTDockRowLayout::kRowToClient);
  const POINT grab = Centre(split);
  InjectDrag(grab, POINT{0, grab.y}, 8);
  Pump();
  const RECT& client = frame->GetRememberedClientRect();
  EXPECT_GE(client.right - client.left, 19);
  EXPECT_LE(client.right - client.left, 19 + 6);
  EXPECT_GT(ScreenRect(files).right - ScreenRect(files).left, 150);
}

TEST_F(DockBarSplitterTest, EscapeAndTheRightButtonLeaveTheSplitterWhereItWas) {
  const RECT a = ScreenRect(files), b = ScreenRect(notes);
  const POINT grab = Centre(SplitterOnScreen(QVTDockRowLayout::kBetweenBars));
  InjectButtonDown(grab);
  InjectMouseMove(POINT{grab.x, grab.y - 80});
  InjectKeyPress(VK_ESCAPE);
  InjectButtonUp(POINT{grab.x, grab.y - 80});
  Pump();
  clock.Advance(1000);
  InjectButtonDown(grab);
  InjectMouseMove(POINT{grab.x, grab.y + 80});
  InjectButtonDown(POINT{grab.x, grab.y + 80}, MouseButton::kRight);
  InjectButtonUp(POINT{grab.x, grab.y + 80}, MouseButton::kRight);
  InjectButtonUp(POINT{grab.x, grab.y + 80});
  Pump();
  EXPECT_EQ(ScreenRect(files), a);
  EXPECT_EQ(ScreenRect(notes), b);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DockBarSplitterTest, NoDragStartsWhileAnotherWindowHasTheMouse) {
  SetCapture(frame_hwnd);
  POINT client = Centre(right->LastLayout().splitters.front().rect);
  EXPECT_EQ(right->DragSplitter(0, client), 0);
  ReleaseCapture();
}

TEST_F(DockBarSplitterTest, TheCursorOverASplitterShowsItsDirection) {
  const struct {
    QVTDockRowLayout::SplitterKind kind;
    UINT cursor;
  } cases[] = {{QVTDockRowLayout::kBetweenBars, IDC_SIZENS}, {QVTDockRowLayout::kRowToClient, IDC_SIZEWE}};
  for (const auto& c : cases) {
    InjectMouseMove(Centre(SplitterOnScreen(c.kind)));
    Pump();
    EXPECT_EQ(GetCursor(), LoadCursor(c.cursor)) << c.kind;
  }
}

}  // namespace
}  // namespace docking::test

namespace docking::test {
namespace {

using namespace ui;

class ExpandButtonTest : public DockBarSplitterTest {
 protected:
  void SetUp() override {
    DockBarSplitterTest::SetUp();
    files->ModifyBarStyleEx(0, QVT_BARSTYLE_OWN_BORDERS | QVT_BARSTYLE_GRIPPER | QVT_BARSTYLE_CLOSE_BUTTON |
                                   QVT_BARSTYLE_EXPAND_BUTTON);
    frame->RecalcLayout();
    Pump();
  }
  void ClickExpand() {
    RECT button = files->ExpandButtonRect();
    ASSERT_FALSE(IsRectEmpty(&button));
    POINT at = Centre(button);
    ClientToScreen(files->m_hWnd, &at);
    clock.Advance(1000);
    InjectClick(at);
    Pump();
  }
};

TEST_F(ExpandButtonTest, ExpandGivesTheBarItsRowAndContractSharesItEqually) {
  files->UpdateExpandState();
  EXPECT_TRUE(files->IsExpandEnabled());
  EXPECT_TRUE(files->OffersExpand());
  ClickExpand();
  EXPECT_TRUE(right->IsBarExpanded(files));
  EXPECT_GT(Height(files), 300);
  EXPECT_GE(Height(notes), 18);
  files->UpdateExpandState();
  EXPECT_FALSE(files->OffersExpand());
  ClickExpand();
  EXPECT_FALSE(right->IsBarExpanded(files));
  EXPECT_LE(std::abs(Height(files) - Height(notes)), 1);
}

TEST_F(ExpandButtonTest, ABarAloneInItsRowHasNothingToExpandOver) {
  frame->ShowControlBar(notes, FALSE, FALSE);
  const int before = Height(files);
  files->UpdateExpandState();
  EXPECT_FALSE(files->IsExpandEnabled());
  ClickExpand();
  EXPECT_EQ(Height(files), before);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ExpandButtonTest, TheCloseButtonHidesADockedBarOnlyWhenReleasedOverIt) {
  const RECT button = files->CloseButtonRect();
  ASSERT_FALSE(IsRectEmpty(&button));
  POINT on = Centre(button);
  ClientToScreen(files->m_hWnd, &on);
  // Pressed, then released away from it: the bar stays.
  clock.Advance(1000);
  InjectButtonDown(on);
  Pump();
  EXPECT_EQ(GetCapture(), files->m_hWnd);
  InjectMouseMove(POINT{on.x - 60, on.y + 60});
  InjectButtonUp(POINT{on.x - 60, on.y + 60});
  Pump();
  EXPECT_TRUE(files->IsVisible());
  EXPECT_EQ(GetCapture(), nullptr);
  // Released over it: hidden.
  clock.Advance(1000);
  InjectClick(on);
  Pump();
  EXPECT_FALSE(files->IsVisible());
}

TEST_F(ExpandButtonTest, AFloatingBarHasNoGripperButtonsToPress) {
  frame->FloatControlBar(files, POINT{300, 200});
  Pump();
  ASSERT_TRUE(files->IsFloating());
  const RECT close = files->CloseButtonRect(), expand = files->ExpandButtonRect();
  EXPECT_TRUE(IsRectEmpty(&close));
  EXPECT_TRUE(IsRectEmpty(&expand));
  // A click where the close button sat when docked leaves the bar shown.
  POINT corner{6, 6};
  ClientToScreen(files->m_hWnd, &corner);
  clock.Advance(1000);
  InjectClick(corner);
  Pump();
  EXPECT_TRUE(files->IsVisible());
  EXPECT_TRUE(files->IsFloating());
}

TEST_F(ExpandButtonTest, TheGripperButtonsTellWhatTheyDoInTheirTips) {
  const RECT close = files->CloseButtonRect(), expand = files->ExpandButtonRect();
  const POINT on_close = Centre(close), on_expand = Centre(expand);
  // Without CBRS_TOOLTIPS the buttons are no tools.
  EXPECT_EQ(files->OnToolHitTest(on_close), -1);
  files->SetBarStyle(files->GetBarStyle() | CBRS_TOOLTIPS);
  EXPECT_EQ(files->OnToolHitTest(on_close), static_cast<INT_PTR>(kCloseButtonTool));
  EXPECT_EQ(files->OnToolHitTest(on_expand), static_cast<INT_PTR>(kExpandButtonTool));
  EXPECT_EQ(files->OnToolHitTest(POINT{close.right + 40, close.bottom + 40}), -1);
  const auto rest_on = [&](POINT client) {
    POINT screen = client;
    ClientToScreen(files->m_hWnd, &screen);
    InjectMouseMove(screen);
    Pump();
    afx::CToolTipCtrl* tip = files->GetGripperToolTip();
    if (!tip) return std::string("(no tip)");
    clock.Advance(tip->GetDelayTime(TTDT_INITIAL));
    Pump();
    return tip->IsWindowVisible() ? tip->GetText(files, static_cast<UINT_PTR>(files->OnToolHitTest(client)))
                                  : std::string("(hidden)");
  };
  EXPECT_EQ(rest_on(on_close), "Hide docked window");
  EXPECT_EQ(rest_on(on_expand), "Expand docked window");
  ClickExpand();
  EXPECT_EQ(rest_on(on_close), "Hide docked window");
  EXPECT_EQ(rest_on(on_expand), "Contract docked window");
}

}  // namespace
}  // namespace docking::test
