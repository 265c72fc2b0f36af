// The common-control toolbar: how it is made, its buttons in the control
// and their style words, command UI, the rows it wraps into for each
// orientation and size, its borders, and what a click does.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "docking/QVTFrameWnd.h"
#include "docking/QVTReBar.h"
#include "docking/QVTToolBar.h"
#include "docking/QVTToolBarImages.h"
#include "docking/QVTToolCmdUI.h"
#include "platform/afx/MessageMap.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/HeadlessInput.h"
#include "platform/ui/ImageResources.h"
#include "tests/platform/afx/AfxFixture.h"

namespace docking::test {
namespace {

using namespace ui;
using afx::LM_COMMIT;
using afx::LM_HORZ;
using afx::LM_HORZDOCK;
using afx::LM_LENGTHY;
using afx::LM_MRUWIDTH;
using afx::LM_VERTDOCK;

constexpr UINT kOpen = 300, kSave = 301, kConvert = 302, kDisabled = 303;
constexpr UINT kResource = 7710;

// Logs its commands; kDisabled is greyed and kSave checked while `saved` holds.
class CommonBarFrame : public QVTFrameWnd {
 public:
  std::vector<UINT> commands;
  bool saved = false;
  void OnCommandRange(UINT id) { commands.push_back(id); }
  void OnUpdateDisabled(afx::CCmdUI* state) { state->Enable(FALSE); }
  void OnUpdateSave(afx::CCmdUI* state) { state->SetCheck(saved ? 1 : 0); }
  void OnUpdateConvert(afx::CCmdUI* state) { state->Enable(FALSE); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CommonBarFrame, QVTFrameWnd)
  ON_COMMAND_RANGE(kOpen, kDisabled, OnCommandRange)
  ON_UPDATE_COMMAND_UI(kDisabled, OnUpdateDisabled)
  ON_UPDATE_COMMAND_UI(kSave, OnUpdateSave)
  ON_UPDATE_COMMAND_UI(kConvert, OnUpdateConvert)
END_MESSAGE_MAP()

// A bar with an update handler of its own for kConvert, which comes
// before the frame's.
class OwnUpdateBar : public QVTToolBar {
 public:
  void OnUpdateConvert(afx::CCmdUI* state) { state->SetCheck(1); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OwnUpdateBar, QVTToolBar)
  ON_UPDATE_COMMAND_UI(kConvert, OnUpdateConvert)
END_MESSAGE_MAP()

// Four 16 x 15 images: a dark frame around red, green, blue and yellow.
std::vector<BYTE> SampleImages() {
  const RGBQUAD palette[16] = {{0, 0, 0, 0}, {0, 0, 255, 0}, {0, 160, 0, 0}, {255, 0, 0, 0}, {0, 220, 220, 0}};
  constexpr int kWidth = 64, kHeight = 15, kStride = ((kWidth * 4 + 31) / 32) * 4;
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
      const bool frame = inner <= 1 || inner >= 14 || y <= 1 || y >= 13;
      const int index = frame ? 0 : 1 + x / 16;
      pixels[(kHeight - 1 - y) * kStride + x / 2] |= static_cast<BYTE>(x % 2 ? index : index << 4);
    }
  return dib;
}

class QVTToolBarTest : public afx::test::AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    RegisterBitmapResource(kResource, SampleImages());
    ToolbarResource toolbar;
    toolbar.items = {kOpen, kSave, 0, kConvert, kDisabled};
    RegisterToolbarResource(kResource, toolbar);
    frame = new CommonBarFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Common", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 60, 600, 360}));
    frame_hwnd = frame->m_hWnd;
    frame->EnableDocking(afx::CBRS_ALIGN_ANY);
    bar = MakeBar<QVTToolBar>(afx::CBRS_TOP | afx::CBRS_SIZE_DYNAMIC, afx::AFX_IDW_TOOLBAR);
  }
  void TearDown() override {
    if (IsWindow(frame_hwnd)) DestroyWindow(frame_hwnd);
    Pump();
    AfxFixture::TearDown();
  }
  template <typename Bar>
  Bar* MakeBar(DWORD bar_style, UINT id, DWORD ex_style = 0) {
    auto* made = new Bar;
    made->m_bAutoDelete = TRUE;
    EXPECT_TRUE(made->Create(frame, "Tools", WS_CHILD | WS_VISIBLE | bar_style, ex_style, id));
    EXPECT_TRUE(made->LoadToolBar(kResource));
    return made;
  }
  void Dock(QVTToolBar* which) {
    which->EnableDocking(afx::CBRS_ALIGN_ANY);
    frame->DockControlBar(which);
    frame->RecalcLayout();
    Pump();
  }
  static void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  // What the bar's borders add to the rows, across and along.
  static SIZE Borders(const QVTToolBar* which, bool horizontal) {
    RECT inside{0, 0, 0, 0};
    which->CalcInsideRect(inside, horizontal ? TRUE : FALSE);
    return SIZE{inside.left - inside.right, inside.top - inside.bottom};
  }
  POINT OnScreen(int index) const {
    RECT rect;
    bar->GetItemRect(index, &rect);
    POINT at{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(bar->m_hWnd, &at);
    return at;
  }
  CommonBarFrame* frame = nullptr;
  HWND frame_hwnd = nullptr;
  QVTToolBar* bar = nullptr;
};

TEST_F(QVTToolBarTest, CreationSetsTheControlsStylesAndTheBarsOwn) {
  EXPECT_EQ(GetClassName(bar->m_hWnd), "ToolbarWindow32");
  EXPECT_EQ(bar->GetStyle() & 0x4E, 0x4Eu);  // no divider, no placing or sizing of itself
  EXPECT_TRUE(bar->GetBarStyle() & afx::CBRS_HIDE_INPLACE);  // the frame's own toolbar id
  EXPECT_FALSE(bar->GetStyle() & afx::CBRS_ALIGN_TOP);  // bar bits stay out of the window style
  struct Case {
    DWORD bar_style, ex_style, expected_ex;
  };
  const Case cases[] = {
      {afx::CBRS_TOP, QVT_BARSTYLE_OWN_BORDERS, 0},  // a border bit turns the framework's borders off
      {afx::CBRS_ALIGN_TOP, QVT_BARSTYLE_OWN_BORDERS | 0x1, QVT_BARSTYLE_OWN_BORDERS | 0x1},
  };
  for (const Case& c : cases) {
    auto* other = MakeBar<QVTToolBar>(c.bar_style, 0xE830, c.ex_style);
    EXPECT_EQ(other->GetBarStyleEx(), c.expected_ex);
    EXPECT_FALSE(other->GetBarStyle() & afx::CBRS_HIDE_INPLACE);
    other->DestroyWindow();
  }
  auto* bordered = new QVTToolBar;
  bordered->m_bAutoDelete = TRUE;
  ASSERT_TRUE(bordered->CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | afx::CBRS_TOP, RECT{1, 2, 3, 4}, 0xE831));
  EXPECT_EQ(bordered->GetBarStyleEx(), QVT_BARSTYLE_SIZABLE);
  EXPECT_TRUE(bordered->GetStyle() & TBSTYLE_FLAT);
  EXPECT_EQ(bordered->TopBorder(), 2);
  EXPECT_EQ(bordered->BottomBorder(), 4);
}

TEST_F(QVTToolBarTest, ALoadedToolBarHasItsButtonsImagesAndSizes) {
  ASSERT_EQ(bar->GetCount(), 5);
  struct Case {
    int index;
    UINT id, style;
    int image;
  };
  const Case cases[] = {{0, kOpen, QVT_TBBS_BUTTON, 0},
                        {1, kSave, QVT_TBBS_BUTTON, 1},
                        {2, 0, QVT_TBBS_SEPARATOR, 6},  // a separator's image is its width
                        {3, kConvert, QVT_TBBS_BUTTON, 2},
                        {4, kDisabled, QVT_TBBS_BUTTON, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    UINT id = 99, style = 99;
    int image = 99;
    bar->GetButtonInfo(c.index, id, style, image);
    EXPECT_EQ(id, c.id);
    EXPECT_EQ(style, c.style);
    EXPECT_EQ(image, c.image);
  }
  EXPECT_EQ(bar->GetButtonSize(), (SIZE{23, 22}));  // the image and seven pixels
  EXPECT_EQ(bar->GetImageSize(), (SIZE{16, 15}));
  EXPECT_EQ(bar->CommandToIndex(kConvert), 3);
  EXPECT_TRUE(bar->IsLayoutDirty());
  RECT rect;
  bar->GetItemRect(1, &rect);
  EXPECT_FALSE(bar->IsLayoutDirty());
  EXPECT_EQ(rect, (RECT{23, 0, 46, 22}));
  bar->GetItemRect(9, &rect);
  EXPECT_EQ(rect, (RECT{0, 0, 0, 0}));
  // New sizes reach the control and are remembered; the flat styles the
  // control measures with are gone again afterwards.
  bar->SetSizes(SIZE{30, 28}, SIZE{20, 18});
  EXPECT_EQ(bar->GetButtonSize(), (SIZE{30, 28}));
  EXPECT_EQ(bar->GetImageSize(), (SIZE{20, 18}));
  EXPECT_EQ(SendMessage(bar->m_hWnd, TB_GETBUTTONSIZE, 0, 0), MAKELRESULT(30, 28));
  EXPECT_FALSE(bar->GetStyle() & (TBSTYLE_FLAT | TBSTYLE_TRANSPARENT));
  ASSERT_TRUE(bar->SetButtons(nullptr, 3));  // without ids: empty separators
  EXPECT_EQ(bar->GetButtonStyle(2), QVT_TBBS_SEPARATOR);
  EXPECT_TRUE(bar->IsLayoutDirty());
}

TEST_F(QVTToolBarTest, TheStyleWordIsTheStateAboveTheStyleWithEnabledTurnedRound) {
  struct Case {
    UINT style;
    BYTE control_state;
  };
  const Case cases[] = {{QVT_TBBS_BUTTON, TBSTATE_ENABLED},
                        {QVT_TBBS_DISABLED, 0},
                        {QVT_TBBS_CHECKBOX | QVT_TBBS_CHECKED, TBSTATE_ENABLED | TBSTATE_CHECKED},
                        {QVT_TBBS_HIDDEN | QVT_TBBS_DISABLED, TBSTATE_HIDDEN}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    bar->SetButtonStyle(1, c.style);
    EXPECT_EQ(bar->GetButtonStyle(1), c.style);
    EXPECT_EQ(SendMessage(bar->m_hWnd, TB_GETSTATE, kSave, 0), c.control_state);
    EXPECT_EQ(bar->GetItemID(1), kSave);
  }
}

TEST_F(QVTToolBarTest, CommandUIEnablesAndChecksThroughTheStyleWord) {
  QVTToolCmdUI state;
  state.m_pBar = bar;
  state.m_nIndex = 0;
  struct Case {
    UINT before;
    int action;  // 0 disable, 1 enable, 10+n SetCheck(n)
    UINT after;
  };
  const Case cases[] = {
      {QVT_TBBS_PRESSED, 0, QVT_TBBS_DISABLED},  // a disabled button is never pressed
      {QVT_TBBS_DISABLED | QVT_TBBS_CHECKED, 1, QVT_TBBS_CHECKED},
      {QVT_TBBS_BUTTON, 11, QVT_TBBS_CHECKBOX | QVT_TBBS_CHECKED},
      {QVT_TBBS_CHECKED, 12, QVT_TBBS_CHECKBOX | QVT_TBBS_INDETERMINATE},
      {QVT_TBBS_INDETERMINATE | QVT_TBBS_CHECKED, 10, QVT_TBBS_CHECKBOX},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.action);
    bar->SetButtonStyle(0, c.before);
    if (c.action < 10) state.Enable(c.action);
    else state.SetCheck(c.action - 10);
    EXPECT_EQ(bar->GetButtonStyle(0), c.after);
  }
}

TEST_F(QVTToolBarTest, UpdatesAskTheBarFirstThenTheFrame) {
  auto* own = MakeBar<OwnUpdateBar>(afx::CBRS_TOP, 0xE832);
  frame->saved = true;
  own->OnUpdateCmdUI(frame, TRUE);
  EXPECT_TRUE(own->GetButtonStyle(1) & QVT_TBBS_CHECKED);      // the frame's handler
  EXPECT_TRUE(own->GetButtonStyle(4) & QVT_TBBS_DISABLED);     // the frame's handler
  EXPECT_EQ(own->GetButtonStyle(3), QVT_TBBS_CHECKBOX | QVT_TBBS_CHECKED);  // the bar's, not the frame's
  EXPECT_FALSE(own->GetButtonStyle(0) & QVT_TBBS_DISABLED);    // handled: kOpen has a command
}

TEST_F(QVTToolBarTest, ATextIsAddedOnceAndSharedByTheButtonsShowingIt) {
  ASSERT_TRUE(bar->SetButtonText(0, "Open"));
  ASSERT_TRUE(bar->SetButtonText(3, "Open"));
  ASSERT_TRUE(bar->SetButtonText(1, "Save"));
  TBBUTTON first, second, third;
  SendMessage(bar->m_hWnd, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&first));
  SendMessage(bar->m_hWnd, TB_GETBUTTON, 3, reinterpret_cast<LPARAM>(&second));
  SendMessage(bar->m_hWnd, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&third));
  EXPECT_EQ(first.iString, second.iString);
  EXPECT_NE(first.iString, third.iString);
  EXPECT_EQ(bar->GetButtonText(3), "Open");
  EXPECT_EQ(bar->GetButtonText(4), "");
  EXPECT_FALSE(bar->SetButtonText(7, "Nowhere"));
}

