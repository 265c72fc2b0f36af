// Input as a user would give it, posted to the calling thread's windows:
// keys go to the focus, clicks to the window under a point. Used by
// scripted steps of the headless host.
#pragma once

#include <string>

#include "platform/ui/RawInput.h"
#include "platform/ui/Types.h"

namespace ui {

// Key down and up for `virtual_key` at the focus (else the active
// window), with Shift, Ctrl (and Alt) held around it as `modifiers` says
// (the accelerator flags FSHIFT, FCONTROL, FALT). FALSE with no target.
BOOL PostKeyPress(WPARAM virtual_key, BYTE modifiers = 0);
// WM_CHAR for each character, at the focus.
BOOL PostText(const std::string& text);
// A left click at `client` of `window`, delivered to the deepest visible
// child under it. A disabled target takes no click: FALSE.
BOOL PostClick(HWND window, POINT client);

// Raw input at screen points, as a mouse and a keyboard give it: queued
// through the host and routed by the loop of the thread it reaches (hit
// testing, capture, activation, double clicks), so a test reads as an input
// script. A step may be a whole gesture: each raw event is routed only once
// the messages of the one before it were taken.
void InjectMouseMove(POINT screen);
void InjectButtonDown(POINT screen, MouseButton button = MouseButton::kLeft);
void InjectButtonUp(POINT screen, MouseButton button = MouseButton::kLeft);
// Down and up at one point.
void InjectClick(POINT screen, MouseButton button = MouseButton::kLeft);
// Two clicks at one point with no time between them.
void InjectDoubleClick(POINT screen);
// Down at `from`, moves in `steps` even steps to `to`, up at `to`.
void InjectDrag(POINT from, POINT to, int steps = 4, MouseButton button = MouseButton::kLeft);
void InjectWheel(POINT screen, int delta);
// Key down and up, with Shift, Ctrl and Alt (FSHIFT, FCONTROL, FALT) held
// around it.
void InjectKeyPress(WPARAM virtual_key, BYTE modifiers = 0);
void InjectKeyDown(WPARAM virtual_key);
void InjectKeyUp(WPARAM virtual_key);

}  // namespace ui
