// The dialog bar: a template's controls as a bar of the template's size,
// kept in proportion when resized under the child-layout style, refused
// without its template, and made again by a saved layout.
#include <gtest/gtest.h>

#include <memory>

#include "docking/QVTDialogBar.h"
#include "docking/QVTDockBar.h"
#include "docking/QVTFrameWnd.h"
#include "platform/ui/Resources.h"
#include "tests/platform/afx/AfxFixture.h"

namespace docking::test {
namespace {

using namespace ui;

constexpr UINT kTemplate = 7800, kBarId = 0xE830, kEdit = 10, kButton = 11;

class QVTDialogBarTest : public afx::test::AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION;
    dialog.cx = 100;
    dialog.cy = 40;
    dialog.items = {{"Edit", "", kEdit, WS_VISIBLE | WS_BORDER, 0, 10, 10, 40, 12},
                    {"Button", "Go", kButton, WS_VISIBLE, 0, 60, 10, 30, 14}};
    RegisterDialogResource(kTemplate, dialog);
    frame = MakeFrame();
  }
  void TearDown() override {
    if (frame && IsWindow(frame->m_hWnd)) DestroyWindow(frame->m_hWnd);
    AfxFixture::TearDown();
  }
  static QVTFrameWnd* MakeFrame() {
    auto* made = new QVTFrameWnd;
    EXPECT_TRUE(made->Create(nullptr, "Bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 60, 900, 660}));
    made->EnableDocking(afx::CBRS_ALIGN_ANY);
    return made;
  }
  QVTDialogBar* MakeBar(DWORD ex_style) {
    auto* bar = new QVTDialogBar;
    bar->m_bAutoDelete = TRUE;
    EXPECT_TRUE(bar->Create(frame, kTemplate, WS_CHILD | WS_VISIBLE | afx::CBRS_LEFT, ex_style, kBarId));
    return bar;
  }
  static RECT ChildRect(const QVTDialogBar* bar, int id) {
    RECT rect;
    GetWindowRect(GetDlgItem(bar->m_hWnd, id), &rect);
    bar->ScreenToClient(&rect);
    return rect;
  }
  QVTFrameWnd* frame = nullptr;
};

TEST_F(QVTDialogBarTest, TheBarIsTheTemplatesSizeInEveryOrientation) {
  QVTDialogBar* bar = MakeBar(0);
  RECT window;
  GetWindowRect(bar->m_hWnd, &window);
  const SIZE size{window.right - window.left, window.bottom - window.top};
  EXPECT_GT(size.cx, 0);
  EXPECT_EQ(bar->GetTemplateSize().cx, size.cx);
  for (const BOOL horizontal : {TRUE, FALSE}) {
    const SIZE laid = bar->CalcFixedLayout(FALSE, horizontal);
    EXPECT_EQ(laid.cx, size.cx);
    EXPECT_EQ(laid.cy, size.cy);
  }
  EXPECT_EQ(bar->GetDlgCtrlID(), static_cast<int>(kBarId));
  EXPECT_FALSE(bar->GetStyle() & WS_CAPTION);
  EXPECT_TRUE(bar->GetStyle() & WS_CHILD);
  EXPECT_NE(GetDlgItem(bar->m_hWnd, kButton), nullptr);
}

TEST_F(QVTDialogBarTest, ChildLayoutKeepsEachControlsShareWhenResized) {
  for (const DWORD ex_style : {DWORD{0}, QVT_BARSTYLE_CHILD_LAYOUT}) {
    SCOPED_TRACE(ex_style ? "child layout" : "fixed");
    QVTDialogBar* bar = MakeBar(ex_style);
    const RECT edit = ChildRect(bar, kEdit), button = ChildRect(bar, kButton);
    const SIZE size = bar->GetTemplateSize();
    SetWindowPos(bar->m_hWnd, nullptr, 0, 0, size.cx * 2, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    const RECT edit_now = ChildRect(bar, kEdit), button_now = ChildRect(bar, kButton);
    const int factor = ex_style ? 2 : 1;
    EXPECT_EQ(edit_now.left, edit.left * factor);
    EXPECT_EQ(edit_now.right, edit.right * factor);
    EXPECT_EQ(button_now.left, button.left * factor);
    EXPECT_EQ(button_now.top, button.top);
    DestroyWindow(bar->m_hWnd);
  }
}

TEST_F(QVTDialogBarTest, AMissingTemplateMakesNoBar) {
  QVTDialogBar bar;
  EXPECT_FALSE(bar.Create(frame, kTemplate + 1, WS_CHILD | WS_VISIBLE, 0, kBarId));
  EXPECT_EQ(bar.m_hWnd, nullptr);
  EXPECT_EQ(frame->GetControlBar(kBarId), nullptr);
}

// A bar that refuses its window, and sees the creation record first.
class RefusingDialogBar : public QVTDialogBar {
 public:
  BOOL PreCreateWindow(CREATESTRUCT& create) override {
    seen = create;
    return FALSE;
  }
  CREATESTRUCT seen;
};

TEST_F(QVTDialogBarTest, ABarThatRefusesItsWindowGetsNone) {
  RefusingDialogBar bar;
  EXPECT_FALSE(bar.Create(frame, kTemplate, WS_VISIBLE | afx::CBRS_LEFT, 0, kBarId));
  EXPECT_EQ(bar.m_hWnd, nullptr);
  EXPECT_EQ(frame->GetControlBar(kBarId), nullptr);
  EXPECT_EQ(bar.seen.style & (WS_CHILD | WS_VISIBLE), static_cast<LONG>(WS_CHILD | WS_VISIBLE));
  EXPECT_EQ(bar.seen.hMenu, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kBarId)));
  EXPECT_EQ(bar.seen.hwndParent, frame->m_hWnd);
}

TEST_F(QVTDialogBarTest, ASavedLayoutMakesTheBarAgainFromItsTemplate) {
  QVTDialogBar* bar = MakeBar(0);
  bar->EnableDocking(afx::CBRS_ALIGN_ANY);
  frame->DockControlBar(bar, kDockBarRight);
  frame->RecalcLayout();
  ASSERT_TRUE(frame->SaveBarState("Dialog bars"));
  DestroyWindow(frame->m_hWnd);
  frame = MakeFrame();
  ASSERT_TRUE(frame->LoadBarState("Dialog bars"));
  auto* again = dynamic_cast<QVTDialogBar*>(frame->GetControlBar(kBarId));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->GetTemplateId(), kTemplate);
  EXPECT_NE(GetDlgItem(again->m_hWnd, kEdit), nullptr);
  ASSERT_NE(again->m_pDockBar, nullptr);
  EXPECT_EQ(again->m_pDockBar->GetDlgCtrlID(), static_cast<int>(kDockBarRight));
}

}  // namespace
}  // namespace docking::test
