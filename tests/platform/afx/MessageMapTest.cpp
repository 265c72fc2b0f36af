#include <string>
#include <vector>

#include "AfxFixture.h"
#include "platform/afx/CmdUI.h"
#include "platform/afx/Wnd.h"

namespace afx::test {

// A window whose map covers each kind of entry; each handler logs itself.
class CLoggingWnd : public CWnd {
 public:
  std::vector<std::string> log;
  BOOL command_enabled = TRUE;

  LRESULT OnPing(WPARAM wParam, LPARAM) {
    log.push_back("ping " + std::to_string(wParam));
    return 99;
  }
  void OnTimer(UINT_PTR id) { log.push_back("timer " + std::to_string(id)); }
  void OnSave() { log.push_back("save"); }
  void OnUpdateSave(CCmdUI* ui) { ui->Enable(command_enabled); }
  void OnRange(UINT id) { log.push_back("range " + std::to_string(id)); }
  void OnButton() { log.push_back("button"); }
  virtual void OnBaseOnly() { log.push_back("base only"); }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLoggingWnd, CWnd)
  ON_MESSAGE(WM_USER + 1, OnPing)
  ON_WM_TIMER()
  ON_COMMAND(100, OnSave)
  ON_UPDATE_COMMAND_UI(100, OnUpdateSave)
  ON_COMMAND_RANGE(200, 209, OnRange)
  ON_BN_CLICKED(300, OnButton)
  ON_COMMAND(400, OnBaseOnly)
  ON_COMMAND(500, OnSave)
END_MESSAGE_MAP()

// A derived map goes first; what it leaves reaches the base's entries.
class CDerivedLoggingWnd : public CLoggingWnd {
 public:
  void OnSaveDerived() { log.push_back("derived save"); }
  void OnBaseOnly() override { log.push_back("derived override"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedLoggingWnd, CLoggingWnd)
  ON_COMMAND(500, OnSaveDerived)
END_MESSAGE_MAP()

namespace {

class MessageMapTest : public AfxFixture {
 protected:
  void Make(CWnd& wnd) {
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "map", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
  }
};

TEST_F(MessageMapTest, DispatchesByMessageCommandIdRangeAndNotificationCode) {
  CLoggingWnd wnd;
  Make(wnd);
  EXPECT_EQ(wnd.SendMessage(WM_USER + 1, 5, 0), 99);
  wnd.SendMessage(WM_TIMER, 2, 0);
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0), 0);
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(205, 0), 0);
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(210, 0), 0);  // outside the range
  const HWND button = ::ui::CreateWindowEx(0, "Button", "b", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd,
                                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(300)), nullptr);
  ::ui::SendMessage(button, BM_CLICK, 0, 0);
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(300, EN_CHANGE), reinterpret_cast<LPARAM>(button));  // another code
  EXPECT_EQ(wnd.log, (std::vector<std::string>{"ping 5", "timer 2", "save", "range 205", "button"}));
  EXPECT_EQ(wnd.SendMessage(WM_USER + 2, 0, 0), 0);  // unmapped: the default procedure
}

TEST_F(MessageMapTest, AMenuCommandThatItsUpdateDisablesDoesNotRun) {
  CLoggingWnd wnd;
  Make(wnd);
  wnd.command_enabled = FALSE;
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0), 0);
  EXPECT_TRUE(wnd.log.empty());
  CTestCmdUI state;
  state.m_nID = 100;
  EXPECT_TRUE(wnd.OnCmdMsg(100, CN_UPDATE_COMMAND_UI, &state, nullptr));
  EXPECT_FALSE(state.m_bEnabled);
  AFX_CMDHANDLERINFO info;
  EXPECT_TRUE(wnd.OnCmdMsg(205, CN_COMMAND, nullptr, &info));  // asks, runs nothing
  EXPECT_EQ(info.pTarget, &wnd);
  EXPECT_TRUE(wnd.log.empty());
}

TEST_F(MessageMapTest, DerivedMapsGoFirstAndInheritTheRest) {
  CDerivedLoggingWnd wnd;
  Make(wnd);
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(500, 0), 0);
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0), 0);
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(400, 0), 0);
  EXPECT_EQ(wnd.log, (std::vector<std::string>{"derived save", "save", "derived override"}));
}

TEST_F(MessageMapTest, ControlsJoinObjectsAndTemporaryObjectsWrapTheRest) {
  CLoggingWnd wnd;
  Make(wnd);
  const HWND child = ::ui::CreateWindowEx(0, "Edit", "text", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd,
                                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(7)), nullptr);
  CWnd* temporary = wnd.GetDlgItem(7);
  ASSERT_TRUE(temporary);
  EXPECT_EQ(temporary->m_hWnd, child);
  EXPECT_EQ(CWnd::FromHandlePermanent(child), nullptr);
  EXPECT_EQ(temporary->GetWindowTextString(), "text");
  CWnd::DeleteTempMap();
  EXPECT_TRUE(::ui::IsWindow(child));  // a temporary object never destroys its window

  CWnd joined;
  ASSERT_TRUE(joined.SubclassDlgItem(7, &wnd));
  EXPECT_EQ(CWnd::FromHandle(child), &joined);
  joined.SetWindowText("changed");  // the edit's own procedure still answers
  EXPECT_EQ(::ui::GetWindowTextString(child), "changed");
  EXPECT_FALSE(CWnd().SubclassDlgItem(7, &wnd));  // one object per window
}

TEST_F(MessageMapTest, DestroyingTheWindowDetachesItsObject) {
  CLoggingWnd wnd;
  Make(wnd);
  const HWND hwnd = wnd.m_hWnd;
  EXPECT_TRUE(wnd.DestroyWindow());
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
  EXPECT_EQ(CWnd::FromHandle(hwnd), nullptr);  // a stale handle gets no object
}

}  // namespace
}  // namespace afx::test
