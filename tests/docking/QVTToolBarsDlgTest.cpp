// The Toolbars dialog (and its page on a property sheet) run modally over a
// frame with two default toolbars and one of the user's: each flow (new,
// rename, reset, delete, showing and hiding, the three options) is a row
// of actions and the toolbars it leaves after Close or OK, and after
// Cancel, which takes every change back.
#include <cairo.h>

#include <algorithm>
#include <cstdint>

#include "tests/docking/ToolBarsDialogFixture.h"

namespace docking::test {
namespace {

TEST_F(ToolBarsDialogFixture, EveryFlowKeepsItsChangeOnCloseAndCancelTakesItBack) {
  struct Flow {
    const char* what;
    std::vector<Action> actions;
    std::string after_close;
    std::string options_after_close;
    bool makes_bar = false;
  };
  const std::string defaults = "tips -cool -large";
  const std::string long_name(200, 'x');
  const Flow flows[] = {
      {"new", {Click(R::kNewButton), AnswerNewToolBar("Fresh", IDOK)}, "Standard:2 Conversion:2 Mine:1 Fresh:0",
       defaults, true},
      {"new, the name refused", {Click(R::kNewButton), AnswerNewToolBar("Fresh", IDCANCEL)}, kUntouched, defaults},
      {"rename", {Select(2), TypeName("Renamed")}, "Standard:2 Conversion:2 Renamed:1", defaults},
      {"rename, too long", {Select(2), TypeName(long_name)},
       "Standard:2 Conversion:2 " + long_name.substr(0, 128) + ":1", defaults},
      {"a default bar cannot be renamed", {Select(0), TypeName("Renamed")}, kUntouched, defaults},
      {"reset", {Select(0), Click(R::kResetButton)}, "Standard:4 Conversion:2 Mine:1", defaults},
      {"delete", {Select(2), Click(R::kResetButton)}, "Standard:2 Conversion:2", defaults},
      {"hide", {ClickBox(1)}, "Standard:2 Conversion:2- Mine:1", defaults},
      {"hide and show again", {ClickBox(1), ClickBox(1)}, kUntouched, defaults},
      {"tooltips", {Click(R::kToolTipsCheck)}, kUntouched, "-tips -cool -large"},
      {"cool look", {Click(R::kCoolLookCheck)}, kUntouched, "tips cool -large"},
      {"large buttons", {Click(R::kLargeButtonsCheck)}, kUntouched, "tips -cool large"},
      {"everything at once",
       {Select(2), TypeName("Renamed"), Click(R::kResetButton), ClickBox(0), Click(R::kCoolLookCheck),
        Click(R::kLargeButtonsCheck), Click(R::kNewButton), AnswerNewToolBar("Fresh", IDOK)},
       "Standard:2- Conversion:2 Fresh:0", "tips cool large", true},
  };
  for (const bool on_page : {false, true}) {
    for (const int closing : {IDOK, IDCANCEL}) {
      for (const Flow& flow : flows) {
        SCOPED_TRACE(std::string(flow.what) + (closing == IDOK ? ", closed" : ", cancelled") +
                     (on_page ? ", on the page" : ", in the dialog"));
        // A bar made in the dialog ends it as Customize does, keeping every change.
        const bool ends_dialog = flow.makes_bar && !on_page;
        if (ends_dialog && closing == IDCANCEL) continue;
        std::vector<Action> actions = flow.actions;
        if (!ends_dialog) actions.push_back(Close(closing));
        EXPECT_EQ(on_page ? RunOnPage(actions) : Run(actions), ends_dialog ? QVTToolBarsDlg::kCustomizeResult : closing);
        const bool kept = closing == IDOK || ends_dialog;
        EXPECT_EQ(Bars(), kept ? flow.after_close : kUntouched);
        EXPECT_EQ(Options(), kept ? flow.options_after_close : defaults);
        EXPECT_FALSE(manager->GetCustomizeMode());
        EXPECT_FALSE(manager->IsConfigMode());
        EXPECT_EQ(manager->GetNoDropWnd(), nullptr);
        Rebuild();
      }
    }
  }
}

TEST_F(ToolBarsDialogFixture, TheSelectionDecidesBetweenResetAndDeleteAndWhetherTheNameCanBeEdited) {
  struct Seen {
    std::string name, button;
    bool editable;
  };
  std::vector<Seen> seen;
  const auto look = [&seen](HWND d) {
    seen.push_back({GetDlgItemTextString(d, R::kNameEdit), GetDlgItemTextString(d, R::kResetButton),
                    IsWindowEnabled(GetDlgItem(d, R::kNameEdit)) != FALSE});
  };
  Run({look, Select(1), look, Select(2), look, Close(IDOK)});
  ASSERT_EQ(seen.size(), 3u);
  const Seen expected[] = {{"Standard", "&Reset", false}, {"Conversion", "&Reset", false}, {"Mine", "&Delete", true}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(seen[i].name, expected[i].name);
    EXPECT_EQ(seen[i].button, expected[i].button);
    EXPECT_EQ(seen[i].editable, expected[i].editable);
  }
}

TEST_F(ToolBarsDialogFixture, WhileOpenTheBarsAreCustomisedAndABarMadeElsewhereJoinsTheListInIdOrder) {
  bool customising = false, configuring = false, frame_enabled = false;
  std::vector<std::string> items;
  std::vector<int> checks;
  Run({[&](HWND d) {
         customising = manager->GetCustomizeMode() && manager->GetToolBar(kMineId)->IsCustomizeMode();
         configuring = manager->IsConfigMode();
         frame_enabled = IsWindowEnabled(frame_hwnd);
         EXPECT_EQ(manager->GetNoDropWnd()->m_hWnd, d);
         // A copied button dropped on nothing makes a bar while the dialog is up.
         manager->GetToolBar(kMineId)->DestroyWindow();
         manager->CreateNewToolBar("Second");
         manager->CreateNewToolBar("Dropped");
         manager->GetToolBar(0xE821)->DestroyWindow();
         manager->CreateNewToolBar("Again");
         auto* list = static_cast<afx::CCheckListBox*>(afx::CWnd::FromHandlePermanent(GetDlgItem(d, R::kToolBarList)));
         for (int i = 0; i < list->GetCount(); ++i) {
           std::string text;
           list->GetText(i, text);
           items.push_back(text);
           checks.push_back(list->GetCheck(i));
         }
       },
       Close(IDOK)});
  EXPECT_TRUE(customising);
  EXPECT_TRUE(configuring);
  EXPECT_TRUE(frame_enabled);
  EXPECT_EQ(items, (std::vector<std::string>{"Standard", "Conversion", "Second", "Again"}));
  EXPECT_EQ(checks, (std::vector<int>{1, 1, 1, 1}));
}

TEST_F(ToolBarsDialogFixture, ANewBarFloatsWhollyOnTheScreenAndEndsTheDialogForCustomising) {
  struct Case {
    const char* what;
    bool with_top_dock_bar;
  };
  for (const Case c : {Case{"below the top dock bar", true}, Case{"off the client area's corner", false}}) {
    SCOPED_TRACE(c.what);
    if (!c.with_top_dock_bar) {
      // A frame docking only at its bottom: no top dock bar to place the new bar by.
      TearDown();
      AfxFixture::SetUp();
      frame = new QVTFrameWnd;
      ASSERT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{300, 200, 1024, 768}));
      frame_hwnd = frame->m_hWnd;
      frame->EnableDocking(afx::CBRS_ALIGN_BOTTOM);
      manager = std::make_unique<QVTToolBarManager>(frame);
    }
    EXPECT_EQ(Run({Click(R::kNewButton), AnswerNewToolBar("Fresh", IDOK)}), QVTToolBarsDlg::kCustomizeResult);
    QVTCustomToolBar* fresh = nullptr;
    for (QVTCustomToolBar* bar : manager->GetToolBars())
      if (bar->GetWindowTextString() == "Fresh") fresh = bar;
    ASSERT_NE(fresh, nullptr);
    EXPECT_TRUE(fresh->IsFloating());
    RECT floating{}, work{};
    GetWindowRect(GetAncestor(fresh->m_hWnd, GA_ROOT), &floating);
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(floating.left >= work.left && floating.top >= work.top && floating.right <= work.right &&
                floating.bottom <= work.bottom)
        << floating.left << "," << floating.top << " " << floating.right << "," << floating.bottom;
    if (c.with_top_dock_bar) {
      RECT top{};
      GetWindowRect(frame->GetControlBar(afx::AFX_IDW_DOCKBAR_TOP)->m_hWnd, &top);
      EXPECT_EQ(floating.left, top.left + 5);
      EXPECT_EQ(floating.top, top.bottom + 5);
    }
  }
}

