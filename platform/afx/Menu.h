// CMenu: a framework object for a menu handle. Objects for menus the
// framework did not make are temporary and live until idle time.
#pragma once

#include <string>

#include "platform/afx/Object.h"

namespace afx {

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
};

}  // namespace afx
