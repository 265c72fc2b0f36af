#include "UiFixture.h"

namespace ui::test {
namespace {

class MenuTest : public UiFixture {
 protected:
  void SetUp() override {
    UiFixture::SetUp();
    RegisterMenuResource(128, {
        {0, "&Briven", MF_POPUP,
         {{32772, "&Properties...", MF_STRING, {}}, {0, "", MF_SEPARATOR, {}}, {57665, "E&xit", MF_STRING, {}}}},
        {0, "&Conversion", MF_POPUP,
         {{32773, "&Parameters...\tCtrl+P", MF_STRING, {}}, {32786, "&Header\tCtrl+H", MF_CHECKED, {}}}},
    });
  }
};

TEST_F(MenuTest, AMenuResourceLoadsWithItsPopupsTextsAndStates) {
  const HMENU menu = LoadMenu(128);
  ASSERT_TRUE(IsMenu(menu));
  EXPECT_EQ(GetMenuItemCount(menu), 2);
  EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(-1));  // a popup
  const HMENU file = GetSubMenu(menu, 0);
  ASSERT_TRUE(file);
  EXPECT_EQ(GetMenuItemCount(file), 3);
  EXPECT_EQ(GetMenuItemID(file, 2), 57665u);
  EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION), MF_SEPARATOR);
  EXPECT_EQ(GetMenuStringText(menu, 32773, MF_BYCOMMAND), "&Parameters...\tCtrl+P");  // found inside a popup
  EXPECT_EQ(GetMenuState(menu, 32786, MF_BYCOMMAND), MF_CHECKED);
  EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION) >> 8, 3u);  // a popup's count
  EXPECT_EQ(LoadMenu(999), nullptr);
  EXPECT_NE(LoadMenu(128), menu);  // each load is a menu of its own
}