TEST_F(ToolBarsDialogFixture, TheNewToolBarDialogOffersOkOnlyForANameAndCustomizeEndsTheDialog) {
  std::vector<bool> ok_enabled;
  const auto look = [&ok_enabled](HWND) {
    const HWND asking = GetActiveWindow();
    ok_enabled.push_back(IsWindowEnabled(GetDlgItem(asking, IDOK)) != FALSE);
  };
  const auto type = [](const char* text) {
    return [text](HWND) { SetDlgItemText(GetActiveWindow(), R::kNewNameEdit, text); };
  };
  const int result = Run({Click(R::kNewButton), look, type("A"), look, type(""), look,
                          AnswerNewToolBar("", IDCANCEL), Click(R::kCustomizeButton)});
  EXPECT_EQ(result, QVTToolBarsDlg::kCustomizeResult);
  EXPECT_EQ(ok_enabled, (std::vector<bool>{false, true, false}));
  EXPECT_EQ(Bars(), kUntouched);
  EXPECT_FALSE(manager->GetCustomizeMode());
}

TEST_F(ToolBarsDialogFixture, TheManagerRunsTheDialogWithItsCurrentOptions) {
  manager->SetCoolLook(TRUE);
  GetHeadlessHost().AddScriptStep([] { PostKeyPress(VK_ESCAPE); });
  EXPECT_EQ(manager->ShowToolBarsDialog(), IDCANCEL);
  EXPECT_TRUE(manager->GetCoolLook());
}

