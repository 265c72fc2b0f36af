// QVTReBar: a rebar whose bands may hold the framework's bars. Before it
// reports its own size it lets every such bar lay itself out for the same
// orientation, so a toolbar in a band wraps its buttons the way the rebar
// is docked.
#pragma once

#include "platform/afx/ReBar.h"

namespace docking {

class QVTReBar : public afx::CReBar {
  DECLARE_DYNAMIC(QVTReBar)
 public:
  ui::SIZE CalcFixedLayout(ui::BOOL stretch, ui::BOOL horizontal) override;
};

}  // namespace docking