TEST_F(MenuTest, ItemsChangeStateAndReportTheOldOne) {
  const HMENU menu = LoadMenu(128);
  EXPECT_EQ(EnableMenuItem(menu, 32772, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
  EXPECT_EQ(EnableMenuItem(menu, 32772, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
  EXPECT_EQ(CheckMenuItem(menu, 32786, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);
  EXPECT_EQ(EnableMenuItem(menu, 4711, MF_BYCOMMAND | MF_GRAYED), static_cast<UINT>(-1));
  const HMENU file = GetSubMenu(menu, 0);
  ASSERT_TRUE(InsertMenu(file, 0, MF_BYPOSITION | MF_STRING, 100, "&New"));
  ASSERT_TRUE(ModifyMenu(file, 100, MF_BYCOMMAND | MF_STRING, 101, "&Open"));
  EXPECT_EQ(GetMenuItemID(file, 0), 101u);
  ASSERT_TRUE(DeleteMenu(menu, 1, MF_BYPOSITION));
  EXPECT_EQ(GetMenuItemCount(menu), 1);
  EXPECT_EQ(GetMenuState(menu, 32773, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(MenuTest, DestroyedMenusAreRefusedWithTheirPopups) {
  const HMENU menu = LoadMenu(128);
  const HMENU popup = GetSubMenu(menu, 1);
  ASSERT_TRUE(DestroyMenu(menu));
  EXPECT_FALSE(IsMenu(menu));
  EXPECT_FALSE(IsMenu(popup));
  EXPECT_EQ(GetMenuItemCount(menu), -1);
  EXPECT_FALSE(AppendMenu(menu, MF_STRING, 1, "x"));
  EXPECT_FALSE(DestroyMenu(menu));
  int local = 0;
  EXPECT_FALSE(IsMenu(reinterpret_cast<HMENU>(&local)));
}

TEST_F(MenuTest, ItemInfoReadsAndWritesTheMembersItsMaskNames) {
  const HMENU menu = LoadMenu(128);
  const HMENU conversion = GetSubMenu(menu, 1);
  char text[8];
  MENUITEMINFO info;
  info.fMask = MIIM_TYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
  info.dwTypeData = text;
  info.cch = sizeof(text);
  ASSERT_TRUE(GetMenuItemInfo(menu, 32786, FALSE, &info));  // found inside a popup
  EXPECT_STREQ(text, "&Header");                            // cut to the buffer
  EXPECT_EQ(info.cch, 7u);
  EXPECT_EQ(info.fType, MFT_STRING);
  EXPECT_EQ(info.fState, MFS_CHECKED);
  EXPECT_EQ(info.wID, 32786u);
  EXPECT_EQ(info.hSubMenu, nullptr);
  info.dwTypeData = nullptr;
  ASSERT_TRUE(GetMenuItemInfo(menu, 1, TRUE, &info));
  EXPECT_EQ(info.cch, 11u);  // the length of "&Conversion" only
  EXPECT_EQ(info.hSubMenu, conversion);

  // Owner-drawn with the owner's data: the text stays for a later plain item.
  MENUITEMINFO owner_drawn;
  owner_drawn.fMask = MIIM_FTYPE | MIIM_DATA;
  owner_drawn.fType = MFT_OWNERDRAW;
  owner_drawn.dwItemData = 0xBEEF;
  ASSERT_TRUE(SetMenuItemInfo(conversion, 0, TRUE, &owner_drawn));
  EXPECT_EQ(GetMenuState(conversion, 0, MF_BYPOSITION) & MF_OWNERDRAW, MF_OWNERDRAW);
  MENUITEMINFO back;
  back.fMask = MIIM_FTYPE | MIIM_DATA;
  ASSERT_TRUE(GetMenuItemInfo(conversion, 32773, FALSE, &back));
  EXPECT_EQ(back.fType, MFT_OWNERDRAW);
  EXPECT_EQ(back.dwItemData, 0xBEEFu);
  MENUITEMINFO plain;
  plain.fMask = MIIM_TYPE;
  plain.fType = MFT_STRING;
  plain.dwTypeData = const_cast<char*>("&Parameters...");
  ASSERT_TRUE(SetMenuItemInfo(conversion, 0, TRUE, &plain));
  EXPECT_EQ(GetMenuStringText(conversion, 0, MF_BYPOSITION), "&Parameters...");
  EXPECT_EQ(GetMenuState(conversion, 0, MF_BYPOSITION) & MF_OWNERDRAW, 0u);

  // One default item per menu.
  EXPECT_EQ(GetMenuDefaultItem(conversion, FALSE, 0), static_cast<UINT>(-1));
  ASSERT_TRUE(SetMenuDefaultItem(conversion, 32786, FALSE));
  ASSERT_TRUE(SetMenuDefaultItem(conversion, 0, TRUE));
  EXPECT_EQ(GetMenuDefaultItem(conversion, FALSE, 0), 32773u);
  EXPECT_EQ(GetMenuState(conversion, 32786, MF_BYCOMMAND) & MF_DEFAULT, 0u);
  ASSERT_TRUE(SetMenuDefaultItem(conversion, static_cast<UINT>(-1), FALSE));
  EXPECT_EQ(GetMenuDefaultItem(conversion, TRUE, 0), static_cast<UINT>(-1));

  // Bad requests are refused.
  MENUITEMINFO bad;
  bad.fMask = MIIM_ID;
  EXPECT_FALSE(GetMenuItemInfo(menu, 4711, FALSE, &bad));
  EXPECT_FALSE(GetMenuItemInfo(menu, 0, TRUE, nullptr));
  bad.cbSize = 4;
  EXPECT_FALSE(GetMenuItemInfo(menu, 0, TRUE, &bad));
  MENUITEMINFO stale;
  stale.fMask = MIIM_SUBMENU;
  stale.hSubMenu = reinterpret_cast<HMENU>(&stale);
  EXPECT_FALSE(SetMenuItemInfo(menu, 0, TRUE, &stale));
  EXPECT_EQ(GetSubMenu(menu, 0) != nullptr, true);  // unchanged
  EXPECT_FALSE(SetMenuDefaultItem(conversion, 4711, FALSE));
}

TEST_F(MenuTest, EachWindowHasItsSystemMenuAndAWindowMenu) {
  const HWND a = MakeWindow();
  const HWND b = MakeWindow();
  const HMENU system = GetSystemMenu(a, FALSE);
  ASSERT_TRUE(system);
  EXPECT_EQ(GetSystemMenu(a, FALSE), system);
  EXPECT_NE(GetSystemMenu(b, FALSE), system);
  EXPECT_EQ(EnableMenuItem(system, SC_SIZE, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
  EXPECT_EQ(EnableMenuItem(system, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
  EXPECT_EQ(GetMenuState(system, SC_CLOSE, MF_BYCOMMAND), MF_ENABLED);
  EXPECT_EQ(GetSystemMenu(a, TRUE), nullptr);  // reverted: a fresh one next time
  EXPECT_EQ(GetMenuState(GetSystemMenu(a, FALSE), SC_SIZE, MF_BYCOMMAND), MF_ENABLED);

  const HMENU menu = LoadMenu(128);
  EXPECT_TRUE(SetMenu(a, menu));
  EXPECT_EQ(GetMenu(a), menu);
  EXPECT_EQ(GetMenu(b), nullptr);
}

}  // namespace
}  // namespace ui::test