TEST_F(QVTToolBarTest, RowsAreWrappedForEachOrientationAndSize) {
  const SIZE across = Borders(bar, true), along = Borders(bar, false);
  // Open Save | Convert Disabled: 4 x 23 + 6 wide in one row; one a row
  // standing, the separator a 4-pixel gap under Save's row.
  struct Case {
    const char* name;
    int length;
    DWORD mode;
    SIZE size;  // without the borders
  };
  const Case cases[] = {
      {"docked along the top", -1, LM_HORZ | LM_HORZDOCK, {98, 22}},
      {"docked at a side", -1, LM_VERTDOCK, {23, 92}},
      {"floating two rows high", 48 + across.cy, LM_HORZ | LM_LENGTHY | LM_COMMIT, {46, 48 - 2}},
      {"floating within 70 wide", 70 + across.cx, LM_HORZ | LM_COMMIT, {46, 48 - 2}},
      {"floating in one row", 200, LM_HORZ | LM_COMMIT, {98, 22 - 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SIZE borders = (c.mode & LM_HORZ) ? across : along;
    const SIZE size = bar->CalcDynamicLayout(c.length, c.mode);
    EXPECT_EQ(size, (SIZE{c.size.cx + borders.cx, c.size.cy + borders.cy}));
  }
}

TEST_F(QVTToolBarTest, ACommittedLayoutWritesItsRowsToTheControlAndIsRemembered) {
  const SIZE across = Borders(bar, true);
  const SIZE floating = bar->CalcDynamicLayout(48 + across.cy, LM_HORZ | LM_LENGTHY | LM_COMMIT);
  EXPECT_EQ(bar->m_szFloat, floating);
  EXPECT_EQ(bar->m_nMRUWidth, floating.cx);
  EXPECT_EQ(SendMessage(bar->m_hWnd, TB_GETSTATE, kSave, 0) & TBSTATE_WRAP, 0);
  TBBUTTON separator;
  SendMessage(bar->m_hWnd, TB_GETBUTTON, 2, reinterpret_cast<LPARAM>(&separator));
  EXPECT_TRUE(separator.fsState & TBSTATE_WRAP);
  RECT convert;
  bar->GetItemRect(3, &convert);
  EXPECT_EQ(convert.top, 22 + 4);  // under the first row and the separator's gap
  EXPECT_EQ(bar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH), floating);
  // A query of a stale size commits a layout: the docked size is stored
  // and then given back without laying out again.
  const SIZE docked = bar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
  EXPECT_EQ(bar->m_szHorz, docked);
  bar->m_szHorz = SIZE{1, 1};
  EXPECT_EQ(bar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK), (SIZE{1, 1}));
  bar->SetButtonStyle(0, QVT_TBBS_HIDDEN);  // a hidden button makes the sizes stale again
  EXPECT_EQ(bar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK).cx, docked.cx - 23);
}

