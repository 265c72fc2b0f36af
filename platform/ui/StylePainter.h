// The one painter of the classic 3-D look. Every control, bar and
// non-client frame paints its edges, faces, grippers and caption bands
// here, with the colours and metrics of the system table (SystemMetrics.h),
// so the whole desktop changes together when the table does.
#pragma once

#include <span>
#include <string_view>

#include "platform/ui/GdiTypes.h"

namespace ui {

class StylePainter {
 public:
  enum class Frame {
    kRaised,       // a button or window edge: light outside top-left, dark outside bottom-right
    kSunken,       // WS_EX_CLIENTEDGE: two pixels, shadow then dark shadow top-left
    kSunkenThin,   // WS_EX_STATICEDGE, status panes: one pixel of shadow and highlight
    kRaisedThin,   // a toolbar button under the mouse, a control bar's border
    kEtched,       // group boxes and separators: a groove
    kWindow,       // a dialog frame: the raised edge and a face-coloured row inside it
    kThickFrame,   // a sizing frame: the raised edge and two face-coloured rows inside it
  };
  // Pixels one frame of `kind` takes from each side.
  static int FrameThickness(Frame kind);
  // Paints the frame inside `rect` and returns the rectangle inside it.
  static RECT PaintFrame(HDC hdc, const RECT& rect, Frame kind);
  // The two-colour rectangle outline every edge is made of: `top_left`
  // on the top and left rows, `bottom_right` on the others.
  static void PaintBevel(HDC hdc, const RECT& rect, COLORREF top_left, COLORREF bottom_right);
  // DrawEdge's rules (BDR_ and BF_ flags); returns the rectangle inside.
  static RECT PaintEdge(HDC hdc, const RECT& rect, UINT edge, UINT flags);

  struct ButtonState {
    bool pressed = false;
    bool checked = false;    // a latched toolbar button: pressed look over a dithered face
    bool is_default = false;  // the dark outline of the default push button
    bool flat = false;       // a toolbar button at rest: no edge at all
    bool hot = false;        // a flat button under the mouse: the thin raised edge
  };
  // The face and edges of a push button; returns the area for its label
  // (moved one pixel right and down while pressed).
  static RECT PaintButtonFace(HDC hdc, const RECT& rect, const ButtonState& state);
  // The label of a control: disabled text is embossed (highlight one
  // pixel down-right, shadow on top), as the classic look draws it.
  static void PaintLabel(HDC hdc, const RECT& rect, std::string_view text, UINT draw_text_flags, bool enabled);
  static void PaintCheckBox(HDC hdc, const RECT& box, bool checked, bool enabled);
  static void PaintRadioButton(HDC hdc, const RECT& box, bool checked, bool enabled);

  // The grip of a control bar: two thin raised bars along the bar's
  // leading edge (vertical bars when `vertical` is false: the grip runs
  // across a horizontal bar).
  static void PaintGripper(HDC hdc, const RECT& rect, bool vertical);
  // The sizing grip in a status bar's corner: diagonal highlight and shadow lines.
  static void PaintSizeGrip(HDC hdc, const RECT& rect);

  enum class CaptionButton { kClose, kMinimize, kMaximize, kRestore, kHelp };
  // A caption: the band in the active or inactive caption colours (a
  // gradient from the caption colour to its gradient colour), the title in
  // the caption font (the small caption font for tool windows), clipped
  // with an ellipsis before the buttons at the right.
  // `reserved_right` pixels at the right are left to the caption buttons.
  static void PaintCaptionBand(HDC hdc, const RECT& rect, std::string_view title, bool active, bool tool_window,
                               int reserved_right = 0);
  static void PaintCaptionButton(HDC hdc, const RECT& rect, CaptionButton kind, bool pushed, bool enabled);
  enum class Arrow { kUp, kDown, kLeft, kRight };
  static void PaintScrollArrow(HDC hdc, const RECT& rect, Arrow direction, bool pushed, bool enabled);
  // A scroll bar's track: the dithered highlight and face.
  static void PaintScrollTrack(HDC hdc, const RECT& rect);
  // A filled triangle pointing `direction`, centred in `rect`.
  static void PaintArrowGlyph(HDC hdc, const RECT& rect, Arrow direction, COLORREF color);

  // The dotted focus outline (inverted, so a second call erases it).
  static void PaintFocusRect(HDC hdc, const RECT& rect);
  // A rectangle in one colour, and a one-pixel outline in one colour.
  static void FillSolid(HDC hdc, const RECT& rect, COLORREF color);
  static void FrameSolid(HDC hdc, const RECT& rect, COLORREF color);
  // A drag outline of `thickness` pixels in the screen-aligned halftone,
  // by PATINVERT: drawing it twice erases it.
  static void PaintDragOutline(HDC hdc, const RECT& rect, int thickness);

  // A menu item's check mark (or the dot of a radio item) centred in `box`.
  static void PaintMenuCheck(HDC hdc, const RECT& box, bool bullet, COLORREF color);
  // A menu separator: an etched line across the middle of `rect`.
  static void PaintMenuSeparator(HDC hdc, const RECT& rect);

  // A notebook tab hanging below its page: `outline` runs down the tab's
  // left side, along its bottom and up its right side, and its open top
  // joins the page. The face colour inside, the highlight on the left, the
  // shadow and the dark shadow along the bottom and the right.
  static void PaintHangingTab(HDC hdc, std::span<const POINT> outline);

  // A tab of a tab control: the raised edge on the left, top and right
  // with its upper corners cut, open at the bottom where it joins its
  // panel; the face inside. Returns the area for its label.
  static RECT PaintTab(HDC hdc, const RECT& rect);
};

}  // namespace ui