// Whether a window's caption shows it active: its band, near the left
// where the gradient begins, is nearer the active caption colour than the
// inactive one.
int Distance(std::uint32_t pixel, COLORREF color) {
  const int r = static_cast<int>((pixel >> 16) & 0xFF) - GetRValue(color);
  const int g = static_cast<int>((pixel >> 8) & 0xFF) - GetGValue(color);
  const int b = static_cast<int>(pixel & 0xFF) - GetBValue(color);
  return r * r + g * g + b * b;
}

bool CaptionLooksActive(HWND hwnd) {
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/caption_" + GetWindowTextString(hwnd) + ".png";
  if (!GetHeadlessHost().DumpWindowPng(hwnd, path)) return false;
  cairo_surface_t* picture = cairo_image_surface_create_from_png(path.c_str());
  const int y = GetSystemMetrics(SM_CYDLGFRAME) + 3;
  const auto* row = cairo_image_surface_get_data(picture) + y * cairo_image_surface_get_stride(picture);
  const std::uint32_t pixel = reinterpret_cast<const std::uint32_t*>(row)[4];
  cairo_surface_destroy(picture);
  return Distance(pixel, GetSysColor(COLOR_ACTIVECAPTION)) < Distance(pixel, GetSysColor(COLOR_INACTIVECAPTION));
}

TEST_F(ToolBarsDialogFixture, TheDialogAndTheFloatingBarsShowActiveTogether) {
  QVTCustomToolBar* mine = manager->GetToolBar(kMineId);
  frame->FloatControlBar(mine, POINT{500, 400}, afx::CBRS_ALIGN_TOP);
  const HWND floating = GetAncestor(mine->m_hWnd, GA_ROOT);
  ASSERT_NE(floating, frame_hwnd);
  std::vector<std::pair<bool, bool>> lit;  // the dialog's caption, the floating bar's
  const auto look = [&lit, floating](HWND dialog) {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    lit.emplace_back(CaptionLooksActive(dialog), CaptionLooksActive(floating));
  };
  Run({look, [floating](HWND) { SetActiveWindow(floating); }, look, [](HWND dialog) { SetActiveWindow(dialog); },
       look, Close(IDOK)});
  EXPECT_EQ(lit, (std::vector<std::pair<bool, bool>>{{true, true}, {true, true}, {true, true}}));
}

TEST_F(ToolBarsDialogFixture, AQuitWhileOpenCountsAsCancelAndLeavesCustomisation) {
  const int result = Run({ClickBox(1), Click(R::kCoolLookCheck), [](HWND) { PostQuitMessage(3); }});
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(Bars(), kUntouched);
  EXPECT_EQ(Options(), "tips -cool -large");
  EXPECT_FALSE(manager->GetCustomizeMode());
  EXPECT_FALSE(manager->IsConfigMode());
  MSG msg;
  EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), 0);  // the quit reaches the outer loop
}

class ToolBarsDialogMenuBarTest : public ToolBarsDialogFixture {
 protected:
  ToolBarsDialogMenuBarTest() { with_menu_bar = true; }
};

TEST_F(ToolBarsDialogMenuBarTest, TheMenuBarAlwaysShowsAndResetsToItsMenus) {
  ASSERT_EQ(manager->GetToolBar(QVTToolBarManager::kMenuBarId), menu_bar);
  std::vector<std::string> seen;
  const auto look = [&seen](HWND d) {
    seen.push_back(GetDlgItemTextString(d, R::kNameEdit) + " " + GetDlgItemTextString(d, R::kResetButton) +
                   (IsWindowEnabled(GetDlgItem(d, R::kNameEdit)) ? " editable" : ""));
  };
  const int menu_item = [this] {
    const auto bars = manager->GetToolBars();
    return static_cast<int>(std::find(bars.begin(), bars.end(), menu_bar) - bars.begin());
  }();
  const int buttons = menu_bar->GetButtonCount();
  menu_bar->RemoveButton(0);
  Run({Select(menu_item), look, ClickBox(menu_item), Click(R::kResetButton), Close(IDOK)});
  EXPECT_EQ(seen, (std::vector<std::string>{"Menu bar &Reset"}));
  EXPECT_TRUE(menu_bar->GetStyle() & WS_VISIBLE);
  EXPECT_EQ(menu_bar->GetButtonCount(), buttons);
}

}  // namespace
}  // namespace docking::test
