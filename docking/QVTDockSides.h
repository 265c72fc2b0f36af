// The frame's four dock bars and the side style of each, in the order every
// docking operation searches them, and the choice of a side for a bar's
// alignment bits.
#pragma once

#include <span>

#include "docking/QVTBarStyles.h"
#include "docking/QVTDockRowLayout.h"

namespace docking {

struct QVTDockSideEntry {
  sys::UINT dockBarId = 0;
  sys::DWORD style = 0;  // alignment and the border toward the client area
  QVTDockSide side = QVTDockSide::kTop;
};

class QVTDockSides {
 public:
  static std::span<const QVTDockSideEntry> Table();

  // The side a bar with these alignment bits docks on: the side whose
  // alignment equals them, else the first side that shares one of them (a
  // bar that may dock anywhere goes to the top); null when the bits name
  // no side at all, so the caller never docks onto a dock bar that is not
  // there.
  static const QVTDockSideEntry* SideForAlignment(sys::DWORD style);
  // The last side sharing an alignment bit (re-docking without a dock bar).
  static const QVTDockSideEntry* LastSideMatching(sys::DWORD style);
  static const QVTDockSideEntry* SideForId(sys::UINT dockBarId);
};

}  // namespace docking
