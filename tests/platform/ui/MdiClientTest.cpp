// The MDI client window: document windows made, activated, maximised,
// cycled, arranged and destroyed through its messages, and the window menu
// that lists them.
#include <algorithm>
#include <string>
#include <vector>

#include "UiFixture.h"
#include "platform/ui/HeadlessInput.h"
#include "platform/ui/Mdi.h"

namespace ui::test {
namespace {

constexpr const char* kChildClass = "BrivenMdiTestChild";
constexpr UINT kFirstChildId = 0xFF00;

// What document windows were told of activation: (receiver, deactivated, activated).
struct Activation {
  HWND receiver;
  HWND deactivated;
  HWND activated;
  bool operator==(const Activation&) const = default;
};
std::vector<Activation> activations;
std::vector<WPARAM> size_kinds;
std::vector<HWND> painted;
LPARAM created_with = 0;

LRESULT ChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
      created_with = static_cast<const MDICREATESTRUCT*>(create->lpCreateParams)->lParam;
      break;
    }
    case WM_MDIACTIVATE:
      activations.push_back({hwnd, reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam)});
      return 0;
    case WM_SIZE: size_kinds.push_back(wParam); break;
    case WM_PAINT: painted.push_back(hwnd); break;
  }
  return DefMDIChildProc(hwnd, message, wParam, lParam);
}

class MdiClientTest : public UiFixture {
 protected:
  void SetUp() override {
    UiFixture::SetUp();
    WNDCLASS wc;
    wc.lpfnWndProc = ChildProc;
    wc.lpszClassName = kChildClass;
    RegisterClass(wc);
    activations.clear();
    size_kinds.clear();
    painted.clear();
    frame = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 0, RECT{0, 0, 640, 480});
    window_menu = CreatePopupMenu();
    AppendMenu(window_menu, MF_STRING, 100, "&Cascade");
    CLIENTCREATESTRUCT ccs;
    ccs.hWindowMenu = window_menu;
    ccs.idFirstChild = kFirstChildId;
    client = CreateWindowEx(0, kMDIClientClassName, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 600,
                            400, frame, nullptr, &ccs);
    ASSERT_TRUE(client);
  }
  HWND Child(const char* title, DWORD style = 0, LPARAM value = 0) {
    MDICREATESTRUCT mdi;
    mdi.szClass = kChildClass;
    mdi.szTitle = title;
    mdi.style = style;
    mdi.lParam = value;
    return reinterpret_cast<HWND>(SendMessage(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mdi)));
  }
  HWND Active(BOOL* maximised = nullptr) {
    return reinterpret_cast<HWND>(SendMessage(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximised)));
  }
  RECT InClient(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    POINT origin{0, 0};
    ClientToScreen(client, &origin);
    OffsetRect(&rect, -origin.x, -origin.y);
    return rect;
  }
  RECT ClientAreaInClient(HWND child) {
    RECT rect;
    GetClientRect(child, &rect);
    POINT origin{0, 0};
    ClientToScreen(child, &origin);
    POINT base{0, 0};
    ClientToScreen(client, &base);
    OffsetRect(&rect, origin.x - base.x, origin.y - base.y);
    return rect;
  }
  std::vector<std::string> WindowMenuTexts() {
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(window_menu); ++i)
      texts.push_back(GetMenuStringText(window_menu, static_cast<UINT>(i), MF_BYPOSITION));
    return texts;
  }
  HWND frame = nullptr;
  HWND client = nullptr;
  HMENU window_menu = nullptr;
};

TEST_F(MdiClientTest, ANewDocumentWindowIsAVisibleChildOfTheClientAndBecomesActive) {
  const HWND first = Child("One", 0, 77);
  ASSERT_TRUE(first);
  EXPECT_EQ(created_with, 77);  // the caller's value reaches WM_CREATE
  EXPECT_EQ(GetParent(first), client);
  EXPECT_TRUE(IsWindowVisible(first));
  const DWORD style = static_cast<DWORD>(GetWindowLongPtr(first, GWL_STYLE));
  EXPECT_EQ(style & (WS_CHILD | WS_CAPTION | WS_SYSMENU), WS_CHILD | WS_CAPTION | WS_SYSMENU);
  EXPECT_TRUE(GetWindowLongPtr(first, GWL_EXSTYLE) & WS_EX_MDICHILD);
  EXPECT_EQ(Active(), first);
  EXPECT_EQ(activations, (std::vector<Activation>{{first, nullptr, first}}));

  activations.clear();
  const HWND second = Child("Two");
  EXPECT_EQ(Active(), second);
  // The one left is told first, both with the same pair.
  EXPECT_EQ(activations, (std::vector<Activation>{{first, first, second}, {second, first, second}}));
  EXPECT_EQ(GetWindow(client, GW_CHILD), second);  // the active one is on top
}

