// Property sheets: pages made when first chosen, a page that refuses its
// values keeping its tab, OK applying and Cancel resetting only the pages
// that were made, Apply offered while a page has changes, and Enter and
// Escape pressing the sheet's buttons from inside a page.
#include <string>
#include <vector>

#include "AfxFixture.h"
#include "platform/afx/DataExchange.h"
#include "platform/afx/PropertyPage.h"
#include "platform/afx/PropertySheet.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/HeadlessInput.h"
#include "platform/ui/TabControl.h"

namespace afx::test {
namespace {

constexpr UINT kFirstPage = 5200, kSecondPage = 5201;
constexpr int kValueEdit = 100;

// A page with one number, that logs what its sheet asks of it.
class LoggingPage : public CPropertyPage {
 public:
  LoggingPage(UINT id, std::vector<std::string>& log) : CPropertyPage(id), log_(log), name_(std::to_string(id - kFirstPage)) {}
  int value = 1;
  BOOL OnSetActive() override {
    log_.push_back(name_ + " active");
    return CPropertyPage::OnSetActive();
  }
  BOOL OnKillActive() override {
    const BOOL taken = CPropertyPage::OnKillActive();
    log_.push_back(name_ + (taken ? " inactive" : " refused"));
    return taken;
  }
  void OnOK() override { log_.push_back(name_ + " ok " + std::to_string(value)); }
  void OnCancel() override { log_.push_back(name_ + " cancel"); }

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, kValueEdit, value);
    DDV_MinMaxInt(dx, value, 0, 9);
  }

 private:
  std::vector<std::string>& log_;
  std::string name_;
};

class PropertySheetTest : public AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    for (const auto& [id, caption] : {std::pair{kFirstPage, "First"}, std::pair{kSecondPage, "Second page"}}) {
      ::ui::DialogTemplate page;
      page.style = WS_CHILD | WS_CAPTION;
      page.cx = 150, page.cy = 60 + static_cast<short>(id - kFirstPage) * 20;
      page.caption = caption;
      page.items = {{"Edit", "", kValueEdit, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 0, 7, 7, 60, 12}};
      ::ui::RegisterDialogResource(id, page);
    }
  }
  // Runs the sheet with the two pages; each step runs when the loop is idle.
  int Run(const std::vector<std::function<void(CPropertySheet&)>>& steps) {
    CPropertySheet sheet("Sheet");
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    for (const auto& step : steps) ::ui::GetHeadlessHost().AddScriptStep([&sheet, step] { step(sheet); });
    return static_cast<int>(sheet.DoModal());
  }
  static std::function<void(CPropertySheet&)> ChooseTab(int index) {
    return [index](CPropertySheet& sheet) {
      const HWND tab = ::ui::GetDlgItem(sheet.m_hWnd, static_cast<int>(AFX_IDC_TAB_CONTROL));
      RECT r{};
      ::ui::SendMessage(tab, ::ui::TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
      ::ui::PostClick(tab, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    };
  }
  static std::function<void(CPropertySheet&)> Type(CPropertyPage& page, const char* text) {
    return [&page, text](CPropertySheet&) { page.SetDlgItemText(kValueEdit, text); };
  }
  static std::function<void(CPropertySheet&)> Press(UINT id) {
    return [id](CPropertySheet& sheet) { sheet.PostMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); };
  }

  std::vector<std::string> log;
  LoggingPage first{kFirstPage, log};
  LoggingPage second{kSecondPage, log};
};

TEST_F(PropertySheetTest, OkAppliesAndCancelResetsOnlyThePagesThatWereMade) {
  struct Case {
    const char* what;
    std::vector<std::function<void(CPropertySheet&)>> steps;
    int result;
    std::vector<std::string> log;
  };
  const Case cases[] = {
      {"ok on the first page", {Press(IDOK)}, IDOK, {"0 active", "0 inactive", "0 ok 1"}},
      {"cancel on the first page", {Press(IDCANCEL)}, IDCANCEL, {"0 active", "0 cancel"}},
      {"ok after both pages",
       {Type(first, "4"), ChooseTab(1), Press(IDOK)},
       IDOK,
       {"0 active", "0 inactive", "1 active", "1 inactive", "0 ok 4", "1 ok 1"}},
      {"a refused value keeps its tab",
       {Type(first, "42"), ChooseTab(1), Type(first, "5"), ChooseTab(1), Press(IDCANCEL)},
       IDCANCEL,
       {"0 active", "0 refused", "0 inactive", "1 active", "0 cancel", "1 cancel"}},
      {"a refused value keeps the sheet open on OK",
       {Type(first, "42"), Press(IDOK), Type(first, "3"), Press(IDOK)},
       IDOK,
       {"0 active", "0 refused", "0 inactive", "0 ok 3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    log.clear();
    EXPECT_EQ(Run(c.steps), c.result);
    EXPECT_EQ(log, c.log);
    EXPECT_EQ(::ui::GetHeadlessHost().PendingScriptSteps(), 0u);
  }
  EXPECT_EQ(notices.size(), 2u);  // each refused value was told
}

TEST_F(PropertySheetTest, ApplyIsOfferedWhileAPageHasChangesAndKeepsTheSheetOpen) {
  std::vector<bool> apply_enabled;
  const auto look = [&apply_enabled](CPropertySheet& sheet) {
    apply_enabled.push_back(sheet.GetDlgItem(static_cast<int>(ID_APPLY_NOW))->IsWindowEnabled() != FALSE);
  };
  EXPECT_EQ(Run({look, [this](CPropertySheet&) { first.SetModified(); }, look, Press(ID_APPLY_NOW), look,
                 Press(IDCANCEL)}),
            IDCANCEL);
  EXPECT_EQ(apply_enabled, (std::vector<bool>{false, true, false}));
  EXPECT_EQ(log, (std::vector<std::string>{"0 active", "0 inactive", "0 ok 1", "0 cancel"}));
}

TEST_F(PropertySheetTest, EnterAndEscapeInsideAPagePressTheSheetsButtonsAndTheSheetFitsTheLargestPage) {
  RECT page_rect{}, tab_rect{}, largest{0, 0, 150, 80};
  EXPECT_EQ(Run({[&](CPropertySheet& sheet) {
                   ::ui::MapDialogRect(sheet.m_hWnd, &largest);
                   ::ui::GetWindowRect(first.m_hWnd, &page_rect);
                   ::ui::GetWindowRect(::ui::GetDlgItem(sheet.m_hWnd, static_cast<int>(AFX_IDC_TAB_CONTROL)), &tab_rect);
                   first.GetDlgItem(kValueEdit)->SetFocus();
                   ::ui::PostKeyPress(VK_ESCAPE);
                 }}),
            IDCANCEL);
  // The second page is the taller: the first page's window has room for it, on the tab's panel.
  EXPECT_GE(page_rect.bottom - page_rect.top, largest.bottom);
  EXPECT_GE(page_rect.right - page_rect.left, largest.right);
  EXPECT_TRUE(page_rect.left > tab_rect.left && page_rect.right < tab_rect.right && page_rect.bottom < tab_rect.bottom);
  log.clear();
  EXPECT_EQ(Run({[&](CPropertySheet&) {
                   first.GetDlgItem(kValueEdit)->SetFocus();
                   first.SetDlgItemText(kValueEdit, "7");
                   ::ui::PostKeyPress(VK_RETURN);
                 }}),
            IDOK);
  EXPECT_EQ(first.value, 7);
}

}  // namespace
}  // namespace afx::test
