// The modal loop of a press on a scroll bar. It holds the capture and
// takes the mouse messages itself; everything else is dispatched, so the
// owner repaints while it scrolls.
#include <algorithm>

#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/RawInput.h"
#include "platform/ui/ScrollBars.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/Painting.h"
#include "platform/ui/internal/ScrollBarLayout.h"
#include "platform/ui/internal/ScrollBarWindows.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

namespace {

using Part = ScrollBarLayout::Part;

// A held arrow or track repeats after a pause, then quickly.
constexpr UINT_PTR kRepeatTimer = 0xFFF5;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 50;
// The client mouse messages, which the loop keeps from the windows below.
constexpr UINT kFirstMouseMessage = 0x0200;
constexpr UINT kLastMouseMessage = 0x020E;

int RequestFor(Part part) {
  switch (part) {
    case Part::kLineUp: return SB_LINEUP;
    case Part::kLineDown: return SB_LINEDOWN;
    case Part::kPageUp: return SB_PAGEUP;
    case Part::kPageDown: return SB_PAGEDOWN;
    default: return SB_ENDSCROLL;
  }
}

class Tracker {
 public:
  Tracker(HWND hwnd, int bar) : hwnd_(hwnd), bar_(bar), vertical_(IsVerticalBar(hwnd, bar)) {
    RECT window;
    GetWindowRect(hwnd, &window);
    origin_ = POINT{window.left, window.top};
    rect_ = ScrollBarRect(hwnd, bar);
    if (bar == SB_CTL) {
      owner_ = GetParent(hwnd);
      control_ = hwnd;
    } else {
      owner_ = hwnd;
    }
  }

  void Run(POINT screen) {
    mouse_ = screen;
    const POINT at = Local(screen);
    const ScrollBarLayout layout(rect_, vertical_, ScrollBarStateOf(hwnd_, bar_));
    part_ = layout.HitTest(at);
    if (part_ == Part::kNone || !owner_) return;
    if (part_ == Part::kThumb) grab_ = Along(at) - Along(POINT{layout.thumb().left, layout.thumb().top});
    SetPressed(static_cast<int>(part_));
    SetCapture(hwnd_);
    if (part_ == Part::kThumb) BeginThumb();
    else {
      Request(RequestFor(part_), 0);
      SetTimer(hwnd_, kRepeatTimer, kFirstRepeatMs, nullptr);
    }
    Loop();
    KillTimer(hwnd_, kRepeatTimer);
    if (GetCapture() == hwnd_) ReleaseCapture();
    if (!IsWindow(hwnd_)) return;
    if (part_ == Part::kThumb) EndThumb();
    SetPressed(0);
    Request(SB_ENDSCROLL, 0);
  }

 private:
  POINT Local(POINT screen) const { return POINT{screen.x - origin_.x, screen.y - origin_.y}; }
  int Along(POINT p) const { return vertical_ ? p.y : p.x; }

  void Loop() {
    MSG msg;
    while (IsWindow(hwnd_) && GetCapture() == hwnd_) {
      const int got = GetMessage(&msg, nullptr, 0, 0);
      if (got == 0) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop ends too
        return;
      }
      if (got < 0) return;
      if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) return;
      if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        GetCursorPos(&mouse_);
        if (part_ == Part::kThumb) FollowThumb();
        continue;
      }
      if (msg.message == WM_TIMER && msg.hwnd == hwnd_ && msg.wParam == kRepeatTimer) {
        Repeat();
        continue;
      }
      if (msg.message >= kFirstMouseMessage && msg.message <= kLastMouseMessage) continue;
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }

  // The request goes again only while the mouse is over the part pressed;
  // for the track, only while the thumb has not reached the mouse.
  void Repeat() {
    SetTimer(hwnd_, kRepeatTimer, kRepeatMs, nullptr);
    const ScrollBarLayout layout(rect_, vertical_, ScrollBarStateOf(hwnd_, bar_));
    if (layout.HitTest(Local(mouse_)) == part_) Request(RequestFor(part_), 0);
  }

  void BeginThumb() {
    LockedWindow record(hwnd_);
    if (!record) return;
    record->scroll_bars[bar_].tracking = true;
    record->scroll_bars[bar_].track_pos = record->scroll_bars[bar_].pos;
  }

  void FollowThumb() {
    const ScrollBarState state = ScrollBarStateOf(hwnd_, bar_);
    const ScrollBarLayout layout(rect_, vertical_, state);
    const int track_start = Along(POINT{layout.track().left, layout.track().top});
    const int pos = layout.PositionForThumbOffset(Along(Local(mouse_)) - grab_ - track_start);
    if (pos == state.track_pos) return;
    {
      LockedWindow record(hwnd_);
      if (!record) return;
      record->scroll_bars[bar_].track_pos = pos;
    }
    Repaint();
    Request(SB_THUMBTRACK, pos);
  }

  void EndThumb() {
    int pos;
    {
      LockedWindow record(hwnd_);
      if (!record) return;
      record->scroll_bars[bar_].tracking = false;
      pos = record->scroll_bars[bar_].track_pos;
    }
    Request(SB_THUMBPOSITION, pos);
  }

  void SetPressed(int part) {
    {
      LockedWindow record(hwnd_);
      if (!record) return;
      record->scroll_bars[bar_].pressed_part = part;
    }
    Repaint();
  }

  void Repaint() {
    if (bar_ == SB_CTL) {
      InvalidateRect(hwnd_, nullptr, FALSE);
    } else {
      const RECT none{0, 0, 0, 0};
      RedrawRegion(hwnd_, &none, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
    }
  }

  void Request(int code, int pos) {
    if (!IsWindow(owner_)) return;
    const WPARAM wParam = MAKEWPARAM(static_cast<unsigned>(code), static_cast<unsigned>(pos) & 0xFFFF);
    SendMessage(owner_, vertical_ ? WM_VSCROLL : WM_HSCROLL, wParam, reinterpret_cast<LPARAM>(control_));
  }

  HWND hwnd_;
  int bar_;
  bool vertical_;
  POINT origin_{};
  RECT rect_{};
  HWND owner_ = nullptr;
  HWND control_ = nullptr;
  Part part_ = Part::kNone;
  int grab_ = 0;  // where along the thumb it was taken
  POINT mouse_{};
};

}  // namespace

void TrackScrollBar(HWND hwnd, int bar, POINT screen) {
  if (GetCapture() && GetCapture() != hwnd) return;  // someone else holds the mouse
  Tracker(hwnd, bar).Run(screen);
}

}  // namespace ui::internal
