// The customisable toolbar in a frame: rows laid out for each side, a
// press sending its command only when released on the button, command UI
// enabling and checking buttons, hot tracking in cool look on its timer,
// and an emptied user bar going away.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <utility>
#include <vector>

#include "docking/QVTCustomToolBar.h"
#include "docking/QVTFrameWnd.h"
#include "platform/afx/CmdUI.h"
#include "platform/afx/MessageMap.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/HeadlessInput.h"
#include "platform/ui/ImageResources.h"
#include "tests/platform/afx/AfxFixture.h"

namespace docking::test {

using namespace ui;

constexpr UINT kOpen = 100, kSave = 101, kConvert = 102, kDisabled = 103;
constexpr UINT kResource = 7700;

// A frame that logs the commands it gets; kDisabled is always greyed and
// kSave shows checked while `saved` holds.
class CommandFrame : public QVTFrameWnd {
 public:
  std::vector<UINT> commands;
  bool saved = false;
  std::vector<std::pair<UINT, int>> notes;  // command, code
  void OnCommandRange(UINT id) { commands.push_back(id); }
  LRESULT OnNotifyMessage(WPARAM, LPARAM lParam) {
    const auto* note = reinterpret_cast<const QVTTBNotify*>(lParam);
    notes.emplace_back(note->command, static_cast<int>(note->header.code));
    return 0;
  }
  void OnUpdateDisabled(afx::CCmdUI* ui) { ui->Enable(FALSE); }
  void OnUpdateSave(afx::CCmdUI* ui) { ui->SetCheck(saved ? 1 : 0); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CommandFrame, QVTFrameWnd)
  ON_COMMAND_RANGE(kOpen, kDisabled, OnCommandRange)
  ON_UPDATE_COMMAND_UI(kDisabled, OnUpdateDisabled)
  ON_UPDATE_COMMAND_UI(kSave, OnUpdateSave)
  ON_MESSAGE(WM_NOTIFY, OnNotifyMessage)
END_MESSAGE_MAP()

namespace {

// Four 16 x 15 images: a black frame around red, green, blue and yellow.
std::vector<BYTE> SampleImages() {
  const RGBQUAD palette[16] = {{0, 0, 0, 0}, {0, 0, 255, 0}, {0, 160, 0, 0}, {255, 0, 0, 0}, {0, 220, 220, 0}};
  constexpr int kImages = 4, kWidth = 16 * kImages, kHeight = 15;
  constexpr int kStride = ((kWidth * 4 + 31) / 32) * 4;
  BITMAPINFOHEADER header;
  header.biWidth = kWidth;
  header.biHeight = kHeight;
  header.biBitCount = 4;
  header.biClrUsed = 16;
  header.biSizeImage = kStride * kHeight;
  std::vector<BYTE> dib(sizeof header + sizeof palette + header.biSizeImage, 0);
  std::memcpy(dib.data(), &header, sizeof header);
  std::memcpy(dib.data() + sizeof header, palette, sizeof palette);
  BYTE* pixels = dib.data() + sizeof header + sizeof palette;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const int inner = x % 16;
      const bool edge = inner == 1 || inner == 14 || y == 1 || y == 13;
      const bool outside = inner == 0 || inner == 15 || y == 0 || y == 14;
      const int index = outside ? 0 : edge ? 0 : 1 + x / 16;
      pixels[(kHeight - 1 - y) * kStride + x / 2] |= static_cast<BYTE>(x % 2 ? index : index << 4);
    }
  return dib;
}

class QVTCustomToolBarTest : public afx::test::AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    RegisterBitmapResource(kResource, SampleImages());
    ToolbarResource toolbar;
    toolbar.items = {kOpen, kSave, 0, kConvert, kDisabled};
    RegisterToolbarResource(kResource, toolbar);
    frame = new CommandFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Tools", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 60, 900, 660}));
    frame_hwnd = frame->m_hWnd;
    frame->EnableDocking(afx::CBRS_ALIGN_ANY);
    bar = new QVTCustomToolBar;
    bar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(bar->CreateEx(0, frame, WS_CHILD | WS_VISIBLE | afx::CBRS_TOP | afx::CBRS_SIZE_DYNAMIC, 0xE800));
    ASSERT_TRUE(bar->LoadToolBar(kResource));
    bar->EnableDocking(afx::CBRS_ALIGN_ANY);
    frame->DockControlBar(bar);
    SetActiveWindow(frame_hwnd);
    frame->RecalcLayout();
    Pump();
  }
  void TearDown() override {
    if (IsWindow(frame_hwnd)) DestroyWindow(frame_hwnd);
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
  POINT OnScreen(int index, int dx = 0, int dy = 0) const {
    RECT rect;
    bar->GetItemRect(index, &rect);
    POINT p{(rect.left + rect.right) / 2 + dx, (rect.top + rect.bottom) / 2 + dy};
    ClientToScreen(bar->m_hWnd, &p);
    return p;
  }
  void UpdateButtons() {
    bar->OnUpdateCmdUI(frame, TRUE);
    Pump();
  }
  CommandFrame* frame = nullptr;
  HWND frame_hwnd = nullptr;
  QVTCustomToolBar* bar = nullptr;
};

TEST_F(QVTCustomToolBarTest, RowsAreLaidOutAlongTheTopAndAsAColumnAtTheSide) {
  ASSERT_EQ(bar->GetButtonCount(), 5);
  const SIZE across = bar->CalcFixedLayout(FALSE, TRUE);
  RECT first, separator, third;
  bar->GetItemRect(0, &first);
  bar->GetItemRect(2, &separator);
  bar->GetItemRect(3, &third);
  EXPECT_EQ(first.right - first.left, 23);
  EXPECT_EQ(first.bottom - first.top, 22);
  EXPECT_EQ(separator.right - separator.left, 8);
  EXPECT_EQ(third.left, separator.right);
  EXPECT_EQ(third.top, first.top);  // one row
  EXPECT_GE(across.cx, 4 * 23 + 8);
  // Docked at a side with no height to fill: one button under the other.
  const SIZE down = bar->CalcFixedLayout(FALSE, FALSE);
  bar->GetItemRect(0, &first);
  bar->GetItemRect(3, &third);
  EXPECT_EQ(third.left, first.left);
  EXPECT_GT(third.top, first.bottom);
  EXPECT_LT(down.cx, 2 * 23);
  EXPECT_GT(down.cy, 4 * 22);
}

TEST_F(QVTCustomToolBarTest, APressSendsItsCommandOnlyWhenReleasedOnTheButton) {
  struct Case {
    const char* what;
    int index;
    int release_dx;  // where the mouse is let go, from the button's centre
    std::vector<UINT> commands;
  };
  const Case cases[] = {
      {"click", 0, 0, {kOpen}},
      {"released on the right edge", 3, 11, {kConvert}},
      {"dragged off", 0, 40, {}},
      {"a greyed button", 4, 0, {}},
  };
  UpdateButtons();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    frame->commands.clear();
    // One gesture: a press on a greyed button starts the bar's own drag loop.
    InjectButtonDown(OnScreen(c.index));
    InjectMouseMove(OnScreen(c.index, c.release_dx));
    InjectButtonUp(OnScreen(c.index, c.release_dx));
    Pump();
    EXPECT_EQ(frame->commands, c.commands);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(bar->GetButtonStyle(c.index) & kTBPressed);
  }
}

