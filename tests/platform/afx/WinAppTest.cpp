// The application object: its loop, its start, its profile settings and
// its idle work.
#include <string>
#include <vector>

#include "AfxFixture.h"
#include "platform/afx/Wnd.h"

namespace afx::test {
namespace {

class WinAppTest : public AfxFixture {};

TEST_F(WinAppTest, QuitEndsRunWithItsCode) {
  CWinApp app("Loop");
  ::ui::PostQuitMessage(7);
  EXPECT_EQ(app.Run(), 7);
}

TEST_F(WinAppTest, RunDispatchesTimersOnTheVirtualClockUntilQuit) {
  CWinApp app("Loop");
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr));
  static int ticks;
  ticks = 0;
  wnd.SetTimer(1, 100, [](HWND, UINT, UINT_PTR, DWORD) {
    if (++ticks == 50) ::ui::PostQuitMessage(3);
  });
  const std::int64_t start = clock.NowMs();
  EXPECT_EQ(app.Run(), 3);
  EXPECT_EQ(clock.NowMs() - start, 5000);
}

class CStartApp : public CWinApp {
 public:
  explicit CStartApp(BOOL result) : result_(result) {}
  BOOL InitInstance() override {
    seen_args = m_args;
    if (result_) ::ui::PostQuitMessage(4);
    return result_;
  }
  std::vector<std::string> seen_args;

 private:
  BOOL result_;
};

TEST_F(WinAppTest, AfxWinMainNamesTheProgramAndRunsOnlyAfterASuccessfulStart) {
  ::ui::RegisterStringResource(AFX_IDS_APP_TITLE, "Briven");
  char program[] = "/opt/briven/bin/briven";
  char first[] = "a.raw";
  char* argv[] = {program, first};
  {
    CStartApp app(FALSE);
    EXPECT_EQ(AfxWinMain(2, argv), 0);
    EXPECT_EQ(app.seen_args, (std::vector<std::string>{program, first}));
    EXPECT_EQ(app.m_pszExeName, "briven");
    EXPECT_EQ(app.m_pszAppName, "Briven");
    EXPECT_TRUE(app.m_pszHelpFilePath.ends_with("/briven.hlp"));
  }
  CStartApp app(TRUE);
  EXPECT_EQ(AfxGetApp(), &app);
  EXPECT_EQ(AfxWinMain(2, argv), 4);
}

TEST_F(WinAppTest, TheRegistryKeyInstallsTheProfileOfCompanyAndApplication) {
  CWinApp app("Briven");
  EXPECT_TRUE(app.WriteProfileInt("Settings", "Before", 1));
  EXPECT_EQ(profile.GetInt("Settings", "Before", 0), 1);  // no key yet: the process's profile
  app.SetRegistryKey("Harwendel");
  EXPECT_EQ(profile_keys, (std::vector<std::string>{"Harwendel\\Briven"}));
  EXPECT_EQ(app.m_pszRegistryKey, "Harwendel");
  EXPECT_NE(&sys::AppProfile(), &profile);
  EXPECT_TRUE(app.WriteProfileString("View", "Default Outfile", "out.dat"));
  EXPECT_EQ(app.GetProfileString("View", "Default Outfile", "-1"), "out.dat");
  EXPECT_EQ(app.GetProfileInt("View", "ConvertHeader", -1), static_cast<UINT>(-1));
  EXPECT_EQ(profile.GetString("View", "Default Outfile", "none"), "none");
}

TEST_F(WinAppTest, TheRecentFileListIsReadAtStartAndWrittenAtExit) {
  profile.WriteString("Recent File List", "File1", "/data/b.raw");
  profile.WriteString("Recent File List", "File2", "/data/a.raw");
  CWinApp app("Briven");
  app.LoadStdProfileSettings(4);
  EXPECT_EQ(app.GetRecentFiles(), (std::vector<std::string>{"/data/b.raw", "/data/a.raw"}));
  app.AddToRecentFileList("/data/a.raw");
  app.AddToRecentFileList("/data/c.raw");
  app.ExitInstance();
  EXPECT_EQ(profile.GetString("Recent File List", "File1", ""), "/data/c.raw");
  EXPECT_EQ(profile.GetString("Recent File List", "File2", ""), "/data/a.raw");
  EXPECT_EQ(profile.GetString("Recent File List", "File3", ""), "/data/b.raw");
}

// Counts the idle updates it is sent.
class CIdleCounter : public CWnd {
 public:
  int updates = 0;
  LRESULT OnIdleUpdate(WPARAM, LPARAM) {
    ++updates;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleCounter, CWnd)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

TEST_F(WinAppTest, IdleTimeUpdatesTheCommandsOfAShownMainWindowOnly) {
  CWinApp app("Idle");
  CIdleCounter main, child;
  ASSERT_TRUE(main.CreateEx(0, nullptr, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
  ASSERT_TRUE(child.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, main.m_hWnd, nullptr));
  app.m_pMainWnd = &main;
  EXPECT_TRUE(app.OnIdle(0));
  EXPECT_EQ(main.updates + child.updates, 0);  // hidden, as in an unattended run
  main.ShowWindow(SW_SHOW);
  EXPECT_TRUE(app.OnIdle(0));
  EXPECT_EQ(main.updates, 1);
  EXPECT_EQ(child.updates, 1);
  EXPECT_FALSE(app.OnIdle(1));
  app.m_pMainWnd = nullptr;
}

}  // namespace
}  // namespace afx::test
