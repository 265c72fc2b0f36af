#include "platform/afx/ToolBarCtrl.h"

namespace afx {

namespace {
LPARAM SizeParam(SIZE size) { return MAKELPARAM(static_cast<unsigned>(size.cx), static_cast<unsigned>(size.cy)); }
}  // namespace

BOOL CToolBarCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (!CWnd::Create("ToolbarWindow32", "", style, rect, parent, id)) return FALSE;
  SetButtonStructSize(sizeof(::ui::TBBUTTON));
  return TRUE;
}

BOOL CToolBarCtrl::SetBitmapSize(SIZE size) const {
  return static_cast<BOOL>(SendMessage(TB_SETBITMAPSIZE, 0, SizeParam(size)));
}

BOOL CToolBarCtrl::SetButtonSize(SIZE size) const {
  return static_cast<BOOL>(SendMessage(TB_SETBUTTONSIZE, 0, SizeParam(size)));
}

int CToolBarCtrl::AddBitmap(int image_count, HBITMAP bitmap) const {
  ::ui::TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(bitmap)};
  return static_cast<int>(SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(image_count), reinterpret_cast<LPARAM>(&add)));
}

BOOL CToolBarCtrl::ReplaceBitmap(HBITMAP old_bitmap, HBITMAP new_bitmap, int image_count) const {
  ::ui::TBREPLACEBITMAP replace{nullptr, reinterpret_cast<UINT_PTR>(old_bitmap), nullptr,
                                reinterpret_cast<UINT_PTR>(new_bitmap), image_count};
  return static_cast<BOOL>(SendMessage(TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(&replace)));
}

BOOL CToolBarCtrl::AddButtons(int count, const ::ui::TBBUTTON* buttons) const {
  return static_cast<BOOL>(SendMessage(TB_ADDBUTTONS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(buttons)));
}

BOOL CToolBarCtrl::InsertButton(int index, const ::ui::TBBUTTON* button) const {
  return static_cast<BOOL>(SendMessage(TB_INSERTBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(button)));
}

BOOL CToolBarCtrl::DeleteButton(int index) const {
  return static_cast<BOOL>(SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(index)));
}

BOOL CToolBarCtrl::GetButton(int index, ::ui::TBBUTTON* button) const {
  return static_cast<BOOL>(SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(button)));
}

int CToolBarCtrl::GetButtonCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }

int CToolBarCtrl::CommandToIndex(UINT id) const { return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, id)); }

BOOL CToolBarCtrl::GetItemRect(int index, RECT* rect) const {
  return static_cast<BOOL>(SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}

BOOL CToolBarCtrl::SetState(UINT id, UINT state) const {
  return static_cast<BOOL>(SendMessage(TB_SETSTATE, id, MAKELPARAM(state, 0)));
}

int CToolBarCtrl::GetState(UINT id) const { return static_cast<int>(SendMessage(TB_GETSTATE, id)); }

int CToolBarCtrl::AddStrings(const char* strings) const {
  return static_cast<int>(SendMessage(TB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strings)));
}

HWND CToolBarCtrl::SetOwner(CWnd* owner) const {
  return reinterpret_cast<HWND>(
      SendMessage(TB_SETPARENT, reinterpret_cast<WPARAM>(owner ? owner->m_hWnd : nullptr)));
}

}  // namespace afx