TEST_F(QVTCustomToolBarTest, CommandUpdatesGreyAndCheckButtons) {
  UpdateButtons();
  EXPECT_TRUE(bar->GetButtonStyle(4) & kTBDisabled);
  EXPECT_FALSE(bar->GetButtonStyle(0) & kTBDisabled);
  EXPECT_EQ(bar->GetButtonStyle(1) & (kTBCheck | kTBChecked), static_cast<DWORD>(kTBCheck));
  frame->saved = true;
  UpdateButtons();
  EXPECT_TRUE(bar->GetButtonStyle(1) & kTBChecked);
  // A click on a check button turns it at once; the next update has the last word.
  frame->saved = false;
  InjectClick(OnScreen(1));
  Pump();
  EXPECT_EQ(frame->commands, std::vector<UINT>{kSave});
  UpdateButtons();
  EXPECT_FALSE(bar->GetButtonStyle(1) & kTBChecked);
}

TEST_F(QVTCustomToolBarTest, CoolLookRaisesTheButtonUnderTheMouseUntilItLeaves) {
  bar->ModifyBarStyleEx(0, QVT_TBSTYLE_COOLLOOK);
  UpdateButtons();
  InjectMouseMove(OnScreen(0));
  Pump();
  EXPECT_EQ(bar->m_nHot, 0);
  EXPECT_TRUE(bar->GetButtonStyle(0) & kTBHot);
  InjectMouseMove(OnScreen(4));  // greyed: never hot
  Pump();
  EXPECT_EQ(bar->m_nHot, -1);
  InjectMouseMove(OnScreen(3));
  Pump();
  EXPECT_EQ(bar->m_nHot, 3);
  // Off the bar the window under the mouse is the frame's: the timer sees it go.
  RECT client;
  GetWindowRect(frame_hwnd, &client);
  InjectMouseMove(POINT{(client.left + client.right) / 2, client.bottom - 40});
  Pump();
  clock.Advance(QVTCustomToolBar::kHotTimerMs);
  Pump();
  EXPECT_EQ(bar->m_nHot, -1);
  EXPECT_FALSE(bar->GetButtonStyle(3) & kTBHot);
}

