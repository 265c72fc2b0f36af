// The Toolbars page on a property sheet: customisation lasts while it is
// the shown page, its style options tell the sheet's other pages, and the
// sheet and the dialog are written as pictures for a person to look at.
#include <string>
#include <vector>

#include "platform/ui/Resources.h"
#include "tests/docking/ToolBarsDialogFixture.h"

namespace docking::test {

constexpr UINT kOtherPageTemplate = 5100;

// A second page of the sheet, which counts the style notices it hears.
class OtherPage : public afx::CPropertyPage {
 public:
  OtherPage() : afx::CPropertyPage(kOtherPageTemplate) {
    DialogTemplate page;
    page.style = WS_CHILD | WS_CAPTION;
    page.cx = 200, page.cy = 100;
    page.caption = "Commands";
    page.items = {{"Static", "Drag a command onto a toolbar.", -1, WS_VISIBLE, 0, 7, 7, 180, 8}};
    RegisterDialogResource(kOtherPageTemplate, page);
  }
  std::vector<WPARAM> heard;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == QVTToolBarsPage::ToolBarStyleChangingMessage()) {
      heard.push_back(wParam);
      return 0;
    }
    return afx::CPropertyPage::WindowProc(message, wParam, lParam);
  }
};

namespace {

using ToolBarsPageTest = ToolBarsDialogFixture;

// What is waiting to be painted, before a picture is taken.
void PaintAll() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
}

// Chooses a tab of the sheet the page is on, with the mouse.
Action ChooseTab(int index) {
  return [index](HWND page) {
    const HWND tab = GetDlgItem(GetAncestor(page, GA_ROOT), static_cast<int>(afx::AFX_IDC_TAB_CONTROL));
    RECT r{};
    SendMessage(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    PostClick(tab, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  };
}

TEST_F(ToolBarsPageTest, CustomisationLastsWhileThePageIsShownAndStyleChangesReachTheOtherPages) {
  OtherPage other;
  std::vector<std::string> modes;
  const auto look = [&](HWND page) {
    const HWND sheet = GetAncestor(page, GA_ROOT);
    const afx::CWnd* no_drop = manager->GetNoDropWnd();
    modes.push_back(std::string(manager->GetCustomizeMode() ? "customise" : "-customise") +
                    (manager->IsConfigMode() ? " config" : " -config") +
                    (no_drop && no_drop->m_hWnd == sheet ? " sheet" : " -sheet") +
                    (IsWindowEnabled(sheet) ? " enabled" : " disabled"));
  };
  RunOnPage({look, ChooseTab(1), look, ChooseTab(0), look, Click(R::kCoolLookCheck), Click(R::kLargeButtonsCheck),
             Click(R::kToolTipsCheck), Close(IDOK)},
            &other);
  // Leaving the page ends customising but keeps the sheet as the no-drop window.
  EXPECT_EQ(modes, (std::vector<std::string>{"customise config sheet enabled", "-customise -config sheet enabled",
                                             "customise config sheet enabled"}));
  EXPECT_EQ(other.heard, (std::vector<WPARAM>{2, 1}));
  EXPECT_EQ(Options(), "-tips cool large");
}

TEST_F(ToolBarsPageTest, TheSheetAndTheDialogAreWrittenForAPersonToLookAt) {
  OtherPage other;
  const std::string folder = BRIVEN_TEST_BINARY_DIR;
  bool sheet_written = false, dialog_written = false;
  std::vector<std::string> outside;
  RunOnPage({Select(2),
             [&](HWND page) {
               // Every control of the page lies inside it, and the page on the tab's panel.
               RECT page_rect{};
               GetWindowRect(page, &page_rect);
               for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                 RECT r{};
                 GetWindowRect(child, &r);
                 if (r.left < page_rect.left || r.top < page_rect.top || r.right > page_rect.right ||
                     r.bottom > page_rect.bottom)
                   outside.push_back(GetWindowTextString(child));
               }
               PaintAll();
               sheet_written = GetHeadlessHost().DumpWindowPng(GetAncestor(page, GA_ROOT),
                                                               folder + "/toolbars_property_sheet.png");
             },
             Close(IDOK)},
            &other);
  Run({Select(1), [&](HWND dialog) {
         PaintAll();
         dialog_written = GetHeadlessHost().DumpWindowPng(dialog, folder + "/toolbars_dialog.png");
       },
       Click(R::kNewButton),
       [&](HWND) {
         PaintAll();
         GetHeadlessHost().DumpWindowPng(GetActiveWindow(), folder + "/new_toolbar_dialog.png");
       },
       AnswerNewToolBar("", IDCANCEL), Close(IDOK)});
  EXPECT_TRUE(sheet_written);
  EXPECT_TRUE(dialog_written);
  EXPECT_TRUE(outside.empty()) << outside.front();
}

}  // namespace
}  // namespace docking::test
