// The status bar in a frame: its panes from the indicator strings, texts
// passed on only when they change, the message pane as the bar's window
// text answered by the window-text convention, and the size grip.
#include <cstring>

#include "docking/QVTStatusBar.h"
#include "platform/ui/Resources.h"
#include "tests/docking/DockingFrameFixture.h"

namespace docking::test {
namespace {

using namespace ui;
using namespace afx;

constexpr UINT kHexIndicator = 0xE710;
constexpr UINT kConvertingIndicator = 0xE711;

// A frame whose update handler greys the converting indicator and gives
// the other one a text.
class IndicatorFrame : public QVTFrameWnd {
 public:
  void OnUpdateConverting(CCmdUI* state) { state->Enable(FALSE); }
  void OnUpdateHex(CCmdUI* state) { state->SetText(" D "); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(IndicatorFrame, QVTFrameWnd)
  ON_UPDATE_COMMAND_UI(kConvertingIndicator, OnUpdateConverting)
  ON_UPDATE_COMMAND_UI(kHexIndicator, OnUpdateHex)
END_MESSAGE_MAP()

class QVTStatusBarTest : public afx::test::AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    RegisterStringResource(kHexIndicator, " H ");
    RegisterStringResource(kConvertingIndicator, " CONVERTING... ");
    frame = new IndicatorFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Status", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 60, 900, 660}));
    frame_hwnd = frame->m_hWnd;
    status = new QVTStatusBar;
    status->m_bAutoDelete = TRUE;
    ASSERT_TRUE(status->Create(frame));
    const UINT indicators[] = {0, kHexIndicator, kConvertingIndicator};
    ASSERT_TRUE(status->SetIndicators(indicators, 3));
    frame->EnableDocking(CBRS_ALIGN_ANY);
    frame->RecalcLayout();
    DockingFrameFixture_Pump();
  }
  void TearDown() override {
    if (IsWindow(frame_hwnd)) DestroyWindow(frame_hwnd);
    DockingFrameFixture_Pump();
    AfxFixture::TearDown();
  }
  static void DockingFrameFixture_Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  }
  static int TextWidth(const std::string& text) {
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32(screen, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return size.cx;
  }

  QVTFrameWnd* frame = nullptr;
  HWND frame_hwnd = nullptr;
  QVTStatusBar* status = nullptr;
};

TEST_F(QVTStatusBarTest, TheMessagePaneStretchesAndTheIndicatorsAreAsWideAsTheirStrings) {
  UINT id = 1, style = 0;
  int width = 0;
  status->GetPaneInfo(0, id, style, width);
  EXPECT_EQ(id, 0u);
  EXPECT_EQ(style, QVTStatusPaneLayout::SBPS_NOBORDERS | QVTStatusPaneLayout::SBPS_STRETCH);
  status->GetPaneInfo(1, id, style, width);
  EXPECT_EQ(width, TextWidth(" H "));
  status->GetPaneInfo(2, id, style, width);
  EXPECT_EQ(width, TextWidth(" CONVERTING... "));
  EXPECT_EQ(status->GetPaneText(2), " CONVERTING... ");
  // The indicators keep their widths at the right, before the size grip.
  const std::vector<int>& edges = status->PartEdges();
  ASSERT_EQ(edges.size(), 3u);
  EXPECT_EQ(edges[2] - edges[1], TextWidth(" CONVERTING... ") + 6 + 2);
  RECT client;
  status->GetClientRect(&client);
  ASSERT_TRUE(status->HasSizeGrip());
  EXPECT_LE(edges[2], client.right - GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(QVTStatusBarTest, IdleUpdatesReachThePanesThroughTheFramesHandlers) {
  status->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
  EXPECT_EQ(status->PartText(1), " D ");
  EXPECT_TRUE(status->GetPaneStyle(2) & QVTStatusPaneLayout::SBPS_DISABLED);
  EXPECT_EQ(status->PartText(2), "");  // a disabled pane shows no text
  EXPECT_EQ(status->GetPaneText(2), " CONVERTING... ");
}

TEST_F(QVTStatusBarTest, TheBarLiesAlongTheBottomOfTheClientArea) {
  RECT client, bar;
  frame->GetClientRect(&client);
  frame->ClientToScreen(&client);
  status->GetWindowRect(&bar);
  EXPECT_EQ(bar.bottom, client.bottom);
  EXPECT_EQ(bar.left, client.left);
  EXPECT_EQ(bar.right, client.right);
  EXPECT_GT(bar.bottom - bar.top, 10);
}

TEST_F(QVTStatusBarTest, TheSameTextTwiceIsPassedOnOnce) {
  const int before = status->TextsPassedOn();
  EXPECT_TRUE(status->SetPaneText(0, "Converting"));
  EXPECT_EQ(status->TextsPassedOn(), before + 1);
  EXPECT_TRUE(status->SetPaneText(0, "Converting"));
  EXPECT_EQ(status->TextsPassedOn(), before + 1);
  EXPECT_EQ(status->PartText(0), "Converting");
  // A text held back goes out with the next update of all panes.
  EXPECT_TRUE(status->SetPaneText(1, " X ", FALSE));
  EXPECT_EQ(status->TextsPassedOn(), before + 1);
  EXPECT_EQ(status->PartText(1), " H ");
  status->UpdateAllPanes(FALSE, TRUE);
  EXPECT_EQ(status->TextsPassedOn(), before + 2);
  EXPECT_EQ(status->PartText(1), " X ");
}

struct GetTextCase {
  const char* name;
  std::size_t buffer;
  LRESULT answer;
  const char* copied;  // null: the buffer is not touched
};

// The message pane holds "Ready" (5 characters).
const GetTextCase kGetTextCases[] = {
    {"NoBuffer", 0, 0, nullptr},
    {"OneCharacter", 1, 0, ""},
    {"AsLongAsTheText", 5, 4, "Read"},
    {"OneLonger", 6, 5, "Ready"},
    {"Longer", 40, 5, "Ready"},
};

class StatusGetTextTest : public QVTStatusBarTest, public ::testing::WithParamInterface<GetTextCase> {};

TEST_P(StatusGetTextTest, CopiesByTheWindowTextConvention) {
  ASSERT_EQ(status->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Ready")), TRUE);
  char buffer[64];
  std::memset(buffer, 'x', sizeof buffer);
  const GetTextCase& c = GetParam();
  EXPECT_EQ(status->SendMessage(WM_GETTEXT, c.buffer, reinterpret_cast<LPARAM>(buffer)), c.answer);
  if (c.copied) EXPECT_STREQ(buffer, c.copied);
  else EXPECT_EQ(buffer[0], 'x');
  EXPECT_EQ(status->SendMessage(WM_GETTEXTLENGTH), 5);
}

INSTANTIATE_TEST_SUITE_P(Buffers, StatusGetTextTest, ::testing::ValuesIn(kGetTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QVTStatusBarTest, SettingTheWindowTextReportsWhetherAPaneTookIt) {
  EXPECT_TRUE(::ui::SetWindowText(status->m_hWnd, "Done"));
  EXPECT_EQ(status->GetPaneText(0), "Done");
  EXPECT_EQ(status->GetWindowTextString(), "Done");
  const UINT only_indicators[] = {kHexIndicator};
  ASSERT_TRUE(status->SetIndicators(only_indicators, 1));
  EXPECT_EQ(status->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Lost")), FALSE);
  EXPECT_FALSE(::ui::SetWindowText(status->m_hWnd, "Lost"));
  EXPECT_EQ(status->GetWindowTextString(), "");
}

TEST_F(QVTStatusBarTest, TheFramesMessageLineIsTheFirstPane) {
  frame->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>("Press the Ctrl key to prevent docking."));
  EXPECT_EQ(status->GetPaneText(0), "Press the Ctrl key to prevent docking.");
  frame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
  EXPECT_EQ(status->GetPaneText(0), "Ready");
}

TEST_F(QVTStatusBarTest, OnlyTheSizeGripAnswersAsTheFramesCorner) {
  const RECT grip = status->GripRect();
  POINT corner{grip.right - 2, grip.bottom - 2};
  POINT pane{5, 5};
  ClientToScreen(status->m_hWnd, &corner);
  ClientToScreen(status->m_hWnd, &pane);
  EXPECT_EQ(status->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTBOTTOMRIGHT);
  EXPECT_EQ(status->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pane.x, pane.y)), HTCLIENT);
}

}  // namespace
}  // namespace docking::test