TEST_F(MdiClientTest, ActivatingTellsBothWindowsAndActivatingTheActiveOneTellsNobody) {
  const HWND first = Child("One");
  const HWND second = Child("Two");
  activations.clear();
  SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
  EXPECT_EQ(Active(), first);
  EXPECT_EQ(activations, (std::vector<Activation>{{second, second, first}, {first, second, first}}));
  activations.clear();
  SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
  SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(frame), 0);  // not a document window
  EXPECT_TRUE(activations.empty());
  EXPECT_EQ(Active(), first);
}

TEST_F(MdiClientTest, AMaximisedWindowFillsTheClientAndTheNextActivatedOneTakesItsPlace) {
  const HWND first = Child("One");
  const HWND second = Child("Two");
  const RECT normal = InClient(second);
  size_kinds.clear();
  SendMessage(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(second), 0);
  BOOL maximised = FALSE;
  EXPECT_EQ(Active(&maximised), second);
  EXPECT_TRUE(maximised);
  EXPECT_TRUE(IsZoomed(second));
  EXPECT_EQ(size_kinds, (std::vector<WPARAM>{SIZE_MAXIMIZED}));
  RECT area;
  GetClientRect(client, &area);
  EXPECT_EQ(ClientAreaInClient(second), area);  // only its client area shows

  SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
  EXPECT_TRUE(IsZoomed(first));
  EXPECT_FALSE(IsZoomed(second));
  EXPECT_EQ(InClient(second), normal);  // back where it was
  EXPECT_EQ(ClientAreaInClient(first), area);
  // One made now is maximised too.
  const HWND third = Child("Three");
  EXPECT_TRUE(IsZoomed(third));
  EXPECT_FALSE(IsZoomed(first));

  SendMessage(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(third), 0);
  EXPECT_FALSE(IsZoomed(third));
  EXPECT_EQ(Active(&maximised), third);
  EXPECT_FALSE(maximised);
}

TEST_F(MdiClientTest, AMaximisedWindowFollowsTheClientsSize) {
  const HWND only = Child("One");
  SendMessage(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(only), 0);
  SetWindowPos(client, nullptr, 0, 0, 500, 300, SWP_NOZORDER | SWP_NOMOVE);
  EXPECT_EQ(ClientAreaInClient(only), (RECT{0, 0, 500, 300}));
}

TEST_F(MdiClientTest, NextGoesThroughEveryWindowAndPreviousGoesBack) {
  const HWND a = Child("A");
  const HWND b = Child("B");
  const HWND c = Child("C");
  std::vector<HWND> order;
  for (int i = 0; i < 4; ++i) {
    SendMessage(client, WM_MDINEXT, 0, 0);
    order.push_back(Active());
  }
  EXPECT_EQ(order, (std::vector<HWND>{b, a, c, b}));
  order.clear();
  for (int i = 0; i < 4; ++i) {
    SendMessage(client, WM_MDINEXT, 0, 1);
    order.push_back(Active());
  }
  EXPECT_EQ(order, (std::vector<HWND>{c, a, b, c}));
}

