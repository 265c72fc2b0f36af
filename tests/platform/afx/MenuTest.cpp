// CMenu on a framework frame: the frame's command updates grey and check
// the items of a popup as it drops (WM_INITMENUPOPUP), a chosen item
// reaches the frame's message map, and TrackPopupMenu with TPM_RETURNCMD
// answers the id instead.
#include <string>
#include <vector>

#include "AfxFixture.h"
#include "platform/afx/CmdUI.h"
#include "platform/afx/FrameWnd.h"
#include "platform/afx/Menu.h"

namespace afx::test {

constexpr UINT kConvert = 32775, kHeader = 32786, kRefresh = 32783;

class CMenuFrame : public CFrameWnd {
 public:
  std::vector<UINT> commands;
  BOOL convert_enabled = FALSE;
  BOOL header_shown = TRUE;

  void OnConvert() { commands.push_back(kConvert); }
  void OnHeader() { commands.push_back(kHeader); }
  void OnRefresh() { commands.push_back(kRefresh); }
  void OnUpdateConvert(CCmdUI* ui) { ui->Enable(convert_enabled); }
  void OnUpdateHeader(CCmdUI* ui) { ui->SetCheck(header_shown); }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuFrame, CFrameWnd)
  ON_COMMAND(kConvert, OnConvert)
  ON_COMMAND(kHeader, OnHeader)
  ON_COMMAND(kRefresh, OnRefresh)
  ON_UPDATE_COMMAND_UI(kConvert, OnUpdateConvert)
  ON_UPDATE_COMMAND_UI(kHeader, OnUpdateHeader)
END_MESSAGE_MAP()

class MenuTest : public AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    // An earlier test's main window may have left its WM_QUIT, which would
    // end the menu loop at once.
    Pump();
    frame = new CMenuFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Briven", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{20, 20, 420, 320}));
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, kHeader, "&Header\tCtrl+H");
    popup.AppendMenu(MF_STRING, kConvert, "&Convert\tCtrl+C");
    popup.AppendMenu(MF_STRING, kRefresh, "&Refresh\tCtrl+R");
    ::ui::SetFocus(frame->m_hWnd);
  }
  void TearDown() override {
    if (::ui::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    AfxFixture::TearDown();
  }
  static void Keys(std::initializer_list<WPARAM> keys) {
    for (WPARAM key : keys) ::ui::GetHeadlessHost().AddScriptStep([key] { ::ui::InjectKeyPress(key); });
  }
  static void Pump() {
    MSG msg;
    while (::ui::PeekMessage(&msg, nullptr, 0, 0, ::ui::PM_REMOVE)) ::ui::DispatchMessage(&msg);
  }

  CMenuFrame* frame = nullptr;
  CMenu popup;
};

TEST_F(MenuTest, TheFramesCommandUpdatesGreyAndCheckItemsAsThePopupDrops) {
  // Down Down lands on Convert, greyed by its update: Enter does nothing;
  // Down and Enter choose Refresh.
  Keys({::ui::VK_DOWN, ::ui::VK_DOWN, ::ui::VK_RETURN, ::ui::VK_DOWN, ::ui::VK_RETURN});
  EXPECT_TRUE(popup.TrackPopupMenu(::ui::TPM_LEFTALIGN, 100, 100, frame));
  EXPECT_EQ(popup.GetMenuState(kHeader, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
  EXPECT_EQ(popup.GetMenuState(kConvert, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
  Pump();
  EXPECT_EQ(frame->commands, std::vector<UINT>{kRefresh});

  frame->commands.clear();
  frame->convert_enabled = TRUE;
  frame->header_shown = FALSE;
  Keys({::ui::VK_DOWN, ::ui::VK_DOWN, ::ui::VK_RETURN});
  EXPECT_TRUE(popup.TrackPopupMenu(::ui::TPM_LEFTALIGN, 100, 100, frame));
  EXPECT_EQ(popup.GetMenuState(kHeader, MF_BYCOMMAND) & MF_CHECKED, 0u);
  Pump();
  EXPECT_EQ(frame->commands, std::vector<UINT>{kConvert});
}

TEST_F(MenuTest, ReturnCmdAnswersTheIdAndTheExclusionKeepsThePopupOffTheButton) {
  const RECT button{100, 700, 180, 720};  // near the bottom of the 768-pixel screen
  RECT shown{};
  ::ui::GetHeadlessHost().AddScriptStep([&] {
    for (HWND top = ::ui::GetTopWindow(nullptr); top; top = ::ui::GetWindow(top, ::ui::GW_HWNDNEXT))
      if (::ui::GetClassName(top) == "#32768") ::ui::GetWindowRect(top, &shown);
    ::ui::InjectKeyPress('R');
  });
  EXPECT_EQ(popup.TrackPopupMenu(::ui::TPM_RETURNCMD, button.left, button.bottom, frame, &button),
            static_cast<BOOL>(kRefresh));
  EXPECT_LE(shown.bottom, button.top);  // above the button: no room below it
  Pump();
  EXPECT_TRUE(frame->commands.empty());

  ::ui::MENUITEMINFO info;
  info.fMask = ::ui::MIIM_DATA | ::ui::MIIM_STATE;
  info.dwItemData = 77;
  info.fState = ::ui::MFS_DEFAULT;
  ASSERT_TRUE(popup.SetMenuItemInfo(kRefresh, &info));
  EXPECT_EQ(popup.GetDefaultItem(0), kRefresh);
  EXPECT_EQ(popup.GetDefaultItem(0, TRUE), 2u);
  ::ui::MENUITEMINFO back;
  back.fMask = ::ui::MIIM_DATA;
  ASSERT_TRUE(popup.GetMenuItemInfo(2, &back, TRUE));
  EXPECT_EQ(back.dwItemData, 77u);
}

}  // namespace afx::test
