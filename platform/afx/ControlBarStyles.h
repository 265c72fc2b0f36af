// The values the docking base and its users share: control-bar styles, the
// layout modes of a bar's dynamic layout, the dock bars' window ids, the
// floating frame's style bits, and the layout message a frame sends its bars.
#pragma once

#include "platform/afx/AfxIds.h"

namespace afx {

// Bar styles (the low word and bit 22 of a bar's own style word).
constexpr DWORD CBRS_FLOATING = 0x0001;
constexpr DWORD CBRS_SIZE_FIXED = 0x0002;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0004;
constexpr DWORD CBRS_HIDE_INPLACE = 0x0008;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_FLOAT_MULTI = 0x0040;
constexpr DWORD CBRS_BORDER_3D = 0x0080;
constexpr DWORD CBRS_BORDER_LEFT = 0x0100;
constexpr DWORD CBRS_BORDER_TOP = 0x0200;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
constexpr DWORD CBRS_BORDER_ANY = 0x0F00;
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
constexpr DWORD CBRS_ORIENT_HORZ = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM;
constexpr DWORD CBRS_ORIENT_VERT = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
constexpr DWORD CBRS_ORIENT_ANY = CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT;
constexpr DWORD CBRS_GRIPPER = 0x00400000;
constexpr DWORD CBRS_ALL = 0x0040FFFF;
constexpr DWORD CBRS_NOALIGN = 0;
constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;

// Layout modes of CalcDynamicLayout.
constexpr DWORD LM_STRETCH = 0x01;
constexpr DWORD LM_HORZ = 0x02;
constexpr DWORD LM_MRUWIDTH = 0x04;
constexpr DWORD LM_HORZDOCK = 0x08;
constexpr DWORD LM_VERTDOCK = 0x10;
constexpr DWORD LM_LENGTHY = 0x20;
constexpr DWORD LM_COMMIT = 0x40;

// Window ids of the dock bars and of the bar range RepositionBars covers.
constexpr UINT AFX_IDW_CONTROLBAR_FIRST = 0xE800;
constexpr UINT AFX_IDW_CONTROLBAR_LAST = 0xE8FF;
constexpr UINT AFX_IDW_DOCKBAR_LEFT = 0xE81C;
constexpr UINT AFX_IDW_DOCKBAR_RIGHT = 0xE81D;
constexpr UINT AFX_IDW_DOCKBAR_BOTTOM = 0xE81E;
constexpr UINT AFX_IDW_DOCKBAR_FLOAT = 0xE81F;

// Style bits of the floating frame (the class-specific low word).
constexpr DWORD MFS_SYNCACTIVE = 0x0100;
constexpr DWORD MFS_4THICKFRAME = 0x0200;
// Set with WS_THICKFRAME on the frame of a bar that may be resized.
constexpr DWORD MFS_THICKFRAME = 0x0400;
constexpr DWORD MFS_MOVEFRAME = 0x0800;
constexpr DWORD MFS_BLOCKSYSMENU = 0x1000;
// The sizable floating frame's bits: the thick frame and the mini-frame bit.
constexpr DWORD kSizableFloatFrame = WS_THICKFRAME | MFS_THICKFRAME;  // 0x40400

// The layout message: every bar takes its edge of the rectangle and leaves
// the rest; lParam is an AFX_SIZEPARENTPARAMS.
constexpr UINT WM_SIZEPARENT = 0x0361;

// Posted to a floating frame whose dock bar has been emptied: the frame
// destroys itself once whatever emptied it has returned, and only when it
// is still empty then.
constexpr UINT WM_RELEASEFLOATFRAME = 0x037E;

// Idle flags of a frame.
constexpr UINT idleMenu = 1;
constexpr UINT idleTitle = 2;
constexpr UINT idleNotify = 4;
constexpr UINT idleLayout = 8;

// The status-bar message that shows "Ready" and the fly-by texts.
constexpr UINT AFX_IDS_IDLEMESSAGE = 57345;

}  // namespace afx