TEST_F(MdiClientTest, DestroyingTheActiveWindowActivatesTheNextAndKeepsItMaximised) {
  const HWND first = Child("One");
  const HWND second = Child("Two");
  SendMessage(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(second), 0);
  activations.clear();
  SendMessage(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(second), 0);
  EXPECT_FALSE(IsWindow(second));
  EXPECT_EQ(Active(), first);
  EXPECT_TRUE(IsZoomed(first));
  ASSERT_FALSE(activations.empty());
  EXPECT_EQ(activations.back(), (Activation{first, nullptr, first}));

  // Closed through its system command, the last one leaves none active.
  activations.clear();
  SendMessage(first, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(Active(), nullptr);
  EXPECT_EQ(activations, (std::vector<Activation>{{first, first, nullptr}}));
}

TEST_F(MdiClientTest, DestroyingAWindowThatIsNotActiveLeavesTheActiveOne) {
  const HWND first = Child("One");
  const HWND second = Child("Two");
  activations.clear();
  DestroyWindow(first);
  EXPECT_EQ(Active(), second);
  EXPECT_TRUE(activations.empty());
}

TEST_F(MdiClientTest, TileSharesTheClientAndCascadeStepsDownFromTheCorner) {
  const HWND a = Child("A");
  const HWND b = Child("B");
  SendMessage(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(b), 0);
  SendMessage(client, WM_MDITILE, 0, 0);
  EXPECT_FALSE(IsZoomed(b));
  EXPECT_EQ(InClient(a), (RECT{0, 0, 600, 200}));
  EXPECT_EQ(InClient(b), (RECT{0, 200, 600, 400}));
  SendMessage(client, WM_MDICASCADE, 0, 0);
  const RECT first = InClient(a), second = InClient(b);
  EXPECT_EQ(first.left, 0);
  EXPECT_GT(second.left, first.left);
  EXPECT_EQ(second.left - first.left, second.top - first.top);
  EXPECT_EQ(GetWindow(client, GW_CHILD), b);  // the active one stays on top
}

TEST_F(MdiClientTest, TheWindowMenuListsTheWindowsWithTheActiveOneChecked) {
  const HWND first = Child("One");
  const HWND second = Child("Two");
  EXPECT_EQ(WindowMenuTexts(), (std::vector<std::string>{"&Cascade", "", "&1 One", "&2 Two"}));
  EXPECT_TRUE(GetMenuState(window_menu, kFirstChildId + 1, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_FALSE(GetMenuState(window_menu, kFirstChildId, MF_BYCOMMAND) & MF_CHECKED);
  // Choosing an entry (the frame's default handling) activates its window.
  DefFrameProc(frame, client, WM_COMMAND, kFirstChildId, 0);
  EXPECT_EQ(Active(), first);
  SetWindowText(first, "Renamed");
  EXPECT_EQ(WindowMenuTexts(), (std::vector<std::string>{"&Cascade", "", "&1 Renamed", "&2 Two"}));
  DestroyWindow(second);
  DestroyWindow(first);
  EXPECT_EQ(WindowMenuTexts(), (std::vector<std::string>{"&Cascade"}));
}

TEST_F(MdiClientTest, SetMenuReplacesTheFramesMenuAndMovesTheListToTheNewWindowMenu) {
  const HMENU first_menu = CreateMenu();
  SetMenu(frame, first_menu);
  Child("One");
  const HMENU second_menu = CreateMenu();
  const HMENU second_window = CreatePopupMenu();
  AppendMenu(second_window, MF_STRING, 200, "&Tile");
  AppendMenu(second_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(second_window), "&Window");
  const LRESULT old = SendMessage(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(second_menu),
                                  reinterpret_cast<LPARAM>(second_window));
  EXPECT_EQ(reinterpret_cast<HMENU>(old), first_menu);
  EXPECT_EQ(GetMenu(frame), second_menu);
  EXPECT_EQ(WindowMenuTexts(), (std::vector<std::string>{"&Cascade"}));  // the old one is left clean
  EXPECT_EQ(GetMenuItemCount(second_window), 3);
  EXPECT_EQ(GetMenuStringText(second_window, 2, MF_BYPOSITION), "&1 One");
  // Without a frame menu only the window menu changes.
  SendMessage(client, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(window_menu));
  EXPECT_EQ(GetMenu(frame), second_menu);
  EXPECT_EQ(GetMenuItemCount(second_window), 1);
  EXPECT_EQ(WindowMenuTexts(), (std::vector<std::string>{"&Cascade", "", "&1 One"}));
}

TEST_F(MdiClientTest, HidingTheActiveWindowActivatesTheNextAndShowingItListsItAgain) {
  const HWND first = Child("One");
  const HWND second = Child("Two");
  ShowWindow(second, SW_HIDE);
  EXPECT_EQ(Active(), first);
  SendMessage(client, WM_MDIREFRESHMENU, 0, 0);
  EXPECT_EQ(WindowMenuTexts(), (std::vector<std::string>{"&Cascade", "", "&1 One"}));
  ShowWindow(first, SW_HIDE);
  EXPECT_EQ(Active(), nullptr);
  ShowWindow(second, SW_SHOWNA);
  SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(second), 0);
  EXPECT_EQ(Active(), second);
  EXPECT_EQ(WindowMenuTexts(), (std::vector<std::string>{"&Cascade", "", "&1 Two"}));
}

TEST_F(MdiClientTest, WindowsUnderARestoredOneRepaintWhatItUncovers) {
  const HWND first = Child("One");
  const HWND second = Child("Two");
  SendMessage(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(second), 0);
  UpdateWindow(frame);
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  painted.clear();
  SendMessage(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(second), 0);
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  EXPECT_NE(std::find(painted.begin(), painted.end(), first), painted.end());
}

TEST_F(MdiClientTest, ADocumentWindowsCaptionHasMinimiseAndMaximiseBoxesThatWork) {
  const HWND only = Child("One");
  RECT rect;
  GetWindowRect(only, &rect);
  const int y = rect.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  // Along the caption from the right: close, maximise, minimise.
  std::vector<LRESULT> hits;
  POINT maximise{-1, -1};
  for (int x = rect.right - 1; x > rect.left; --x) {
    const LRESULT hit = SendMessage(only, WM_NCHITTEST, 0, MAKELPARAM(x, y));
    if (hit == HTMAXBUTTON && maximise.x < 0) maximise = POINT{x - 2, y};
    if (hits.empty() || hits.back() != hit) hits.push_back(hit);
  }
  const auto at = [&](LRESULT hit) { return std::find(hits.begin(), hits.end(), hit) - hits.begin(); };
  ASSERT_LT(at(HTMINBUTTON), static_cast<long>(hits.size()));
  EXPECT_LT(at(HTCLOSE), at(HTMAXBUTTON));
  EXPECT_LT(at(HTMAXBUTTON), at(HTMINBUTTON));
  // A click on the box maximises the window in its client.
  InjectClick(maximise);
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  EXPECT_TRUE(IsZoomed(only));
  EXPECT_EQ(Active(), only);
}

}  // namespace
}  // namespace ui::test
