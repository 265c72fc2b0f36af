// A plug-in of the framework's frame: an object the frame creates by class
// name while it creates its window (the menu bar's feature, or the bitmap
// menus when there is no menu bar), which sees the frame's messages first.
// Classes that are not built into the program are simply not found, so a
// plug-in comes with its own class and the frame never changes for it.
#pragma once

#include "platform/afx/Object.h"

namespace docking {

class QVTFrameWnd;

class QVTFramePlugIn : public afx::CObject {
  DECLARE_DYNAMIC(QVTFramePlugIn)
 public:
  // FALSE refuses the frame; the frame then deletes the plug-in.
  virtual ui::BOOL Attach(QVTFrameWnd* frame) {
    frame_ = frame;
    return ui::TRUE;
  }
  // TRUE when the plug-in handled the message; `result` is then the answer.
  virtual ui::BOOL OnFrameMessage(ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam, ui::LRESULT* result) {
    (void)message, (void)wParam, (void)lParam, (void)result;
    return ui::FALSE;
  }
  virtual ui::BOOL PreTranslateMessage(ui::MSG* msg) {
    (void)msg;
    return ui::FALSE;
  }
  // After the frame has initialised a popup menu.
  virtual void OnInitMenuPopup(ui::WPARAM wParam, ui::LPARAM lParam) { (void)wParam, (void)lParam; }

 protected:
  QVTFrameWnd* frame_ = nullptr;
};

}  // namespace docking