TEST_F(QVTCustomToolBarTest, AnEmptiedUserBarGoesAndADefaultBarStays) {
  auto* user = new QVTCustomToolBar;
  user->m_bAutoDelete = TRUE;
  ASSERT_TRUE(user->CreateEx(0, frame, WS_CHILD | WS_VISIBLE | afx::CBRS_TOP, 0xE820));
  const UINT ids[] = {kOpen, 0, kSave};
  user->SetButtons(ids, 3);
  frame->DockControlBar(user);
  const HWND user_hwnd = user->m_hWnd;
  EXPECT_TRUE(user->RemoveButton(0));   // its separator goes with it
  EXPECT_EQ(user->GetButtonCount(), 1);
  EXPECT_FALSE(user->RemoveButton(0));  // the last one: the bar goes
  Pump();
  EXPECT_FALSE(IsWindow(user_hwnd));
  while (bar->GetButtonCount() > 0) bar->RemoveButton(0);
  EXPECT_TRUE(IsWindow(bar->m_hWnd));
  EXPECT_FALSE(bar->RemoveButton(0));
}

TEST_F(QVTCustomToolBarTest, AToolbarIsNeverASizableBarAndFloatsInAThinFrame) {
  auto* asked = new QVTCustomToolBar;
  asked->m_bAutoDelete = TRUE;
  ASSERT_TRUE(asked->CreateEx(QVT_BARSTYLE_SIZABLE | QVT_BARSTYLE_OWN_BORDERS, frame,
                              WS_CHILD | WS_VISIBLE | afx::CBRS_TOP | afx::CBRS_SIZE_DYNAMIC, 0xE821));
  EXPECT_EQ(asked->GetBarStyleEx() & QVT_BARSTYLE_SIZABLE, 0u);
  EXPECT_NE(asked->GetBarStyleEx() & QVT_BARSTYLE_OWN_BORDERS, 0u);
  frame->FloatControlBar(bar, POINT{300, 200});
  Pump();
  ASSERT_TRUE(bar->IsFloating());
  const HWND floating = GetAncestor(bar->m_hWnd, GA_ROOT);
  EXPECT_EQ(GetWindowLongPtr(floating, GWL_STYLE) & WS_THICKFRAME, 0);
  asked->DestroyWindow();
}

TEST_F(QVTCustomToolBarTest, CommonControlMessagesAddAndDeleteButtons) {
  const QVTTBButton records[] = {
      {0, 200, 0x04, 0x02, {0, 0}, 0, 0},  // greyed (state 0x04 << 16) check button
      {0, 0, 0, 0, {0, 0}, 0, 0},          // a zero command is a separator
      {0, 201, 0, 0, {0, 0}, 0, 0},
  };
  EXPECT_EQ(bar->SendMessage(QVT_TB_ADDBUTTONS, 3, reinterpret_cast<LPARAM>(records)), TRUE);
  ASSERT_EQ(bar->GetButtonCount(), 8);
  EXPECT_EQ(bar->GetButtonID(5), 200u);
  EXPECT_EQ(bar->GetButtonStyle(5) & (kTBCheck | kTBDisabled), static_cast<DWORD>(kTBCheck | kTBDisabled));
  EXPECT_TRUE(bar->GetButton(6)->IsSeparator());
  EXPECT_EQ(bar->SendMessage(QVT_TB_DELETEBUTTON, 7), TRUE);
  EXPECT_EQ(bar->GetButtonCount(), 6);  // the separator left last went with it
  EXPECT_EQ(bar->GetButtonID(5), 200u);
}

