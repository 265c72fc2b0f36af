#include "platform/afx/Menu.h"

#include <map>
#include <memory>

#include "platform/afx/Wnd.h"
#include "platform/ui/Menu.h"

namespace afx {

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {
thread_local std::map<HMENU, std::unique_ptr<CMenu>> temporary_menus;
}  // namespace

CMenu::~CMenu() {
  // An object that owns its menu takes it along; a temporary one does not.
  if (m_hMenu) ::ui::DestroyMenu(m_hMenu);
}

CMenu* CMenu::FromHandle(HMENU menu) {
  if (!menu || !::ui::IsMenu(menu)) return nullptr;
  auto& slot = temporary_menus[menu];
  if (!slot) {
    slot = std::make_unique<CMenu>();
    slot->m_hMenu = menu;
  }
  return slot.get();
}

void CMenu::DeleteTempMap() {
  for (auto& [handle, menu] : temporary_menus) menu->m_hMenu = nullptr;
  temporary_menus.clear();
}

BOOL CMenu::Attach(HMENU menu) {
  if (m_hMenu || !::ui::IsMenu(menu)) return FALSE;
  m_hMenu = menu;
  return TRUE;
}

HMENU CMenu::Detach() {
  const HMENU menu = m_hMenu;
  m_hMenu = nullptr;
  return menu;
}

BOOL CMenu::CreateMenu() { return m_hMenu ? FALSE : Attach(::ui::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return m_hMenu ? FALSE : Attach(::ui::CreatePopupMenu()); }
BOOL CMenu::LoadMenu(UINT id) { return m_hMenu ? FALSE : Attach(::ui::LoadMenu(id)); }

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, const RECT* exclude) const {
  const HWND owner = wnd ? wnd->GetSafeHwnd() : nullptr;
  if (!exclude) return ::ui::TrackPopupMenuEx(m_hMenu, flags, x, y, owner, nullptr);
  ::ui::TPMPARAMS params;
  params.rcExclude = *exclude;
  return ::ui::TrackPopupMenuEx(m_hMenu, flags, x, y, owner, &params);
}

BOOL CMenu::DestroyMenu() {
  if (!m_hMenu) return FALSE;
  return ::ui::DestroyMenu(Detach());
}

}  // namespace afx
