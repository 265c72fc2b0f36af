#include "platform/afx/ReBarCtrl.h"

namespace afx {

BOOL CReBarCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create("ReBarWindow32", "", style, rect, parent, id);
}

UINT CReBarCtrl::GetBandCount() const { return static_cast<UINT>(SendMessage(RB_GETBANDCOUNT)); }

BOOL CReBarCtrl::GetBandInfo(UINT band, ::ui::REBARBANDINFO* info) const {
  return static_cast<BOOL>(SendMessage(RB_GETBANDINFO, band, reinterpret_cast<LPARAM>(info)));
}

BOOL CReBarCtrl::SetBandInfo(UINT band, const ::ui::REBARBANDINFO* info) const {
  return static_cast<BOOL>(SendMessage(RB_SETBANDINFO, band, reinterpret_cast<LPARAM>(info)));
}

BOOL CReBarCtrl::InsertBand(UINT band, const ::ui::REBARBANDINFO* info) const {
  return static_cast<BOOL>(
      SendMessage(RB_INSERTBAND, static_cast<WPARAM>(static_cast<INT_PTR>(static_cast<int>(band))),
                  reinterpret_cast<LPARAM>(info)));
}

BOOL CReBarCtrl::DeleteBand(UINT band) const { return static_cast<BOOL>(SendMessage(RB_DELETEBAND, band)); }

UINT CReBarCtrl::GetBarHeight() const { return static_cast<UINT>(SendMessage(RB_GETBARHEIGHT)); }

UINT CReBarCtrl::GetRowCount() const { return static_cast<UINT>(SendMessage(RB_GETROWCOUNT)); }

BOOL CReBarCtrl::GetRect(UINT band, RECT* rect) const {
  return static_cast<BOOL>(SendMessage(RB_GETRECT, band, reinterpret_cast<LPARAM>(rect)));
}

}  // namespace afx
