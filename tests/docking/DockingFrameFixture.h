// An 800 x 600 docking frame on the headless screen with two sizable bars
// and a toolbar-like bar, and the helpers the mouse scripts need: where a
// window is on the screen, pumping the loop, dragging with modifiers.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "docking/QVTControlBar.h"
#include "docking/QVTDockBar.h"
#include "docking/QVTFrameWnd.h"
#include "platform/ui/HeadlessInput.h"
#include "tests/platform/afx/AfxFixture.h"

namespace docking::test {

using ui::HWND;

// Ids of the sample bars.
constexpr UINT kOutputBarId = 0xE803;
constexpr UINT kFilesBarId = kOutputBarId + 1;
constexpr UINT kToolBarId = kOutputBarId + 2;
constexpr UINT kNotesBarId = kOutputBarId + 3;

class DockingFrameFixture : public afx::test::AfxFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A bar of the framework, docked on the side of `side_style`.
  QVTControlBar* MakeBar(const char* name, UINT id, DWORD side_style, DWORD ex_style, SIZE horizontal,
                         SIZE vertical, SIZE floating);
  static void Pump();
  static RECT ScreenRect(const afx::CWnd* wnd);
  static RECT ScreenRect(HWND hwnd);
  static POINT Centre(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }
  // The frame's client area on the screen.
  RECT ClientOnScreen() const;
  QVTDockBar* DockBar(UINT id) const;
  // A drag with the left button, Ctrl held when asked.
  static void Drag(POINT from, POINT to, bool ctrl = false);
  // The floating frame a bar sits in (null when docked).
  static HWND FloatingFrameOf(const afx::CControlBar* bar);
  // A point on a floating frame's caption.
  static POINT CaptionPoint(HWND frame);

  QVTFrameWnd* frame = nullptr;
  HWND frame_hwnd = nullptr;
  QVTControlBar* output = nullptr;  // sizable, bottom
  QVTControlBar* files = nullptr;   // sizable, right
  QVTControlBar* tools = nullptr;   // toolbar-like, top, alone in its row
};

}  // namespace docking::test
