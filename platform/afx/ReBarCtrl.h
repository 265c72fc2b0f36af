// CReBarCtrl: typed access to a rebar control's messages.
#pragma once

#include "platform/afx/Wnd.h"
#include "platform/ui/ControlMessages.h"

namespace afx {

class CReBarCtrl : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  UINT GetBandCount() const;
  // Fills the members `info->fMask` asks for.
  BOOL GetBandInfo(UINT band, ::ui::REBARBANDINFO* info) const;
  BOOL SetBandInfo(UINT band, const ::ui::REBARBANDINFO* info) const;
  // At `band`, or after the last band for -1.
  BOOL InsertBand(UINT band, const ::ui::REBARBANDINFO* info) const;
  BOOL DeleteBand(UINT band) const;
  UINT GetBarHeight() const;
  UINT GetRowCount() const;
  BOOL GetRect(UINT band, RECT* rect) const;
};

}  // namespace afx