TEST_F(QVTToolBarTest, AWindowOverASeparatorMovesWithItWhenTheRowsChange) {
  constexpr UINT kCombo = 500;
  bar->SetButtonInfo(2, kCombo, QVT_TBBS_SEPARATOR, 40);
  afx::CWnd combo;
  ASSERT_TRUE(combo.Create(nullptr, "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 40, 20}, bar, kCombo));
  const SIZE across = Borders(bar, true);
  for (const int width : {200, 60}) {
    SCOPED_TRACE(width);
    bar->CalcDynamicLayout(width + across.cx, LM_HORZ | LM_COMMIT);
    RECT separator, placed;
    bar->GetItemRect(2, &separator);
    combo.GetWindowRect(&placed);
    bar->ScreenToClient(&placed);
    EXPECT_EQ(placed.left, separator.left);
    EXPECT_EQ(placed.top, separator.top);
  }
}

TEST_F(QVTToolBarTest, SetHeightSharesTheSpaceBetweenTheBorders) {
  // The bar is CBRS_TOP: one border line at the bottom (two pixels).
  struct Case {
    int cy, top, bottom;
  };
  const Case cases[] = {{34, 5, 5}, {35, 6, 5}, {24, 0, 0}, {20, 0, -4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cy);
    bar->SetHeight(c.cy);
    EXPECT_EQ(bar->TopBorder(), c.top);
    EXPECT_EQ(bar->BottomBorder(), c.bottom);
  }
}

TEST_F(QVTToolBarTest, ButtonsAreHitAndClickedAndTheCommandGoesToTheFrame) {
  Dock(bar);
  RECT rect;
  bar->GetItemRect(3, &rect);
  EXPECT_EQ(bar->OnToolHitTest(POINT{rect.left + 2, rect.top + 2}), static_cast<INT_PTR>(kConvert));
  bar->GetItemRect(2, &rect);
  EXPECT_EQ(bar->OnToolHitTest(POINT{rect.left + 1, rect.top + 2}), -1);  // a separator
  InjectClick(OnScreen(1));
  Pump();
  EXPECT_EQ(frame->commands, std::vector<UINT>{kSave});
}

TEST_F(QVTToolBarTest, ANewBitmapReplacesTheOldOneWhichIsDeleted) {
  HBITMAP first = LoadBitmapMappedToSysColors(kResource);
  HBITMAP second = LoadBitmapMappedToSysColors(kResource);
  ASSERT_TRUE(bar->SetBitmap(first));
  ASSERT_TRUE(bar->SetBitmap(second));
  EXPECT_EQ(GetObjectType(first), 0u);
  EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_BITMAP));
  // A colour change reloads a bitmap the bar took from the resources.
  SendMessage(bar->m_hWnd, WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(GetObjectType(second), 0u);
  // Images of no width: the bitmap holds no images, and nothing divides by the width.
  bar->SetSizes(SIZE{7, 7}, SIZE{0, 0});
  EXPECT_TRUE(bar->SetBitmap(LoadBitmapMappedToSysColors(kResource)));
}

// A bar that logs the fixed layouts it is asked for.
class LoggingBar : public QVTControlBar {
 public:
  std::vector<std::pair<BOOL, BOOL>> asked;
  SIZE CalcFixedLayout(BOOL stretch, BOOL horizontal) override {
    asked.emplace_back(stretch, horizontal);
    return QVTControlBar::CalcFixedLayout(stretch, horizontal);
  }
};

TEST_F(QVTToolBarTest, ARebarLetsItsBandsBarsLayThemselvesOut) {
  auto* rebar = new QVTReBar;
  rebar->m_bAutoDelete = TRUE;
  ASSERT_TRUE(rebar->Create(frame));
  auto* logging = new LoggingBar;
  logging->m_bAutoDelete = TRUE;
  ASSERT_TRUE(logging->Create(frame, "Log", WS_CHILD | WS_VISIBLE | afx::CBRS_TOP, 0, 0xE833));
  afx::CWnd plain;
  ASSERT_TRUE(plain.Create(nullptr, "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 40, 20}, frame, 0xE834));
  ASSERT_TRUE(rebar->AddBar(logging, "Log"));
  ASSERT_TRUE(rebar->AddBar(&plain));
  EXPECT_EQ(rebar->GetReBarCtrl().GetBandCount(), 2u);
  logging->asked.clear();
  for (const BOOL horizontal : {TRUE, FALSE}) {
    const SIZE size = rebar->CalcFixedLayout(FALSE, horizontal);
    EXPECT_EQ(size, rebar->afx::CReBar::CalcFixedLayout(FALSE, horizontal));
    EXPECT_EQ(logging->asked.back(), (std::pair<BOOL, BOOL>{FALSE, horizontal}));
  }
  EXPECT_EQ(logging->asked.size(), 2u);
  // The band is as high as the bar asked when it was added (300 x 180 before any layout).
  ::ui::REBARBANDINFO info;
  info.fMask = RBBIM_CHILDSIZE;
  ASSERT_TRUE(rebar->GetReBarCtrl().GetBandInfo(0, &info));
  EXPECT_EQ(info.cyMinChild, 180u);
}

TEST_F(QVTToolBarTest, ToolbarsAndARebarAreDrawnForAPersonToLookAt) {
  bar->ModifyStyle(0, TBSTYLE_FLAT);
  Dock(bar);
  frame->saved = true;
  bar->OnUpdateCmdUI(frame, TRUE);
  auto* rebar = new QVTReBar;
  rebar->m_bAutoDelete = TRUE;
  ASSERT_TRUE(rebar->Create(frame));
  auto* banded = MakeBar<QVTToolBar>(afx::CBRS_ALIGN_TOP, 0xE835);
  banded->OnUpdateCmdUI(frame, TRUE);
  ASSERT_TRUE(rebar->AddBar(banded, "Band"));
  frame->RecalcLayout();
  Pump();
  UpdateWindow(frame_hwnd);
  Pump();
  RECT rebar_rect;
  rebar->GetWindowRect(&rebar_rect);
  EXPECT_GT(rebar_rect.bottom - rebar_rect.top, 22);
  EXPECT_EQ(GetParent(banded->m_hWnd), rebar->m_hWnd);
  // A band's toolbar still sends its commands to the frame.
  RECT open;
  banded->GetItemRect(0, &open);
  POINT at{open.left + 5, open.top + 5};
  ClientToScreen(banded->m_hWnd, &at);
  InjectClick(at);
  Pump();
  EXPECT_EQ(frame->commands, std::vector<UINT>{kOpen});
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/common_toolbar.png";
  ASSERT_TRUE(GetHeadlessHost().DumpWindowPng(frame_hwnd, path));
  EXPECT_GT(std::filesystem::file_size(path), 0u);
}

}  // namespace
}  // namespace docking::test
