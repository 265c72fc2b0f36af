// CReBar: a control bar that is a rebar control, holding other bars (or
// any windows) in its bands. The frame lays it out along its edge at the
// height of its rows.
#pragma once

#include "platform/afx/ControlBar.h"
#include "platform/afx/ReBarCtrl.h"

namespace afx {

constexpr UINT AFX_IDW_REBAR = 0xE804;

class CReBar : public CControlBar {
  DECLARE_DYNAMIC(CReBar)
 public:
  CReBar();

  BOOL Create(CWnd* parent, DWORD rebar_style = RBS_BANDBORDERS,
              DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
              UINT id = AFX_IDW_REBAR);
  // A band holding `bar` at the size its layout asks for (a control bar's
  // fixed layout for the rebar's orientation, else its window's size).
  BOOL AddBar(CWnd* bar, const char* text = nullptr, HBITMAP background = nullptr,
              DWORD band_style = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
  CReBarCtrl& GetReBarCtrl() const;

  // The width on offer (or all of it when stretched) by the height of the rows.
  SIZE CalcFixedLayout(BOOL stretch, BOOL horizontal) override;

 protected:
  // The control paints its bands; the bar adds nothing of its own.
  LRESULT OnPaintMessage(WPARAM wParam, LPARAM lParam);

 private:
  // A view on this bar's own window for the control's typed messages; it
  // never owns the window.
  mutable CReBarCtrl m_control;

  DECLARE_MESSAGE_MAP()
};

}  // namespace afx
