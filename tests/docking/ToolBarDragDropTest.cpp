// Toolbar buttons dragged with the mouse in customise mode (and with Alt
// held): where each drop puts the button, which separators it adds or
// takes, what a copy makes, what a cancel and the customisation dialog's
// window leave alone, and a user bar emptied by its own drag.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "docking/QVTCustomToolBar.h"
#include "docking/QVTFrameWnd.h"
#include "docking/QVTToolBarManager.h"
#include "docking/QVTToolBarRectTracker.h"
#include "platform/afx/MiniDockFrameWnd.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/HeadlessInput.h"
#include "platform/ui/ImageResources.h"
#include "tests/platform/afx/AfxFixture.h"

namespace docking::test {
namespace {

using namespace ui;

// Buttons are named by letters: command 1000 + 'A' is "A".
constexpr UINT Id(char letter) { return 1000 + static_cast<UINT>(letter); }
constexpr UINT kMainButtons[] = {Id('A'), Id('B'), 0, Id('C'), Id('D')};
constexpr UINT kOtherButtons[] = {Id('E'), 0, Id('F'), Id('G')};
constexpr UINT kMainBarId = 0xE800, kOtherBarId = 0xE801, kFirstUserBarId = 0xE820;

// The bar's buttons as letters, "|" for a separator.
std::string Letters(const QVTCustomToolBar* bar) {
  if (!bar) return "(none)";
  std::string text;
  for (int i = 0; i < bar->GetButtonCount(); ++i) {
    if (!text.empty()) text += ' ';
    const UINT id = bar->GetButtonID(i);
    text += id == 0 ? '|' : static_cast<char>(id - 1000);
  }
  return text;
}

class ToolBarDragDropTest : public afx::test::AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    frame = new QVTFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Drag", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{60, 40, 760, 540}));
    manager = std::make_unique<QVTToolBarManager>(frame);
    manager->AddDefaultToolBarDefinition(kMainBarId, "Main", 5, kMainButtons, afx::CBRS_ALIGN_ANY,
                                         afx::AFX_IDW_DOCKBAR_TOP, 0, TRUE, TRUE);
    // In the same row, so that above and below the main bar lies no other.
    manager->AddDefaultToolBarDefinition(kOtherBarId, "Other", 4, kOtherButtons, afx::CBRS_ALIGN_ANY,
                                         afx::AFX_IDW_DOCKBAR_TOP, kMainBarId, TRUE, TRUE);
    frame->EnableDocking(afx::CBRS_ALIGN_ANY);
    ASSERT_TRUE(manager->CreateDefaultToolBars());
    main_bar = manager->GetToolBar(kMainBarId);
    other_bar = manager->GetToolBar(kOtherBarId);
    ASSERT_NE(main_bar, nullptr);
    ASSERT_NE(other_bar, nullptr);
    SetActiveWindow(frame->m_hWnd);
    SetFocus(frame->m_hWnd);
    manager->SetCustomizeMode(TRUE);
    Pump();
  }
  void TearDown() override {
    manager.reset();
    if (IsWindow(frame->m_hWnd)) DestroyWindow(frame->m_hWnd);
    Pump();
    AfxFixture::TearDown();
  }
  static void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  static RECT ScreenRectOf(const QVTCustomToolBar* bar, int index) {
    RECT rect = bar->GetButton(index)->GetRect();
    bar->ClientToScreen(&rect);
    return rect;
  }
  static RECT WindowRectOf(const afx::CWnd* wnd) {
    RECT rect;
    wnd->GetWindowRect(&rect);
    return rect;
  }
  static POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
  // The bar and index of a lettered button.
  std::pair<QVTCustomToolBar*, int> Find(char letter) const {
    for (QVTCustomToolBar* bar : manager->GetToolBars())
      if (const int index = bar->CommandToIndex(Id(letter)); index >= 0) return {bar, index};
    return {nullptr, -1};
  }
  // Press, two moves, release; with `keys` held or pressed on the way.
  static void Gesture(POINT from, POINT to, const std::string& keys = "") {
    const bool ctrl = keys.find("ctrl") != std::string::npos, alt = keys.find("alt") != std::string::npos;
    if (ctrl) InjectKeyDown(VK_CONTROL);
    if (alt) InjectKeyDown(VK_MENU);
    InjectButtonDown(from);
    InjectMouseMove(POINT{(from.x + to.x) / 2, (from.y + to.y) / 2});
    InjectMouseMove(to);
    if (keys.find("escape") != std::string::npos) InjectKeyPress(VK_ESCAPE);
    if (keys.find("right") != std::string::npos) InjectButtonDown(to, MouseButton::kRight);
    InjectButtonUp(to);
    if (keys.find("right") != std::string::npos) InjectButtonUp(to, MouseButton::kRight);
    if (alt) InjectKeyUp(VK_MENU);
    if (ctrl) InjectKeyUp(VK_CONTROL);
    Pump();
  }

