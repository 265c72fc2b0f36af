// The MDI demo's resources: the frame's menu and the menus of its two
// kinds of document (text and plot), their strings, and a toolbar with
// images of its own.
#pragma once

#include "platform/ui/Types.h"

namespace mdidemo {

constexpr ui::UINT kFrameResource = 1;
constexpr ui::UINT kTextResource = 2;
constexpr ui::UINT kPlotResource = 3;
constexpr ui::UINT kToolBarId = 0xE820;

constexpr ui::UINT kCmdNewText = 32771;
constexpr ui::UINT kCmdNewPlot = 32772;
constexpr ui::UINT kCmdUndo = 32773;
constexpr ui::UINT kCmdAxes = 32774;
constexpr ui::UINT kCmdGrid = 32775;
constexpr ui::UINT kCmdWindowCascade = 0xE132;
constexpr ui::UINT kCmdWindowTile = 0xE133;
constexpr ui::UINT kCmdExit = 0xE141;

void RegisterMdiDemoResources();

}  // namespace mdidemo
