// What a saved layout asks of the frame's control-bar manager while it
// reads: the extension record for a bar record's type id. The manager
// implements it; a layout without a manager reads no extensions.
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
  // The bar type id of a bar, 0 for a bar without an extension record.
  virtual UINT GetBarTypeID(const afx::CControlBar*) const { return 0; }
  // A bar, window and all, for a saved record whose bar the frame does not
  // have; null when the manager does not make bars of that type.
  virtual afx::CControlBar* CreateBar(QVTControlBarInfo*) { return nullptr; }
};

}  // namespace docking
