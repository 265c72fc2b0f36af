// CToolBarCtrl: typed access to a toolbar control's messages.
#pragma once

#include <string>

#include "platform/afx/Wnd.h"
#include "platform/ui/ControlMessages.h"

namespace afx {

class CToolBarCtrl : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  void SetButtonStructSize(int size) const { SendMessage(TB_BUTTONSTRUCTSIZE, static_cast<WPARAM>(size)); }
  BOOL SetBitmapSize(SIZE size) const;
  BOOL SetButtonSize(SIZE size) const;
  // The index of the bitmap's first image, -1 on failure.
  int AddBitmap(int image_count, HBITMAP bitmap) const;
  BOOL ReplaceBitmap(HBITMAP old_bitmap, HBITMAP new_bitmap, int image_count) const;
  BOOL AddButtons(int count, const ::ui::TBBUTTON* buttons) const;
  BOOL InsertButton(int index, const ::ui::TBBUTTON* button) const;
  BOOL DeleteButton(int index) const;
  BOOL GetButton(int index, ::ui::TBBUTTON* button) const;
  int GetButtonCount() const;
  int CommandToIndex(UINT id) const;
  BOOL GetItemRect(int index, RECT* rect) const;
  BOOL SetState(UINT id, UINT state) const;
  int GetState(UINT id) const;
  // Texts, one after another, each ending in a zero and the list in a second one.
  int AddStrings(const char* strings) const;
  // Where the control sends its commands; returns the window it sent them to before.
  HWND SetOwner(CWnd* owner) const;
};

}  // namespace afx
