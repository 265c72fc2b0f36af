#include "docking/QVTMenuBarFeature.h"

#include "docking/QVTFrameWnd.h"

namespace docking {

IMPLEMENT_DYNCREATE(QVTMenuBarFeature, QVTFramePlugIn)

QVTMenuBarFeature::~QVTMenuBarFeature() {
  for (auto& [id, menu] : m_menus) ui::DestroyMenu(menu);
}

ui::BOOL QVTMenuBarFeature::Attach(QVTFrameWnd* frame) {
  auto* bar = frame ? dynamic_cast<QVTMenuBar*>(frame->GetMenuBar()) : nullptr;
  if (!bar) return ui::FALSE;
  QVTFramePlugIn::Attach(frame);
  SetMenuBar(bar);
  m_bmpMenus.Attach(frame);
  return ui::TRUE;
}

ui::BOOL QVTMenuBarFeature::OfferToBitmapMenus(ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam,
                                               ui::LRESULT* result) {
  if (!frame_ || !frame_->BitmapMenusEnabled()) return ui::FALSE;
  return m_bmpMenus.OnFrameMessage(message, wParam, lParam, result);
}

void QVTMenuBarFeature::OnInitMenuPopup(ui::WPARAM wParam, ui::LPARAM lParam) {
  if (frame_ && frame_->BitmapMenusEnabled()) m_bmpMenus.OnInitMenuPopup(wParam, lParam);
}

afx::CWnd* QVTMenuBarFeature::GetFrame() const { return frame_; }

HMENU QVTMenuBarFeature::GetPopup(UINT menu_id, int index) {
  QVTMenuBar* bar = GetMenuBar();
  if (!bar) return nullptr;
  // Only the menu the bar shows: a title of another menu is stale.
  const DWORD bit = [&] {
    for (const QVTMenuBar::ButtonDef& def : bar->GetButtonDefs())
      if (def.menuId == menu_id) return def.menuBit;
    return DWORD{0};
  }();
  if (!(bit & bar->GetMenuMask())) return nullptr;
  HMENU& menu = m_menus[menu_id];
  if (!menu) menu = ui::LoadMenu(menu_id);
  return menu ? ui::GetSubMenu(menu, index) : nullptr;
}

ui::BOOL QVTMenuBarFeature::OnFrameMessage(ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam,
                                           ui::LRESULT* result) {
  *result = 0;
  if (message == GetMenuMessage()) {
    *result = reinterpret_cast<ui::LRESULT>(GetPopup(static_cast<UINT>(wParam), static_cast<int>(lParam)));
    return ui::TRUE;
  }
  if (message == MenuProdMessage()) {
    OnMenuProd();
    return ui::TRUE;
  }
  // The bitmap menus answer first for the items they draw (their
  // mnemonics among them); a popup is noted by the menu loop before they
  // prepare it.
  if (message != ui::WM_INITMENUPOPUP && OfferToBitmapMenus(message, wParam, lParam, result)) return ui::TRUE;
  switch (message) {
    case ui::WM_NOTIFY: {
      const auto* notify = reinterpret_cast<const QVTMenuBarNotify*>(lParam);
      QVTMenuBar* bar = GetMenuBar();
      if (!notify || !bar || notify->hwndFrom != bar->m_hWnd) return ui::FALSE;
      return OnNotify(*notify, result);
    }
    case ui::WM_MENUSELECT: OnMenuSelect(); return ui::FALSE;
    case ui::WM_INITMENUPOPUP:
      QVTMenuBarMessages::OnInitMenuPopup();
      OfferToBitmapMenus(message, wParam, lParam, result);
      return ui::FALSE;
    case ui::WM_MENUCHAR:
      *result = AnswerMenuChar(reinterpret_cast<HMENU>(lParam), static_cast<char>(wParam & 0xFF));
      return *result != 0;
    case ui::WM_SYSCOMMAND: return OnSysCommand(static_cast<UINT>(wParam), lParam);
    case ui::WM_NCACTIVATE: OnNcActivate(wParam != 0); return ui::FALSE;
  }
  return ui::FALSE;
}

}  // namespace docking
