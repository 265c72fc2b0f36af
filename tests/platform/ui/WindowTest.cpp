#include <thread>

#include "UiFixture.h"
#include "platform/ui/ImageResources.h"

namespace ui::test {
namespace {

class WindowTest : public UiFixture {};

TEST_F(WindowTest, CreationSendsItsMessagesAndAFailedCreateLeavesNoWindow) {
  std::vector<UINT> seen;
  bool refuse = false;
  handler = [&](HWND, UINT message, WPARAM, LPARAM lParam) -> LRESULT {
    seen.push_back(message);
    if (message == WM_CREATE) {
      EXPECT_STREQ(reinterpret_cast<const CREATESTRUCT*>(lParam)->lpszName, "test");
      if (refuse) return -1;
    }
    return kDefault;
  };
  const HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  ASSERT_TRUE(IsWindow(hwnd));
  ASSERT_GE(seen.size(), 6u);
  EXPECT_EQ(std::vector<UINT>(seen.begin(), seen.begin() + 6),
            (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}));
  EXPECT_TRUE(IsWindowVisible(hwnd));

  refuse = true;
  seen.clear();
  EXPECT_EQ(MakeWindow(), nullptr);
  EXPECT_EQ(seen.back(), WM_NCDESTROY);
  EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
}

TEST_F(WindowTest, StylesKeepTheirWin32Values) {
  EXPECT_EQ(WS_OVERLAPPEDWINDOW, 0x00CF0000u);
  EXPECT_EQ(WS_CHILD | WS_VISIBLE, 0x50000000u);
  EXPECT_EQ(WS_THICKFRAME | WS_MAXIMIZEBOX, 0x50000u);
  const HWND hwnd = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE, kTestClass, "", WS_POPUP | WS_BORDER, 0, 0,
                                   10, 10, nullptr, nullptr, nullptr);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE)), WS_POPUP | WS_BORDER);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_EXSTYLE)), 0x280u);
}

TEST_F(WindowTest, DestructionGoesParentFirstThenFinishesChildrenFirst) {
  std::vector<std::pair<HWND, UINT>> seen;
  handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (message == WM_DESTROY || message == WM_NCDESTROY) seen.emplace_back(hwnd, message);
    return kDefault;
  };
  const HWND parent = MakeWindow();
  const HWND child = MakeWindow(WS_CHILD, parent, 5);
  const HWND owned = MakeWindow(WS_POPUP, parent);
  ASSERT_TRUE(DestroyWindow(parent));
  const std::vector<std::pair<HWND, UINT>> expected = {
      {owned, WM_DESTROY}, {owned, WM_NCDESTROY}, {parent, WM_DESTROY},
      {child, WM_DESTROY}, {child, WM_NCDESTROY}, {parent, WM_NCDESTROY}};
  EXPECT_EQ(seen, expected);
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(IsWindow(owned));
}

