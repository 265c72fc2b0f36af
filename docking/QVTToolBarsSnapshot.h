// The frame's toolbars as they were when a customisation window opened:
// where every bar was, whether it showed, its title and buttons, and which
// user toolbars existed. Restoring it takes back what the user changed
// there: new toolbars go, deleted ones come back, renames, resets and
// moved buttons are undone.
#pragma once

#include <memory>
#include <vector>

#include "platform/ui/Types.h"

namespace docking {

class QVTDockState;
class QVTToolBarManager;

class QVTToolBarsSnapshot {
 public:
  QVTToolBarsSnapshot();
  ~QVTToolBarsSnapshot();
  QVTToolBarsSnapshot(const QVTToolBarsSnapshot&) = delete;
  QVTToolBarsSnapshot& operator=(const QVTToolBarsSnapshot&) = delete;

  void Take(QVTToolBarManager& manager);
  // Nothing when no snapshot was taken.
  void Restore(QVTToolBarManager& manager);
  bool IsTaken() const { return state_ != nullptr; }

 private:
  std::unique_ptr<QVTDockState> state_;
  struct ToolBar {
    ui::UINT id;
    bool visible;
  };
  std::vector<ToolBar> toolBars_;  // the toolbars that existed
};

}  // namespace docking
