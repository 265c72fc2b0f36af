// POSITION: the framework's opaque iterator over its lists of documents
// and views; null means the end.
#pragma once

#include <cstddef>

namespace afx {

struct AfxPosition;
using POSITION = AfxPosition*;

// A position for index `i` of a list, and back.
inline POSITION PositionOfIndex(std::size_t i) { return reinterpret_cast<POSITION>(i + 1); }
inline std::size_t IndexOfPosition(POSITION position) { return reinterpret_cast<std::size_t>(position) - 1; }

}  // namespace afx
