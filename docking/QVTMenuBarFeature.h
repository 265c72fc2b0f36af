// QVTMenuBarFeature: the frame plug-in of a frame with a menu bar. It
// routes the frame's messages to the menu loop of its menu-bar part and
// answers the frame's popups from its own copy of the bar's current menu.
// When the frame has bitmap menus, its bitmap-menu plug-in draws those
// popups and sees the frame's messages before the menu loop does.
#pragma once

#include <map>

#include "docking/QVTBmpMenuPlugIn.h"
#include "docking/QVTFramePlugIn.h"
#include "docking/QVTMenuBarMessages.h"

namespace docking {

class QVTMenuBarFeature : public QVTFramePlugIn, public QVTMenuBarMessages {
  DECLARE_DYNCREATE(QVTMenuBarFeature)
 public:
  QVTMenuBarFeature() = default;
  ~QVTMenuBarFeature() override;

  ui::BOOL Attach(QVTFrameWnd* frame) override;
  ui::BOOL OnFrameMessage(ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam, ui::LRESULT* result) override;
  ui::BOOL PreTranslateMessage(ui::MSG* msg) override { return QVTMenuBarMessages::PreTranslateMessage(msg); }
  afx::CWnd* GetFrame() const override;
  void OnInitMenuPopup(ui::WPARAM wParam, ui::LPARAM lParam) override;
  QVTBmpMenuPlugIn& GetBitmapMenus() { return m_bmpMenus; }

 protected:
  // The popup at `index` of menu `menu_id` when that is the bar's menu.
  HMENU GetPopup(UINT menu_id, int index);
  // TRUE when the bitmap menus took the message.
  ui::BOOL OfferToBitmapMenus(ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam, ui::LRESULT* result);

  std::map<UINT, HMENU> m_menus;  // the frame's copies of the loaded menus
  QVTBmpMenuPlugIn m_bmpMenus;
};

}  // namespace docking