  QVTFrameWnd* frame = nullptr;
  std::unique_ptr<QVTToolBarManager> manager;
  QVTCustomToolBar* main_bar = nullptr;
  QVTCustomToolBar* other_bar = nullptr;
};

// Where a drag is let go.
enum class At {
  kButton,     // on the lettered button's centre, moved by dx
  kSelf,       // the grab point moved by dx
  kGapAfter,   // centred on the separator after the lettered button
  kAboveMain,  // the outline's bottom one pixel into the main bar's top edge
  kBelowMain,  // its top one pixel into the main bar's bottom edge
  kDesk,       // on nothing
  kNoDrop,     // over the customisation dialog's window
};

struct DropCase {
  const char* name;
  char grab;  // 'H' is the one button of a user bar made for the case
  At at;
  char onto;
  int dx;
  const char* keys;  // "ctrl", "alt", "escape", "right"
  const char* main;
  const char* other;
  const char* new_bar;  // the first user bar's buttons, "(none)" when none was made
};

const DropCase kDropCases[] = {
    {"AfterAButtonOfTheSameBar", 'A', At::kButton, 'C', 6, "", "B | C A D", "E | F G", "(none)"},
    {"BeforeAButtonOfTheSameBar", 'D', At::kButton, 'B', -8, "", "A D B | C", "E | F G", "(none)"},
    {"OntoAnotherBar", 'A', At::kButton, 'F', 6, "", "B | C D", "E | F A G", "(none)"},
    {"IntoASeparatorGapTakesItsPlace", 'E', At::kGapAfter, 'B', 0, "", "A B E C D", "F G", "(none)"},
    {"AboveTheButtonsLandsFirstWithAGroupOfItsOwn", 'D', At::kAboveMain, 0, 0, "", "D | A B | C", "E | F G", "(none)"},
    {"BelowTheButtonsLandsLastWithAGroupOfItsOwn", 'A', At::kBelowMain, 0, 0, "", "B | C D | A", "E | F G", "(none)"},
    {"TheFirstButtonOfAGroupMovedOnKeepsTheRestInPlace", 'E', At::kButton, 'F', 6, "", "A B | C D", "F E G", "(none)"},
    {"OnTheDeskRemovesIt", 'D', At::kDesk, 0, 0, "", "A B | C", "E | F G", "(none)"},
    {"ACopyWithCtrlLeavesTheSource", 'A', At::kButton, 'F', 6, "ctrl", "A B | C D", "E | F A G", "(none)"},
    {"ACopyOnTheDeskMakesANewBar", 'B', At::kDesk, 0, 0, "ctrl", "A B | C D", "E | F G", "B"},
    {"OnTheNoDropWindowChangesNothing", 'A', At::kNoDrop, 0, 0, "", "A B | C D", "E | F G", "(none)"},
    {"OnePixelChangesNothing", 'B', At::kSelf, 0, 1, "", "A B | C D", "E | F G", "(none)"},
    {"TheFirstButtonNudgedRightChangesNothing", 'A', At::kButton, 'B', -9, "", "A B | C D", "E | F G", "(none)"},
    {"HalfAButtonRightStartsAGroupBeforeIt", 'B', At::kSelf, 0, 12, "", "A | B | C D", "E | F G", "(none)"},
    {"HalfAButtonLeftJoinsTheGroupOnItsLeft", 'C', At::kSelf, 0, -12, "", "A B C D", "E | F G", "(none)"},
    {"HalfAButtonRightJoinsTheGroupOnItsRight", 'E', At::kSelf, 0, 12, "", "A B | C D", "E F G", "(none)"},
    {"EscapeCancels", 'A', At::kDesk, 0, 0, "escape", "A B | C D", "E | F G", "(none)"},
    {"TheRightButtonCancels", 'A', At::kDesk, 0, 0, "right", "A B | C D", "E | F G", "(none)"},
    {"WithAltOutsideCustomiseMode", 'A', At::kButton, 'F', 6, "alt", "B | C D", "E | F A G", "(none)"},
    {"WithAltOnTheDeskRemovesIt", 'D', At::kDesk, 0, 0, "alt", "A B | C", "E | F G", "(none)"},
    {"AUserBarsLastButtonMovedAwayEndsTheBar", 'H', At::kButton, 'C', 6, "", "A B | C H D", "E | F G", "(none)"},
};

