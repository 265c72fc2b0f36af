// QVTBtnCaption: the minimise, restore and close buttons of a maximised
// MDI child, shown as one button at the end of the MDI menu bar (the
// child's own caption is out of sight while it fills the client). A click
// on a part sends the matching system command to the child, never to the
// main frame.
#pragma once

#include "docking/QVTStdBtn.h"
#include "platform/ui/Types.h"

namespace docking {

class QVTBtnCaption : public QVTStdBtn {
 public:
  static constexpr int kType = 5;
  // The child's style bits the parts follow.
  static constexpr DWORD kCaptionStyles = 0xB0000;  // WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX
  enum Part { kNoPart = -1, kMinimize = 0, kRestore = 1, kClose = 2 };

  QVTBtnCaption();

  // The child's caption styles; TRUE when they differ from those shown.
  BOOL SetChildStyles(DWORD styles);
  DWORD GetChildStyles() const { return m_dwChildStyles; }
  // The part under a client point of the bar, kNoPart for none or for a
  // part that cannot be used.
  int HitTestPart(POINT point) const;
  int GetPressedPart() const { return m_nPressedPart; }
  // The tip code of the part under a point: 8 minimise, 9 restore,
  // 20 close, 0 none.
  int ToolTipCode(POINT point) const;
  // The system command of a part (SC_MINIMIZE, SC_RESTORE, SC_CLOSE).
  static WPARAM PartCommand(int part);

  BOOL CanDrag() const override { return FALSE; }
  void RecalcSize() override;
  void Draw(afx::CDC* dc, QVTButtonDrawContext& context) override;
  BOOL OnPress(POINT point) override;
  void OnTrack(POINT point) override;
  void OnCancel() override;
  // Posts the part's command to the active child; never a command of its own.
  UINT OnRelease(POINT point) override;

 private:
  RECT PartRect(int part) const;
  BOOL PartUsable(int part) const;
  void Release();

  DWORD m_dwChildStyles = kCaptionStyles;
  int m_cxPart;
  int m_cyPart;
  int m_nPressedPart = kNoPart;
};

}  // namespace docking
