#include "docking/QVTControlBarInfo.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "platform/afx/WindowPlacementRecord.h"

namespace docking {

bool QVTControlBarInfo::TypeHasExtension(UINT type_id) {
  return type_id == kCustomToolBarTypeID || type_id == kMenuBarTypeID;
}

bool QVTControlBarInfo::IsDefaultDockBar() const {
  return m_bDockBar && m_bVisible && !m_bFloating && m_pointPos.x == -1 && m_pointPos.y == -1 &&
         m_arrBarID.size() <= 1;
}

bool QVTControlBarInfo::HasMDIChildPlacement() const {
  return m_bMDIChild && WindowPlacementRecord::IsValid(m_wpMDIChild);
}

std::string QVTControlBarInfo::PctWidthText(float width) {
  const double millionths = std::round(static_cast<double>(width) * 1000000.0);
  long long value = 0;
  if (millionths >= static_cast<double>(INT_MAX)) {
    value = INT_MAX;
  } else if (millionths <= static_cast<double>(INT_MIN)) {
    value = INT_MIN;
  } else if (!std::isnan(millionths)) {
    value = static_cast<long long>(millionths);
  }
  return std::to_string(value);
}

float QVTControlBarInfo::PctWidthFromText(const std::string& text) {
  errno = 0;
  long long millionths = std::strtoll(text.c_str(), nullptr, 10);
  if (errno == ERANGE || millionths > INT_MAX) millionths = millionths < 0 ? 0 : INT_MAX;
  if (millionths <= 0) return 0.0f;
  // Divided in double and rounded once to float: the nearest float to the
  // stored text, which then stores as the same text again.
  return static_cast<float>(static_cast<double>(millionths) / 1000000.0);
}

}  // namespace docking