class ToolBarDropCaseTest : public ToolBarDragDropTest, public ::testing::WithParamInterface<DropCase> {
 protected:
  POINT ReleasePoint(const DropCase& drop, POINT grab, const RECT& grabbed) const {
    switch (drop.at) {
      case At::kButton: {
        const auto [bar, index] = Find(drop.onto);
        const POINT centre = Centre(ScreenRectOf(bar, index));
        return POINT{centre.x + drop.dx, centre.y};
      }
      case At::kSelf: return POINT{grab.x + drop.dx, grab.y};
      case At::kGapAfter: {
        const auto [bar, index] = Find(drop.onto);
        return Centre(ScreenRectOf(bar, index + 1));
      }
      case At::kAboveMain: return POINT{grab.x, grab.y + (WindowRectOf(main_bar).top + 1 - grabbed.bottom)};
      case At::kBelowMain: return POINT{grab.x, grab.y + (WindowRectOf(main_bar).bottom - 1 - grabbed.top)};
      case At::kDesk: return POINT{900, 650};
      case At::kNoDrop: return Centre(WindowRectOf(no_drop));
    }
    return grab;
  }
  afx::CFrameWnd* no_drop = nullptr;  // deletes itself when destroyed
};

TEST_P(ToolBarDropCaseTest, Drop) {
  const DropCase& drop = GetParam();
  no_drop = new afx::CFrameWnd;
  ASSERT_TRUE(no_drop->Create(nullptr, "Toolbars", WS_POPUP | WS_VISIBLE, RECT{800, 100, 1000, 300}));
  manager->SetNoDropWnd(no_drop);
  if (std::string(drop.keys) == "alt") manager->SetCustomizeMode(FALSE);
  if (drop.grab == 'H') {
    QVTCustomToolBar* user = manager->CreateNewToolBar(nullptr);
    ASSERT_NE(user, nullptr);
    user->InsertButton(0, Id('H'), FALSE, TRUE);
    frame->FloatControlBar(user, POINT{300, 400});
    Pump();
  }
  const auto [bar, index] = Find(drop.grab);
  ASSERT_NE(bar, nullptr);
  const RECT grabbed = ScreenRectOf(bar, index);
  const POINT grab = Centre(grabbed);
  Gesture(grab, ReleasePoint(drop, grab, grabbed), drop.keys);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Letters(main_bar), drop.main);
  EXPECT_EQ(Letters(other_bar), drop.other);
  QVTCustomToolBar* made = manager->GetToolBar(kFirstUserBarId);
  EXPECT_EQ(Letters(made), drop.new_bar);
  if (made) {
    EXPECT_EQ(made->GetWindowTextString(), "ToolBar1");
    EXPECT_TRUE(made->IsFloating());
  }
  manager->SetNoDropWnd(nullptr);
  no_drop->DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Mouse, ToolBarDropCaseTest, ::testing::ValuesIn(kDropCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ToolBarDragDropTest, TheDroppedButtonIsTheOneSelectionOfTheFrame) {
  main_bar->SelectButton(0, TRUE);
  const POINT from = Centre(ScreenRectOf(other_bar, 3));
  Gesture(from, Centre(ScreenRectOf(main_bar, 4)));
  EXPECT_EQ(manager->GetSelectionBar(), main_bar);
  const int selected = main_bar->GetSelectedButton();
  ASSERT_GE(selected, 0);
  EXPECT_EQ(main_bar->GetButtonID(selected), Id('G'));
  int marked = 0;
  for (QVTCustomToolBar* bar : manager->GetToolBars())
    for (int i = 0; i < bar->GetButtonCount(); ++i) marked += (bar->GetButtonStyle(i) & kTBSelected) ? 1 : 0;
  EXPECT_EQ(marked, 1);
}

TEST_F(ToolBarDragDropTest, AnAltDragLeavesNothingSelected) {
  manager->SetCustomizeMode(FALSE);
  Gesture(Centre(ScreenRectOf(main_bar, 0)), Centre(ScreenRectOf(other_bar, 2)), "alt");
  EXPECT_EQ(manager->GetSelectionBar(), nullptr);
  EXPECT_EQ(main_bar->GetSelectedButton(), -1);
  EXPECT_EQ(other_bar->GetSelectedButton(), -1);
}

