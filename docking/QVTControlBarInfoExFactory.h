// What a saved layout asks of the frame's control-bar manager: the type id
// of a bar it saves, the extension record for a bar record's type id while
// it reads, and a bar for a record whose bar the frame does not have. The
// manager implements it; a layout without a manager reads no extensions
// and makes no bars of its own.
#pragma once

#include <memory>

#include "docking/QVTControlBarInfoEx.h"
#include "platform/afx/ControlBar.h"

namespace docking {

class QVTControlBarInfo;

class QVTControlBarInfoExFactory {
 public:
  virtual ~QVTControlBarInfoExFactory() = default;
  // A new, empty extension record for the record's type id; null for a
  // type without one.
  virtual std::unique_ptr<QVTControlBarInfoEx> CreateBarInfoEx(QVTControlBarInfo* info) = 0;
  // The manager's code for the kind of bar, 0 for bars it does not know.
  virtual ui::UINT GetBarTypeID(const afx::CControlBar*) const { return 0; }
  // A new bar (a window of the frame, not yet docked) for the record; null
  // when the manager makes no bar of its type.
  virtual afx::CControlBar* CreateBar(QVTControlBarInfo*) { return nullptr; }
};

}  // namespace docking
