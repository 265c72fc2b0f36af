// QVTMenuBarFeature: the frame plug-in of a frame with a menu bar. It
// routes the frame's messages to the menu loop of its menu-bar part and
// answers the frame's popups from its own copy of the bar's current menu.
#pragma once

#include <map>

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

 protected:
  // The popup at `index` of menu `menu_id` when that is the bar's menu.
  HMENU GetPopup(UINT menu_id, int index);

  std::map<UINT, HMENU> m_menus;  // the frame's copies of the loaded menus
};

}  // namespace docking