TEST_F(QVTCustomToolBarTest, ADropDownButtonTellsItsOwnerAndHoldsNoMouse) {
  bar->SetButtonStyle(0, bar->GetButtonStyle(0) | kTBDropDown);
  InjectClick(OnScreen(0));
  Pump();
  EXPECT_EQ(frame->notes, (std::vector<std::pair<UINT, int>>{{kOpen, QVT_TBN_DROPDOWN}}));
  EXPECT_TRUE(frame->commands.empty());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(bar->GetButtonStyle(0) & kTBPressed);
}

TEST_F(QVTCustomToolBarTest, FacesAreDrawnForAPersonToLookAt) {
  UpdateButtons();
  frame->saved = true;
  UpdateButtons();
  bar->ModifyBarStyleEx(0, QVT_TBSTYLE_COOLLOOK);
  InjectMouseMove(OnScreen(3));
  Pump();
  UpdateWindow(frame_hwnd);
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/custom_toolbar.png";
  ASSERT_TRUE(GetHeadlessHost().DumpWindowPng(frame_hwnd, path));
  EXPECT_GT(std::filesystem::file_size(path), 0u);
}

// A bar whose button 7 is taller than the others.
class TallButtonBar : public QVTCustomToolBar {
 public:
  static constexpr UINT kTall = 7;
  QVTStdBtn* CreateButton(UINT id) override {
    QVTStdBtn* button = QVTCustomToolBar::CreateButton(id);
    if (id == kTall) button->m_cy = 40;
    return button;
  }
};

// Filling a bar in one go fits its separators as inserting the buttons one
// by one does.
TEST(QVTCustomToolBarFillTest, SeparatorsTakeTheHeightsOneByOneInsertionGives) {
  const std::vector<std::vector<UINT>> cases = {
      {0, 1, 0, TallButtonBar::kTall, 0},
      {TallButtonBar::kTall, 0, 1},
      {0, 0},
      {1, 0, 2},
      {0, TallButtonBar::kTall},
  };
  for (const std::vector<UINT>& ids : cases) {
    SCOPED_TRACE(::testing::PrintToString(ids));
    TallButtonBar filled, inserted;
    ASSERT_TRUE(filled.SetButtons(ids.data(), static_cast<int>(ids.size())));
    for (const UINT id : ids) inserted.InsertButton(inserted.GetButtonCount(), id, id == 0, TRUE);
    ASSERT_EQ(filled.GetButtonCount(), inserted.GetButtonCount());
    for (int i = 0; i < filled.GetButtonCount(); ++i)
      EXPECT_EQ(filled.GetButton(i)->m_cy, inserted.GetButton(i)->m_cy) << i;
  }
}

// A kind of button a map names.
class MappedButton : public QVTStdBtn {
 public:
  static QVTStdBtn* Make() { return new MappedButton; }
  void Attach(QVTCustomToolBar* bar, const void* extra) override {
    QVTStdBtn::Attach(bar, extra);
    given = extra;
  }
  const void* given = nullptr;
};

TEST(QVTCustomToolBarMapTest, ButtonsAreMadeAsTheLastEntryForTheirIdSays) {
  static const int extra = 0;
  const QVTButtonMapEntry map[] = {{&MappedButton::Make, 5, kTBCheck, nullptr},
                                   {&MappedButton::Make, 5, kTBNeverDisable, &extra},  // the later one wins
                                   {}};
  const QVTButtonMapEntry second[] = {{&MappedButton::Make, 5, kTBCheck, nullptr},
                                      {&MappedButton::Make, 6, kTBCentred, nullptr},
                                      {}};
  struct Case {
    UINT id;
    bool mapped;
    DWORD style;
    const void* extra;
  } cases[] = {{5, true, kTBNeverDisable, &extra}, {6, true, kTBCentred, nullptr}, {8, false, 0, nullptr}};
  QVTCustomToolBar bar;
  bar.SetButtonMap(map);
  bar.SetSecondButtonTable(second);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    std::unique_ptr<QVTStdBtn> button(bar.CreateButton(c.id));
    const auto* mapped = dynamic_cast<const MappedButton*>(button.get());
    EXPECT_EQ(mapped != nullptr, c.mapped);
    EXPECT_EQ(button->m_nID, c.id);
    EXPECT_EQ(button->m_dwStyle, c.style);
    if (mapped) {
      EXPECT_EQ(mapped->given, c.extra);
    }
  }
}

}  // namespace
}  // namespace docking::test
