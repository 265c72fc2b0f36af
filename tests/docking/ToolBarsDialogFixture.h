// A frame with two default toolbars (one of them a button short of its
// definition) and one of the user's, and the actions a script takes on a
// window showing the Toolbars controls: the dialog, or the page on its sheet.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "docking/QVTCustomToolBar.h"
#include "docking/QVTFrameWnd.h"
#include "docking/QVTMenuBar.h"
#include "docking/QVTToolBarManager.h"
#include "docking/QVTToolBarsDlg.h"
#include "docking/QVTToolBarsPage.h"
#include "platform/afx/PropertySheet.h"
#include "docking/QVTToolBarsResources.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/HeadlessInput.h"
#include "platform/ui/Resources.h"
#include "platform/ui/TabControl.h"
#include "tests/platform/afx/AfxFixture.h"

namespace docking::test {

using namespace ui;
using R = QVTToolBarsResources;

inline constexpr UINT kStandardId = 0xE800, kConversionId = 0xE802, kMineId = 0xE820;
inline constexpr UINT kStandard[] = {100, 101, 0, 102};
inline constexpr UINT kConversion[] = {110, 111};

// An action on the window holding the Toolbars controls, run when its loop is idle.
using Action = std::function<void(HWND)>;

class ToolBarsDialogFixture : public afx::test::AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    frame = new QVTFrameWnd;
    if (with_menu_bar) {
      menu_bar = new QVTMenuBar;
      menu_bar->m_bAutoDelete = TRUE;
      frame->SetMenuBar(menu_bar);
    }
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
    if (with_menu_bar) {
      RegisterMenuResource(kMenu, {MenuItemTemplate{0, "&File", MF_POPUP, {MenuItemTemplate{1, "&Open", MF_STRING, {}}}},
                                   MenuItemTemplate{0, "&Help", MF_POPUP, {MenuItemTemplate{2, "&About", MF_STRING, {}}}}});
      ASSERT_TRUE(menu_bar->LoadMenus({kMenu}));
      ASSERT_TRUE(menu_bar->SwitchMenu(kMenu));
    }
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

  static Action Select(int index) {
    return [index](HWND d) {
      const HWND list = GetDlgItem(d, R::kToolBarList);
      SendMessage(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
      SendMessage(d, WM_COMMAND, MAKEWPARAM(R::kToolBarList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    };
  }
  static Action Click(int id) {
    return [id](HWND d) { PostMessage(GetDlgItem(d, id), BM_CLICK, 0, 0); };
  }
  static Action ClickBox(int index) {
    return [index](HWND d) {
      const HWND list = GetDlgItem(d, R::kToolBarList);
      const int row = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
      PostClick(list, POINT{6, index * row + row / 2});
    };
  }
  // Types a name into the edit and leaves it, as the user does.
  static Action TypeName(const std::string& name) {
    return [name](HWND d) {
      const HWND edit = GetDlgItem(d, R::kNameEdit);
      SetFocus(edit);
      SetWindowText(edit, name.c_str());
      SendMessage(edit, EM_SETMODIFY, TRUE, 0);
      SetFocus(GetDlgItem(d, R::kToolBarList));
    };
  }
  // Answers the New Toolbar dialog that the previous action opened.
  static Action AnswerNewToolBar(const std::string& name, int button) {
    return [name, button](HWND) {
      const HWND asking = GetActiveWindow();
      ASSERT_EQ(GetWindowTextString(asking), "New Toolbar");
      SetDlgItemText(asking, R::kNewNameEdit, name.c_str());
      PostMessage(GetDlgItem(asking, button), BM_CLICK, 0, 0);
    };
  }
  static Action Close(int result) {
    // The dialog, or the sheet the page is on.
    return [result](HWND d) { PostMessage(GetAncestor(d, GA_ROOT), WM_COMMAND, MAKEWPARAM(result, BN_CLICKED), 0); };
  }

  // The Toolbars page on a sheet with a second page of the test's own.
  int RunOnPage(const std::vector<Action>& actions, afx::CPropertyPage* second = nullptr) {
    afx::CPropertySheet sheet("Customize", frame);
    QVTToolBarsPage page(manager.get());
    sheet.AddPage(&page);
    if (second) sheet.AddPage(second);
    for (const Action& action : actions) GetHeadlessHost().AddScriptStep([&page, action] { action(page.m_hWnd); });
    const int result = static_cast<int>(sheet.DoModal());
    EXPECT_EQ(GetHeadlessHost().PendingScriptSteps(), 0u);
    return result;
  }
  int Run(const std::vector<Action>& actions) {
    QVTToolBarsDlg dialog(manager.get(), frame);
    for (const Action& action : actions) GetHeadlessHost().AddScriptStep([&dialog, action] { action(dialog.m_hWnd); });
    const int result = static_cast<int>(dialog.DoModal());
    EXPECT_EQ(GetHeadlessHost().PendingScriptSteps(), 0u);
    return result;
  }

  static constexpr UINT kMenu = 5300;
  // Set by a test's fixture before the frame is made: the frame gets a menu bar first in its list.
  bool with_menu_bar = false;
  QVTMenuBar* menu_bar = nullptr;
  QVTFrameWnd* frame = nullptr;
  HWND frame_hwnd = nullptr;
  std::unique_ptr<QVTToolBarManager> manager;
};

inline constexpr const char* kUntouched = "Standard:2 Conversion:2 Mine:1";

}  // namespace docking::test
