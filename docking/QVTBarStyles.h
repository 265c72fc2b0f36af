// The bar style bits the docking algorithms read: the side a bar is aligned
// to, and the extended bits of the framework's own bars.
#pragma once

#include "platform/sys/Types.h"

namespace docking {

using sys::DWORD;

constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
constexpr DWORD CBRS_BORDER_LEFT = 0x0100;
constexpr DWORD CBRS_BORDER_TOP = 0x0200;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
constexpr DWORD CBRS_BORDER_ANY = 0x0F00;

// Extended style of QVTControlBar.
constexpr DWORD QVT_BARSTYLE_SIZABLE = 0x4;
constexpr DWORD QVT_BARSTYLE_ALONE_IN_ROW = 0x80;
constexpr DWORD QVT_BARSTYLE_OWN_BORDERS = 0x100;
constexpr DWORD QVT_BARSTYLE_GRIPPER = 0x200;

// The dock bars' child-window ids.
constexpr sys::UINT kDockBarTop = 0xE81B;
constexpr sys::UINT kDockBarLeft = 0xE81C;
constexpr sys::UINT kDockBarRight = 0xE81D;
constexpr sys::UINT kDockBarBottom = 0xE81E;
constexpr sys::UINT kDockBarFloat = 0xE81F;

}  // namespace docking
