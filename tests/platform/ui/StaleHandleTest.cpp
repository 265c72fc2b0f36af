#include "UiFixture.h"

#include "platform/ui/internal/HandleTable.h"

namespace ui::test {
namespace {

class StaleHandleTest : public UiFixture {};

// Every call that takes a window refuses a handle that is not a live window
// with the stale-handle error, and never reaches another window.
void ExpectRefusedEverywhere(HWND bad) {
  struct Case {
    const char* name;
    std::function<bool()> refused;
    bool sets_error = true;
  };
  MSG msg;
  RECT rect;
  POINT point{};
  const std::vector<Case> cases = {
      {"IsWindow", [&] { return !IsWindow(bad); }, false},
      {"SendMessage", [&] { return SendMessage(bad, WM_USER, 0, 0) == 0; }},
      {"PostMessage", [&] { return !PostMessage(bad, WM_USER, 0, 0); }},
      {"DestroyWindow", [&] { return !DestroyWindow(bad); }},
      {"ShowWindow", [&] { return !ShowWindow(bad, SW_SHOW); }},
      {"EnableWindow", [&] { return !EnableWindow(bad, FALSE); }},
      {"IsWindowVisible", [&] { return !IsWindowVisible(bad); }},
      {"SetWindowText", [&] { return !SetWindowText(bad, "x"); }},
      {"GetWindowRect", [&] { return !GetWindowRect(bad, &rect); }},
      {"MoveWindow", [&] { return !MoveWindow(bad, 0, 0, 5, 5, TRUE); }},
      {"ClientToScreen", [&] { return !ClientToScreen(bad, &point); }},
      {"GetParent", [&] { return GetParent(bad) == nullptr; }},
      {"SetParent", [&] { return SetParent(bad, nullptr) == nullptr; }},
      {"GetWindow", [&] { return GetWindow(bad, GW_CHILD) == nullptr; }},
      {"SetFocus", [&] { return SetFocus(bad) == nullptr; }},
      {"SetTimer", [&] { return SetTimer(bad, 1, 100, nullptr) == 0; }},
      {"KillTimer", [&] { return !KillTimer(bad, 1); }},
      {"InvalidateRect", [&] { return !InvalidateRect(bad, nullptr, TRUE); }},
      {"GetWindowLongPtr", [&] { return GetWindowLongPtr(bad, GWL_STYLE) == 0; }},
      {"SetWindowLongPtr", [&] { return SetWindowLongPtr(bad, GWL_STYLE, 0) == 0; }},
      {"GetMessage filter", [&] { return GetMessage(&msg, bad, 0, 0) == -1; }},
      {"PeekMessage filter", [&] { return !PeekMessage(&msg, bad, 0, 0, PM_REMOVE); }},
      {"GetDlgItem", [&] { return GetDlgItem(bad, 1) == nullptr; }},
      {"EndDialog", [&] { return !EndDialog(bad, 1); }},
      {"GetClassName", [&] { return GetClassName(bad).empty(); }},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_TRUE(c.refused()) << c.name;
    if (c.sets_error) {
      EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE) << c.name;
    }
  }
}

TEST_F(StaleHandleTest, ADestroyedWindowsHandleIsRefusedEvenWhenItsSlotIsReused) {
  int reached = 0;
  handler = [&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (message == WM_USER) ++reached;
    return kDefault;
  };
  const HWND old = MakeWindow();
  ASSERT_TRUE(DestroyWindow(old));
  const HWND reused = MakeWindow();
  ASSERT_NE(reused, old);
  ExpectRefusedEverywhere(old);
  EXPECT_EQ(reached, 0);
  EXPECT_TRUE(IsWindow(reused));
}

TEST_F(StaleHandleTest, ForeignValuesAreRefusedWithoutBeingDereferenced) {
  int local = 0;
  ExpectRefusedEverywhere(reinterpret_cast<HWND>(&local));
  ExpectRefusedEverywhere(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1234)));
  ExpectRefusedEverywhere(reinterpret_cast<HWND>(~static_cast<std::uintptr_t>(0)));
}

TEST_F(StaleHandleTest, MessagesPostedBeforeDestructionAreDroppedOnDispatch) {
  int reached = 0;
  handler = [&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (message == WM_USER) ++reached;
    return kDefault;
  };
  const HWND hwnd = MakeWindow();
  PostMessage(hwnd, WM_USER, 0, 0);
  DestroyWindow(hwnd);
  MakeWindow();  // may take the same slot
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  EXPECT_EQ(reached, 0);
}

// Windows, menus and drawing objects share one table: a live handle of one
// kind never passes for another, and a removed one is stale for good.
TEST_F(StaleHandleTest, AHandleOfAnotherKindIsRefused) {
  const HMENU menu = CreateMenu();
  ExpectRefusedEverywhere(reinterpret_cast<HWND>(menu));
  const HWND hwnd = MakeWindow();
  EXPECT_FALSE(IsMenu(reinterpret_cast<HMENU>(hwnd)));
  EXPECT_EQ(GetMenuItemCount(reinterpret_cast<HMENU>(hwnd)), -1);
  EXPECT_TRUE(DestroyMenu(menu));
  EXPECT_FALSE(IsMenu(menu));
}

TEST_F(StaleHandleTest, TheHandleTableChecksKindAndGeneration) {
  using internal::HandleKind;
  internal::HandleTable& table = internal::HandleTable::Get();
  auto pen = std::make_shared<int>(7);
  void* handle = table.Add(HandleKind::kPen, pen);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(table.KindOf(handle), HandleKind::kPen);
  {
    internal::TableLock lock(table.mutex());
    EXPECT_EQ(table.Find<int>(handle, HandleKind::kPen), pen.get());
    EXPECT_EQ(table.Find<int>(handle, HandleKind::kBrush), nullptr);
  }
  EXPECT_FALSE(table.Remove(handle, HandleKind::kBrush));
  EXPECT_TRUE(table.Remove(handle, HandleKind::kPen));
  EXPECT_FALSE(table.Remove(handle, HandleKind::kPen));
  EXPECT_EQ(table.KindOf(handle), HandleKind::kNone);
  void* reused = table.Add(HandleKind::kPen, std::make_shared<int>(8));
  EXPECT_NE(reused, handle);
  EXPECT_EQ(table.FindShared<int>(handle, HandleKind::kPen), nullptr);
  EXPECT_TRUE(table.Remove(reused, HandleKind::kPen));
}

}  // namespace
}  // namespace ui::test
