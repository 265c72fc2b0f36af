#include "docking/QVTDockSides.h"

namespace docking {

namespace {

constexpr QVTDockSideEntry kSides[] = {
    {kDockBarTop, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM, QVTDockSide::kTop},
    {kDockBarBottom, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP, QVTDockSide::kBottom},
    {kDockBarLeft, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT, QVTDockSide::kLeft},
    {kDockBarRight, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT, QVTDockSide::kRight},
};

}  // namespace

std::span<const QVTDockSideEntry> QVTDockSides::Table() { return kSides; }

const QVTDockSideEntry* QVTDockSides::SideForAlignment(sys::DWORD style) {
  const sys::DWORD alignment = style & CBRS_ALIGN_ANY;
  for (const QVTDockSideEntry& side : kSides) {
    if ((side.style & CBRS_ALIGN_ANY) == alignment) {
      return &side;
    }
  }
  for (const QVTDockSideEntry& side : kSides) {
    if ((side.style & alignment) != 0) {
      return &side;
    }
  }
  return nullptr;
}

const QVTDockSideEntry* QVTDockSides::LastSideMatching(sys::DWORD style) {
  const QVTDockSideEntry* found = nullptr;
  for (const QVTDockSideEntry& side : kSides) {
    if ((side.style & style & CBRS_ALIGN_ANY) != 0) {
      found = &side;
    }
  }
  return found;
}

const QVTDockSideEntry* QVTDockSides::SideForId(sys::UINT dockBarId) {
  for (const QVTDockSideEntry& side : kSides) {
    if (side.dockBarId == dockBarId) {
      return &side;
    }
  }
  return nullptr;
}

}  // namespace docking
