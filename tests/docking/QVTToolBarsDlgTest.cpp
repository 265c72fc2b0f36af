// The Toolbars dialog run modally over a frame with two default toolbars
// and one of the user's: each flow (new, rename, reset, delete, showing and
// hiding, the three options) is a row of actions and the toolbars it
// leaves after Close, and after Cancel, which takes every change back.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "docking/QVTCustomToolBar.h"
#include "docking/QVTFrameWnd.h"
#include "docking/QVTToolBarManager.h"
#include "docking/QVTToolBarsDlg.h"
#include "docking/QVTToolBarsResources.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/HeadlessInput.h"
#include "tests/platform/afx/AfxFixture.h"

namespace docking::test {
namespace {

using namespace ui;
using R = QVTToolBarsResources;

constexpr UINT kStandardId = 0xE800, kConversionId = 0xE802, kMineId = 0xE820;
constexpr UINT kStandard[] = {100, 101, 0, 102};
constexpr UINT kConversion[] = {110, 111};

class ToolBarsDialogFixture : public afx::test::AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    frame = new QVTFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 60, 900, 660}));
    frame_hwnd = frame->m_hWnd;
    frame->EnableDocking(afx::CBRS_ALIGN_ANY);
    manager = std::make_unique<QVTToolBarManager>(frame);
    frame->SetControlBarManager(manager.get());
    manager->AddDefaultToolBarDefinition(kStandardId, "Standard", 4, kStandard, afx::CBRS_ALIGN_ANY,
                                         afx::AFX_IDW_DOCKBAR_TOP, 0, TRUE, TRUE);
    manager->AddDefaultToolBarDefinition(kConversionId, "Conversion", 2, kConversion, afx::CBRS_ALIGN_ANY,
                                         afx::AFX_IDW_DOCKBAR_TOP, 0, TRUE, TRUE);
    ASSERT_TRUE(manager->CreateDefaultToolBars());
    QVTCustomToolBar* mine = manager->CreateNewToolBar("Mine");
    ASSERT_NE(mine, nullptr);
    mine->SetButtons(kConversion, 1);
    frame->DockControlBar(mine, afx::AFX_IDW_DOCKBAR_TOP);
    // The user took a button off a default bar: its separator went with it.
    manager->GetToolBar(kStandardId)->RemoveButton(3);
    frame->RecalcLayout(TRUE);
  }
  // The fixture's frame again, for the next case of a table.
  void Rebuild() {
    TearDown();
    SetUp();
  }
  void TearDown() override {
    manager.reset();
    if (IsWindow(frame_hwnd)) DestroyWindow(frame_hwnd);
    AfxFixture::TearDown();
  }

  // The frame's toolbars in list order: "title:buttons", "-" when hidden.
  std::string Bars() const {
    std::string text;
    for (QVTCustomToolBar* bar : manager->GetToolBars()) {
      if (!text.empty()) text += ' ';
      text += bar->GetWindowTextString() + ":" + std::to_string(bar->GetButtonCount());
      if (!(bar->GetStyle() & WS_VISIBLE)) text += '-';
    }
    return text;
  }
  std::string Options() const {
    return std::string(manager->GetToolTips() ? "tips" : "-tips") + (manager->GetCoolLook() ? " cool" : " -cool") +
           (manager->GetLargeButtons() ? " large" : " -large");
  }

  // Actions on the open dialog, each run when its loop is idle.
  using Action = std::function<void(QVTToolBarsDlg&)>;
  static Action Select(int index) {
    return [index](QVTToolBarsDlg& d) {
      d.List().SetCurSel(index);
      SendMessage(d.m_hWnd, WM_COMMAND, MAKEWPARAM(R::kToolBarList, LBN_SELCHANGE),
                  reinterpret_cast<LPARAM>(d.List().m_hWnd));
    };
  }
  static Action Click(int id) {
    return [id](QVTToolBarsDlg& d) { PostMessage(GetDlgItem(d.m_hWnd, id), BM_CLICK, 0, 0); };
  }
  static Action ClickBox(int index) {
    return [index](QVTToolBarsDlg& d) {
      const int row = static_cast<int>(d.List().SendMessage(LB_GETITEMHEIGHT));
      PostClick(d.List().m_hWnd, POINT{6, index * row + row / 2});
    };
  }
  // Types a name into the edit and leaves it, as the user does.
  static Action TypeName(const std::string& name) {
    return [name](QVTToolBarsDlg& d) {
      const HWND edit = GetDlgItem(d.m_hWnd, R::kNameEdit);
      SetFocus(edit);
      SetWindowText(edit, name.c_str());
      SendMessage(edit, EM_SETMODIFY, TRUE, 0);
      SetFocus(d.List().m_hWnd);
    };
  }
  // Answers the New Toolbar dialog that the previous action opened.
  static Action AnswerNewToolBar(const std::string& name, int button) {
    return [name, button](QVTToolBarsDlg&) {
      const HWND asking = GetActiveWindow();
      ASSERT_EQ(GetWindowTextString(asking), "New Toolbar");
      SetDlgItemText(asking, R::kNewNameEdit, name.c_str());
      PostMessage(GetDlgItem(asking, button), BM_CLICK, 0, 0);
    };
  }
  static Action Close(int result) {
    return [result](QVTToolBarsDlg& d) {
      PostMessage(d.m_hWnd, WM_COMMAND, MAKEWPARAM(result, BN_CLICKED), 0);
    };
  }

  int Run(const std::vector<Action>& actions) {
    QVTToolBarsDlg dialog(manager.get(), frame);
    for (const Action& action : actions) GetHeadlessHost().AddScriptStep([&dialog, action] { action(dialog); });
    const int result = static_cast<int>(dialog.DoModal());
    EXPECT_EQ(GetHeadlessHost().PendingScriptSteps(), 0u);
    return result;
  }

  QVTFrameWnd* frame = nullptr;
  HWND frame_hwnd = nullptr;
  std::unique_ptr<QVTToolBarManager> manager;
};

constexpr const char* kUntouched = "Standard:2 Conversion:2 Mine:1";

TEST_F(ToolBarsDialogFixture, EveryFlowKeepsItsChangeOnCloseAndCancelTakesItBack) {
  struct Flow {
    const char* what;
    std::vector<Action> actions;
    std::string after_close;
    std::string options_after_close;
  };
  const std::string defaults = "tips -cool -large";
  const std::string long_name(200, 'x');
  const Flow flows[] = {
      {"new", {Click(R::kNewButton), AnswerNewToolBar("Fresh", IDOK)}, "Standard:2 Conversion:2 Mine:1 Fresh:0",
       defaults},
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
       "Standard:2- Conversion:2 Fresh:0", "tips cool large"},
  };
  for (const int closing : {IDOK, IDCANCEL}) {
    for (const Flow& flow : flows) {
      SCOPED_TRACE(std::string(flow.what) + (closing == IDOK ? ", closed" : ", cancelled"));
      std::vector<Action> actions = flow.actions;
      actions.push_back(Close(closing));
      EXPECT_EQ(Run(actions), closing);
      EXPECT_EQ(Bars(), closing == IDOK ? flow.after_close : kUntouched);
      EXPECT_EQ(Options(), closing == IDOK ? flow.options_after_close : defaults);
      EXPECT_FALSE(manager->GetCustomizeMode());
      EXPECT_FALSE(manager->IsConfigMode());
      EXPECT_EQ(manager->GetNoDropWnd(), nullptr);
      Rebuild();
    }
  }
}

}  // namespace
}  // namespace docking::test