TEST_F(ToolBarDragDropTest, NewBarsFromCopiesAreNumberedOnAndStayOnTheScreen) {
  // At the screen's bottom right corner, and at its right edge: each bar
  // comes whole onto the screen.
  for (const auto& [letter, drop] : {std::pair{'A', POINT{1020, 765}}, std::pair{'C', POINT{1020, 300}}}) {
    const auto [bar, index] = Find(letter);
    Gesture(Centre(ScreenRectOf(bar, index)), drop, "ctrl");
    clock.Advance(1000);
  }
  QVTCustomToolBar* first = manager->GetToolBar(kFirstUserBarId);
  QVTCustomToolBar* second = manager->GetToolBar(kFirstUserBarId + 1);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->GetWindowTextString(), "ToolBar1");
  EXPECT_EQ(second->GetWindowTextString(), "ToolBar2");
  const RECT screen{0, 0, 1024, 768};
  for (QVTCustomToolBar* bar : {first, second}) {
    RECT floating;
    GetWindowRect(GetAncestor(bar->m_hWnd, GA_ROOT), &floating);
    RECT inside;
    EXPECT_TRUE(IntersectRect(&inside, &floating, &screen) && EqualRect(&inside, &floating))
        << floating.left << "," << floating.top << "-" << floating.right << "," << floating.bottom;
  }
}

// A user bar's last button dragged onto another bar: the move is reported
// as made, and the emptied bar goes only after its own drag has returned
// (run under the address sanitizer, a bar freed inside its drag fails).
TEST_F(ToolBarDragDropTest, AUserBarEmptiedByItsOwnDragGoesAfterTheDrag) {
  QVTCustomToolBar* user = manager->CreateNewToolBar(nullptr);
  ASSERT_NE(user, nullptr);
  user->InsertButton(0, Id('H'), FALSE, TRUE);
  frame->FloatControlBar(user, POINT{300, 400});
  Pump();
  const HWND user_hwnd = user->m_hWnd;
  const RECT button = ScreenRectOf(user, 0);
  const POINT from = Centre(button), to = Centre(ScreenRectOf(main_bar, 3));
  InjectMouseMove(POINT{(from.x + to.x) / 2, (from.y + to.y) / 2});
  InjectMouseMove(to);
  InjectButtonUp(to);
  POINT client = from;
  ScreenToClient(user_hwnd, &client);
  EXPECT_TRUE(user->DragButton(0, client));
  EXPECT_TRUE(IsWindow(user_hwnd));  // still there while its handler runs
  EXPECT_EQ(user->GetButtonCount(), 0);
  Pump();
  EXPECT_FALSE(IsWindow(user_hwnd));
  EXPECT_EQ(manager->GetToolBar(kFirstUserBarId), nullptr);
  EXPECT_EQ(Letters(main_bar), "A B | C H D");
}

TEST_F(ToolBarDragDropTest, AButtonOfABarKeptToItselfStaysOnIt) {
  main_bar->m_dwDragFlags = QVTCustomToolBar::kDragInsideOnly;
  Gesture(Centre(ScreenRectOf(main_bar, 0)), Centre(ScreenRectOf(other_bar, 2)));
  EXPECT_EQ(Letters(main_bar), "A B | C D");
  EXPECT_EQ(Letters(other_bar), "E | F G");
  clock.Advance(1000);  // a second press, not a double click
  const POINT after_c = Centre(ScreenRectOf(main_bar, 3));
  Gesture(Centre(ScreenRectOf(main_bar, 0)), POINT{after_c.x + 6, after_c.y});
  EXPECT_EQ(Letters(main_bar), "B | C A D");
}

// The cursor while the outline moves, and after it was let go.
class WatchingTracker : public QVTToolBarRectTracker {
 public:
  using QVTToolBarRectTracker::QVTToolBarRectTracker;
  void OnChangedRect(const RECT&) override { seen = GetCursor(); }
  HCURSOR seen = nullptr;
};

TEST_F(ToolBarDragDropTest, ACopyShowsTheCopyCursorWhileTheMouseIsHeld) {
  const HCURSOR arrow = LoadCursor(IDC_ARROW), copy_cursor = LoadCursor(IDC_CROSS);
  RegisterCursorResource(QVT_IDC_COPY_BUTTON, copy_cursor);
  for (const BOOL copy : {TRUE, FALSE}) {
    SetCursor(arrow);
    const RECT button = main_bar->GetButton(0)->GetRect();
    const POINT from = Centre(ScreenRectOf(main_bar, 0));
    InjectMouseMove(POINT{from.x + 30, from.y + 40});
    InjectButtonUp(POINT{from.x + 30, from.y + 40});
    WatchingTracker tracker(button, copy);
    EXPECT_TRUE(tracker.Track(main_bar, Centre(button)));
    EXPECT_EQ(tracker.seen, copy ? copy_cursor : arrow);
    EXPECT_EQ(GetCursor(), arrow);
  }
}

}  // namespace
}  // namespace docking::test