TEST_F(WindowTest, OnlyTheCreatingThreadMayDestroyAWindow) {
  const HWND hwnd = MakeWindow();
  BOOL destroyed = TRUE;
  DWORD error = 0;
  std::thread other([&] {
    destroyed = DestroyWindow(hwnd);
    error = GetLastError();
  });
  other.join();
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(error, ERROR_ACCESS_DENIED);
  EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(WindowTest, TheWindowsOfAThreadThatEndedAreGone) {
  const HWND parent = MakeWindow();
  HWND top = nullptr, child = nullptr;
  std::thread worker([&] {
    top = MakeWindow();
    child = MakeWindow(WS_CHILD, parent, 9);
  });
  worker.join();
  EXPECT_FALSE(IsWindow(top));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
  EXPECT_EQ(SendMessage(top, WM_USER, 0, 0), 0);
}

TEST_F(WindowTest, ChildrenKeepCreationOrderAndMoveInTheZOrder) {
  const HWND parent = MakeWindow();
  const HWND a = MakeWindow(WS_CHILD, parent, 1);
  const HWND b = MakeWindow(WS_CHILD, parent, 2);
  const HWND c = MakeWindow(WS_CHILD, parent, 3);
  auto order = [&] {
    std::vector<HWND> list;
    for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) list.push_back(h);
    return list;
  };
  EXPECT_EQ(order(), (std::vector<HWND>{a, b, c}));
  SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(order(), (std::vector<HWND>{c, a, b}));
  SetWindowPos(c, a, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(order(), (std::vector<HWND>{a, c, b}));
  SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(order(), (std::vector<HWND>{c, b, a}));
  EXPECT_EQ(GetParent(a), parent);
  EXPECT_TRUE(IsChild(parent, a));
  EXPECT_EQ(GetAncestor(a, GA_ROOT), parent);

  const HWND other = MakeWindow();
  EXPECT_EQ(SetParent(a, other), parent);
  EXPECT_EQ(order(), (std::vector<HWND>{c, b}));
  EXPECT_EQ(SetParent(other, a), nullptr);  // would make a cycle
}

TEST_F(WindowTest, RectanglesAreInScreenCoordinatesAndChildrenFollowTheirParent) {
  const HWND parent = MakeWindow(WS_OVERLAPPEDWINDOW, nullptr, 0, RECT{100, 50, 500, 350});
  const HWND child = MakeWindow(WS_CHILD, parent, 1, RECT{10, 20, 110, 70});
  // A child's position counts from its parent's client area, inside the frame.
  POINT origin{0, 0};
  ClientToScreen(parent, &origin);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  EXPECT_EQ(origin, (POINT{100 - frame.left, 50 - frame.top}));
  RECT rect;
  GetWindowRect(child, &rect);
  EXPECT_EQ(rect, (RECT{origin.x + 10, origin.y + 20, origin.x + 110, origin.y + 70}));
  GetClientRect(child, &rect);
  EXPECT_EQ(rect, (RECT{0, 0, 100, 50}));

  std::vector<UINT> seen;
  handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (hwnd == parent && (message == WM_SIZE || message == WM_MOVE)) seen.push_back(message);
    return kDefault;
  };
  MoveWindow(parent, 0, 0, 400, 300, TRUE);
  EXPECT_EQ(seen, (std::vector<UINT>{WM_MOVE}));
  GetWindowRect(child, &rect);
  EXPECT_EQ(rect, (RECT{10 - frame.left, 20 - frame.top, 110 - frame.left, 70 - frame.top}));
  POINT point{5, 5};
  ClientToScreen(child, &point);
  EXPECT_EQ(point, (POINT{15 - frame.left, 25 - frame.top}));
  ScreenToClient(parent, &point);
  EXPECT_EQ(point, (POINT{15, 25}));
  EXPECT_EQ(ChildWindowFromPoint(parent, POINT{50, 30}), child);
  EXPECT_EQ(ChildWindowFromPoint(parent, POINT{300, 200}), parent);
}

TEST_F(WindowTest, ShowAndEnableStateReportWhatTheyWereAndFollowTheParent) {
  const HWND parent = MakeWindow();
  const HWND child = MakeWindow(WS_CHILD | WS_VISIBLE, parent, 1);
  EXPECT_FALSE(IsWindowVisible(child));  // the parent is hidden
  EXPECT_FALSE(ShowWindow(parent, SW_SHOW));
  EXPECT_TRUE(IsWindowVisible(child));
  EXPECT_TRUE(ShowWindow(parent, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(child));

  std::vector<WPARAM> enables;
  handler = [&](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
    if (message == WM_ENABLE) enables.push_back(wParam);
    return kDefault;
  };
  EXPECT_FALSE(EnableWindow(child, FALSE));
  EXPECT_TRUE(EnableWindow(child, FALSE));  // already disabled: no message
  EXPECT_FALSE(IsWindowEnabled(child));
  EXPECT_TRUE(EnableWindow(child, TRUE));
  EXPECT_EQ(enables, (std::vector<WPARAM>{FALSE, TRUE}));
}

TEST_F(WindowTest, FocusMovesWithKillThenSetAndLeavesADisabledWindow) {
  const HWND parent = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  const HWND a = MakeWindow(WS_CHILD | WS_VISIBLE, parent, 1);
  const HWND b = MakeWindow(WS_CHILD | WS_VISIBLE, parent, 2);
  std::vector<std::pair<HWND, UINT>> seen;
  handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS) seen.emplace_back(hwnd, message);
    return kDefault;
  };
  SetFocus(a);
  EXPECT_EQ(SetFocus(b), a);
  EXPECT_EQ(GetFocus(), b);
  EXPECT_EQ(GetActiveWindow(), parent);
  const std::vector<std::pair<HWND, UINT>> expected = {{a, WM_SETFOCUS}, {a, WM_KILLFOCUS}, {b, WM_SETFOCUS}};
  EXPECT_EQ(seen, expected);
  EnableWindow(b, FALSE);
  EXPECT_EQ(GetFocus(), nullptr);
  SetFocus(a);
  DestroyWindow(a);
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowTest, TextAndLongsRoundTrip) {
  const HWND hwnd = MakeWindow();
  EXPECT_TRUE(SetWindowText(hwnd, "Briven Conversion"));
  EXPECT_EQ(GetWindowTextString(hwnd), "Briven Conversion");
  char small[7];
  EXPECT_EQ(GetWindowText(hwnd, small, sizeof small), 6);
  EXPECT_STREQ(small, "Briven");
  EXPECT_EQ(SetWindowLongPtr(hwnd, GWLP_USERDATA, 99), 0);
  EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_USERDATA), 99);
  EXPECT_EQ(GetClassName(hwnd), kTestClass);
  WNDCLASS wc;
  EXPECT_TRUE(GetClassInfo("brivenTESTwindow", &wc));  // names compare without case
  wc.lpszClassName = kTestClass;
  EXPECT_FALSE(RegisterClass(wc));
  EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
}

