// What a saved layout asks of the frame's control-bar manager while it
// reads: the extension record for a bar record's type id. The manager
// implements it; a layout without a manager reads no extensions.
#pragma once

#include <memory>

#include "docking/QVTControlBarInfoEx.h"

namespace docking {

class QVTControlBarInfo;

class QVTControlBarInfoExFactory {
 public:
  virtual ~QVTControlBarInfoExFactory() = default;
  // A new, empty extension record for the record's type id; null for a
  // type without one.
  virtual std::unique_ptr<QVTControlBarInfoEx> CreateBarInfoEx(QVTControlBarInfo* info) = 0;
};

}  // namespace docking
