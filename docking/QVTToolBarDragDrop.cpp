#include "docking/QVTToolBarDragDrop.h"

#include <algorithm>

#include "docking/QVTCustomToolBar.h"
#include "docking/QVTToolBarDrawingData.h"
#include "docking/QVTToolBarManager.h"
#include "docking/QVTToolBarRectTracker.h"
#include "platform/afx/ControlBarStyles.h"
#include "platform/afx/FrameWnd.h"
#include "platform/afx/MiniDockFrameWnd.h"
#include "platform/ui/NonClient.h"
#include "platform/ui/SystemMetrics.h"

namespace docking {

BOOL QVTToolBarDragDrop::s_altDragging = FALSE;
const QVTCustomToolBar* QVTToolBarDragDrop::s_source = nullptr;

namespace {

// The frame of the tool window a new bar floats in.
constexpr DWORD kToolWindowStyle = 0x80CC0000;
constexpr DWORD kToolWindowExStyle = 0x180;

// Sets a flag for the length of a scope and puts the old value back.
template <typename T>
class Raised {
 public:
  Raised(T& flag, T value) : flag_(flag), old_(flag) { flag_ = value; }
  ~Raised() { flag_ = old_; }
  Raised(const Raised&) = delete;
  Raised& operator=(const Raised&) = delete;