TEST_F(WindowTest, AWindowKeepsTheIconsItIsGiven) {
  const HWND hwnd = MakeWindow();
  const HICON small_icon = LoadIcon(IDI_APPLICATION);
  const HICON big_icon = LoadIcon(IDI_WINLOGO);
  EXPECT_EQ(SendMessage(hwnd, WM_GETICON, ICON_SMALL2, 0), 0);
  EXPECT_EQ(SendMessage(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon)), 0);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(hwnd, WM_GETICON, ICON_SMALL2, 0)), big_icon);  // none small yet
  EXPECT_EQ(SendMessage(hwnd, WM_GETICON, ICON_SMALL, 0), 0);
  SendMessage(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon));
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(hwnd, WM_GETICON, ICON_SMALL, 0)), small_icon);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(hwnd, WM_GETICON, ICON_BIG, 0)), big_icon);
  // Setting one gives back the one it replaces.
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(hwnd, WM_SETICON, ICON_SMALL, 0)), small_icon);
}

TEST_F(WindowTest, PlacementRestoresTheNormalPositionAndShowCommand) {
  const HWND frame = MakeWindow();
  WINDOWPLACEMENT placement;
  ASSERT_TRUE(GetWindowPlacement(frame, &placement));
  EXPECT_EQ(placement.rcNormalPosition, (RECT{10, 20, 210, 170}));
  EXPECT_EQ(placement.showCmd, static_cast<UINT>(SW_SHOWNORMAL));
  placement.rcNormalPosition = RECT{100, 50, 700, 550};
  ASSERT_TRUE(SetWindowPlacement(frame, &placement));
  RECT rect;
  GetWindowRect(frame, &rect);
  EXPECT_EQ(rect, (RECT{100, 50, 700, 550}));
  EXPECT_TRUE(IsWindowVisible(frame));
  const HWND child = MakeWindow(WS_CHILD | WS_VISIBLE, frame, 3, RECT{5, 6, 15, 16});
  GetWindowPlacement(child, &placement);
  EXPECT_EQ(placement.rcNormalPosition, (RECT{5, 6, 15, 16}));  // in the parent's client area
}

TEST_F(WindowTest, PointsFindTheChildUnderThemSkippingWhatTheFlagsSay) {
  const HWND parent = MakeWindow(WS_OVERLAPPEDWINDOW, nullptr, 0, RECT{0, 0, 300, 300});
  const HWND hidden = MakeWindow(WS_CHILD, parent, 1, RECT{0, 0, 100, 100});
  const HWND shown = MakeWindow(WS_CHILD | WS_VISIBLE, parent, 2, RECT{0, 0, 100, 100});
  EXPECT_EQ(ChildWindowFromPointEx(parent, POINT{50, 50}, CWP_ALL), hidden);
  EXPECT_EQ(ChildWindowFromPointEx(parent, POINT{50, 50}, CWP_SKIPINVISIBLE), shown);
  EnableWindow(shown, FALSE);
  EXPECT_EQ(ChildWindowFromPointEx(parent, POINT{50, 50}, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED), parent);
  EXPECT_EQ(ChildWindowFromPointEx(parent, POINT{400, 50}, CWP_ALL), nullptr);
}

TEST_F(WindowTest, APaintHandlerThatPaintsNothingDoesNotLoopForEver) {
  int paints = 0;
  handler = [&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (message == WM_PAINT) {
      ++paints;
      return 0;  // neither validates nor invalidates
    }
    return kDefault;
  };
  const HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  MSG msg;
  int dispatched = 0;
  while (PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE) && dispatched < 10) {
    DispatchMessage(&msg);
    ++dispatched;
  }
  EXPECT_EQ(paints, 1);
  EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));
}

TEST_F(WindowTest, OnlyOneWindowAtATimeHasItsDrawingFrozen) {
  const HWND a = MakeWindow();
  const HWND b = MakeWindow();
  EXPECT_TRUE(LockWindowUpdate(a));
  EXPECT_FALSE(LockWindowUpdate(b));
  EXPECT_EQ(GetLockedWindow(), a);
  EXPECT_TRUE(LockWindowUpdate(nullptr));
  EXPECT_TRUE(LockWindowUpdate(b));
  DestroyWindow(b);
  EXPECT_EQ(GetLockedWindow(), nullptr);  // a destroyed window holds no lock
  EXPECT_TRUE(LockWindowUpdate(a));
  LockWindowUpdate(nullptr);
}

}  // namespace
}  // namespace ui::test
