// CMenu: a framework object for a menu handle. Objects for menus the
// framework did not make are temporary and live until idle time.
#pragma once

#include <string>

#include "platform/afx/Object.h"
#include "platform/ui/Menu.h"

namespace afx {

class CWnd;

class CMenu : public CObject {
  DECLARE_DYNCREATE(CMenu)
 public:
  CMenu() = default;
  ~CMenu() override;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  HMENU m_hMenu = nullptr;
  operator HMENU() const { return m_hMenu; }

  static CMenu* FromHandle(HMENU menu);
  static void DeleteTempMap();
  BOOL Attach(HMENU menu);
  HMENU Detach();

  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  BOOL LoadMenu(UINT id);
  BOOL DestroyMenu();

  BOOL AppendMenu(UINT flags, UINT_PTR id_or_popup = 0, const char* text = nullptr) {
    return ::ui::AppendMenu(m_hMenu, flags, id_or_popup, text);
  }
  UINT EnableMenuItem(UINT item, UINT enable) { return ::ui::EnableMenuItem(m_hMenu, item, enable); }
  UINT CheckMenuItem(UINT item, UINT check) { return ::ui::CheckMenuItem(m_hMenu, item, check); }
  UINT GetMenuItemCount() const { return static_cast<UINT>(::ui::GetMenuItemCount(m_hMenu)); }
  UINT GetMenuItemID(int position) const { return ::ui::GetMenuItemID(m_hMenu, position); }
  UINT GetMenuState(UINT item, UINT flags) const { return ::ui::GetMenuState(m_hMenu, item, flags); }
  int GetMenuString(UINT item, std::string& text, UINT flags) const {
    text = ::ui::GetMenuStringText(m_hMenu, item, flags);
    return static_cast<int>(text.size());
  }
  CMenu* GetSubMenu(int position) const { return FromHandle(::ui::GetSubMenu(m_hMenu, position)); }
  BOOL InsertMenu(UINT position, UINT flags, UINT_PTR id_or_popup = 0, const char* text = nullptr) {
    return ::ui::InsertMenu(m_hMenu, position, flags, id_or_popup, text);
  }
  BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR id_or_popup = 0, const char* text = nullptr) {
    return ::ui::ModifyMenu(m_hMenu, position, flags, id_or_popup, text);
  }
  BOOL RemoveMenu(UINT position, UINT flags) { return ::ui::RemoveMenu(m_hMenu, position, flags); }
  BOOL DeleteMenu(UINT position, UINT flags) { return ::ui::DeleteMenu(m_hMenu, position, flags); }
  BOOL GetMenuItemInfo(UINT item, ::ui::MENUITEMINFO* info, BOOL by_position = FALSE) const {
    return ::ui::GetMenuItemInfo(m_hMenu, item, by_position, info);
  }
  BOOL SetMenuItemInfo(UINT item, const ::ui::MENUITEMINFO* info, BOOL by_position = FALSE) {
    return ::ui::SetMenuItemInfo(m_hMenu, item, by_position, info);
  }
  BOOL SetDefaultItem(UINT item, BOOL by_position = FALSE) {
    return ::ui::SetMenuDefaultItem(m_hMenu, item, by_position);
  }
  UINT GetDefaultItem(UINT flags, BOOL by_position = FALSE) const {
    return ::ui::GetMenuDefaultItem(m_hMenu, by_position, flags);
  }
  // Shows the popup at the screen point with `wnd` as its owner; `exclude`
  // is the screen area it must not cover. With TPM_RETURNCMD the chosen id
  // (0 for none), else nonzero on success, the command going to `wnd`.
  BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, const RECT* exclude = nullptr) const;
};

}  // namespace afx