 private:
  T& flag_;
  T old_;
};

QVTCustomToolBar* ToolBarOf(HWND hwnd) { return dynamic_cast<QVTCustomToolBar*>(afx::CWnd::FromHandlePermanent(hwnd)); }

// The first custom toolbar among a window's descendants.
QVTCustomToolBar* ToolBarInside(HWND parent) {
  for (HWND child = ui::GetWindow(parent, ui::GW_CHILD); child; child = ui::GetWindow(child, ui::GW_HWNDNEXT)) {
    if (QVTCustomToolBar* bar = ToolBarOf(child)) return bar;
    if (QVTCustomToolBar* bar = ToolBarInside(child)) return bar;
  }
  return nullptr;
}

}  // namespace

BOOL QVTToolBarDragDrop::Drag(int index, POINT point) {
  QVTStdBtn* button = source_.GetButton(index);
  if (!button || !button->CanDrag()) return TRUE;
  source_.SelectButton(index, TRUE);
  const BOOL copy = source_.IsCopyDrag();
  // The source stays alive until the drag is over, however the drop
  // leaves it.
  Raised<const QVTCustomToolBar*> source(s_source, &source_);
  QVTToolBarRectTracker tracker(button->GetRect(), copy);
  const BOOL moved = tracker.Track(&source_, point);
  // The mouse left the button's prompt behind while it was held.
  if (afx::CFrameWnd* frame = source_.GetDockingFrame()) frame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
  if (!moved) return TRUE;
  RECT screen = tracker.m_rect;
  source_.ClientToScreen(&screen);
  if (QVTCustomToolBar* target = FindTarget(screen)) return DropOnTarget(*target, screen, button, copy);
  return DropOnNothing(screen, button, copy);
}

BOOL QVTToolBarDragDrop::AltDrag(int index, POINT point) {
  BOOL result = TRUE;
  {
    Raised<BOOL> alt(s_altDragging, TRUE);
    result = Drag(index, point);
  }
  // Outside customise mode nothing stays selected.
  QVTToolBarManager* manager = source_.GetManager();
  if (QVTCustomToolBar* selected = manager ? manager->GetSelectionBar() : nullptr) selected->ClearSelection(TRUE);
  return result;
}

QVTCustomToolBar* QVTToolBarDragDrop::FindTarget(const RECT& screen) const {
  if (QVTToolBarManager* manager = source_.GetManager())
    if (QVTCustomToolBar* bar = manager->BarFromRect(screen)) return bar;
  for (const POINT corner : {POINT{screen.left, screen.top}, POINT{screen.right, screen.top},
                             POINT{screen.left, screen.bottom}, POINT{screen.right, screen.bottom}})
    if (QVTCustomToolBar* bar = ToolBarAt(corner)) return bar;
  return nullptr;
}

QVTCustomToolBar* QVTToolBarDragDrop::ToolBarAt(POINT screen) {
  const HWND under = ui::WindowFromPoint(screen);
  if (!under) return nullptr;
  for (HWND hwnd = under; hwnd; hwnd = ui::GetAncestor(hwnd, ui::GA_PARENT))
    if (QVTCustomToolBar* bar = ToolBarOf(hwnd)) return bar;
  // Over a floating frame: the toolbar docked in it.
  const HWND root = ui::GetAncestor(under, ui::GA_ROOT);
  if (dynamic_cast<afx::CMiniDockFrameWnd*>(afx::CWnd::FromHandlePermanent(root))) return ToolBarInside(root);
  return nullptr;
}

BOOL QVTToolBarDragDrop::DropOnTarget(QVTCustomToolBar& target, RECT screen, QVTStdBtn* button, BOOL copy) {
  if ((source_.m_dwDragFlags & QVTCustomToolBar::kDragInsideOnly) && &target != &source_) return TRUE;
  if (!target.AcceptsDrop()) return TRUE;
  target.ScreenToClient(&screen);
  return target.DropButton(screen, button, copy, FALSE);
}

BOOL QVTToolBarDragDrop::DropOnNothing(const RECT& screen, QVTStdBtn* button, BOOL copy) {
  QVTToolBarManager* manager = source_.GetManager();
  RECT overlap;
  const RECT no_drop = manager ? manager->GetNoDropRect() : RECT{0, 0, 0, 0};
  if (ui::IntersectRect(&overlap, &screen, &no_drop)) return TRUE;
  if (copy) return CopyToNewBar(screen, button->m_nID);
  source_.ClearSelection(FALSE);
  const int at = source_.ButtonToIndex(button);
  if (at < 0) return FALSE;
  // Removing the last button of a user bar ends that bar, after the drag.
  source_.RemoveButton(at, FALSE);
  return TRUE;
}

BOOL QVTToolBarDragDrop::CopyToNewBar(const RECT& screen, UINT id) {
  QVTToolBarManager* manager = source_.GetManager();
  afx::CFrameWnd* frame = manager ? manager->GetFrameWnd() : nullptr;
  QVTCustomToolBar* bar = frame ? manager->CreateNewToolBar(nullptr) : nullptr;
  if (!bar) return FALSE;
  bar->InsertButton(bar->GetButtonCount(), id, FALSE, TRUE);
  if (!s_altDragging) bar->SelectButton(bar->GetButtonCount() - 1, FALSE);
  // The frame's own float operation: the framework's frame keeps it on
  // the work area and remembers it in the layout.
  frame->FloatControlBar(bar, NewBarPosition(*bar, POINT{screen.left, screen.top}), afx::CBRS_ALIGN_TOP);
  KeepOnWorkArea(*bar);
  return TRUE;
}

POINT QVTToolBarDragDrop::NewBarPosition(const QVTCustomToolBar& bar, POINT drop) const {
  // The button lands where its outline was: the frame, the bar's borders
  // and the button's own border lie above and to the left of it.
  RECT frame{0, 0, 0, 0};
  ui::AdjustWindowRectEx(&frame, kToolWindowStyle, FALSE, kToolWindowExStyle);
  const ToolkitDrawingData& data = ToolkitDrawingData::Get();
  return POINT{drop.x + frame.left - bar.m_cxLeftBorder - data.cxBorder2,
               drop.y + frame.top - bar.m_cyTopBorder - data.cyBorder2};
}

void QVTToolBarDragDrop::KeepOnWorkArea(QVTCustomToolBar& bar) {
  // A bar dropped at the screen's edge comes whole onto the work area, not
  // only partly as a bar dragged there by hand.
  auto* floating = dynamic_cast<afx::CMiniDockFrameWnd*>(bar.GetParentFrame());
  if (!floating || !bar.IsFloating()) return;
  RECT work{}, rect{};
  ui::SystemParametersInfo(ui::SPI_GETWORKAREA, 0, &work, 0);
  floating->GetWindowRect(&rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  const POINT kept{std::clamp(rect.left, work.left, std::max(work.left, work.right - width)),
                   std::clamp(rect.top, work.top, std::max(work.top, work.bottom - height))};
  if (kept.x != rect.left || kept.y != rect.top) floating->MoveTo(kept);
}

}  // namespace docking
