#include "platform/ui/internal/Frame.h"

#include <algorithm>

#include "platform/ui/Mdi.h"
#include "platform/ui/NonClient.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WindowStyles.h"

namespace ui::internal {

namespace {

// A sizing corner reaches this far along the edges next to it.
constexpr int kCornerReach = 16;
constexpr int kButtonMargin = 2;

bool Contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

// The sizes come from the system metrics table, so a frame measures what
// the style painter draws.
Frame::Frame(DWORD style, DWORD ex_style, bool has_menu) : style_(style), ex_style_(ex_style) {
  const int kThickFrame = GetSystemMetrics(SM_CXFRAME);
  const int kDialogFrame = GetSystemMetrics(SM_CXDLGFRAME);
  const int kThinBorder = GetSystemMetrics(SM_CXBORDER);
  const int kCaption = GetSystemMetrics(SM_CYCAPTION);
  const int kSmallCaption = GetSystemMetrics(SM_CYSMCAPTION);
  const int kMenuBar = GetSystemMetrics(SM_CYMENU);
  const int kScrollBar = GetSystemMetrics(SM_CXVSCROLL);
  const int kClientEdge = GetSystemMetrics(SM_CXEDGE);
  constexpr int kStaticEdge = 1;
  const bool child = (style & WS_CHILD) != 0;
  const bool has_caption = (style & WS_CAPTION) == WS_CAPTION;
  const bool tool = (ex_style & WS_EX_TOOLWINDOW) != 0;
  sizable_ = (style & WS_THICKFRAME) != 0;
  if (sizable_) border_ = kThickFrame;
  else if ((style & WS_DLGFRAME) || (ex_style & WS_EX_DLGMODALFRAME)) border_ = kDialogFrame;
  else if (style & WS_BORDER) border_ = kThinBorder;
  if (has_caption) caption_ = tool ? kSmallCaption : kCaption;
  if (has_menu && !child) menu_bar_ = kMenuBar;
  if (ex_style & WS_EX_CLIENTEDGE) edge_ = kClientEdge;
  else if (ex_style & WS_EX_STATICEDGE) edge_ = kStaticEdge;
  if (style & WS_VSCROLL) vscroll_ = kScrollBar;
  if (style & WS_HSCROLL) hscroll_ = kScrollBar;
  // Caption buttons fill the band but a margin above and below.
  button_height_ = std::max(caption_ - 2 * kButtonMargin - 1, 0);
  button_width_ = button_height_ + 2;
}

RECT Frame::ClientRect(const RECT& window) const {
  RECT client{window.left + border_ + edge_, window.top + border_ + caption_ + menu_bar_ + edge_,
              window.right - border_ - edge_ - vscroll_, window.bottom - border_ - edge_ - hscroll_};
  // A window too small for its frame has an empty client area at its origin.
  client.right = std::max(client.right, client.left);
  client.bottom = std::max(client.bottom, client.top);
  return client;
}

RECT Frame::WindowRect(const RECT& client) const {
  return RECT{client.left - border_ - edge_, client.top - border_ - caption_ - menu_bar_ - edge_,
              client.right + border_ + edge_ + vscroll_, client.bottom + border_ + edge_ + hscroll_};
}

RECT Frame::CaptionRect(int width) const {
  if (!caption_) return RECT{};
  return RECT{border_, border_, width - border_, border_ + caption_ - 1};  // the last line separates
}

RECT Frame::SystemMenuButton(int width) const {
  // Tool windows and modal dialog frames show no system menu icon.
  if (!caption_ || !(style_ & WS_SYSMENU) || (ex_style_ & (WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME))) return RECT{};
  const RECT band = CaptionRect(width);
  const int top = band.top + kButtonMargin;
  return RECT{band.left + kButtonMargin, top, band.left + kButtonMargin + button_height_, top + button_height_};
}

RECT Frame::CloseButton(int width) const {
  if (!caption_ || !(style_ & WS_SYSMENU)) return RECT{};
  const RECT band = CaptionRect(width);
  const int top = band.top + kButtonMargin;
  return RECT{band.right - kButtonMargin - button_width_, top, band.right - kButtonMargin, top + button_height_};
}

RECT Frame::MaximizeButton(int width) const {
  // Of child windows, only document windows of an MDI client have them.
  const bool shown = (style_ & WS_SYSMENU) && (style_ & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) &&
                     !(ex_style_ & WS_EX_TOOLWINDOW) && (!(style_ & WS_CHILD) || (ex_style_ & WS_EX_MDICHILD));
  if (!caption_ || !shown) return RECT{};
  const RECT close = CloseButton(width);
  return RECT{close.left - kButtonMargin - button_width_, close.top, close.left - kButtonMargin, close.bottom};
}

RECT Frame::MinimizeButton(int width) const {
  const RECT maximize = MaximizeButton(width);
  if (maximize.right <= maximize.left) return RECT{};
  return RECT{maximize.left - button_width_, maximize.top, maximize.left, maximize.bottom};
}

RECT Frame::HelpButton(int width) const {
  if (!caption_ || !(style_ & WS_SYSMENU) || !(ex_style_ & WS_EX_CONTEXTHELP)) return RECT{};
  const RECT maximize = MaximizeButton(width);
  if (maximize.right > maximize.left) return RECT{};  // help shows only without minimize and maximize
  const RECT close = CloseButton(width);
  return RECT{close.left - kButtonMargin - button_width_, close.top, close.left - kButtonMargin, close.bottom};
}

RECT Frame::MenuBarRect(int width) const {
  if (!menu_bar_) return RECT{};
  const int top = border_ + caption_;
  return RECT{border_, top, width - border_, top + menu_bar_};
}

int Frame::HitTest(POINT p, SIZE size) const {
  const RECT window{0, 0, size.cx, size.cy};
  if (!Contains(window, p)) return HTNOWHERE;
  const RECT inner{border_, border_, size.cx - border_, size.cy - border_};
  if (!Contains(inner, p)) {
    if (!sizable_) return HTBORDER;
    const bool left = p.x < kCornerReach, right = p.x >= size.cx - kCornerReach;
    const bool top = p.y < kCornerReach, bottom = p.y >= size.cy - kCornerReach;
    if (p.y < border_) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    if (p.y >= size.cy - border_) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    if (p.x < border_) return top ? HTTOPLEFT : bottom ? HTBOTTOMLEFT : HTLEFT;
    return top ? HTTOPRIGHT : bottom ? HTBOTTOMRIGHT : HTRIGHT;
  }
  if (caption_ && p.y < border_ + caption_) {
    const int width = size.cx;
    if (Contains(SystemMenuButton(width), p)) return HTSYSMENU;
    if (Contains(CloseButton(width), p)) return HTCLOSE;
    if (Contains(MaximizeButton(width), p)) return HTMAXBUTTON;
    if (Contains(MinimizeButton(width), p)) return HTMINBUTTON;
    if (Contains(HelpButton(width), p)) return HTHELP;
    return HTCAPTION;
  }
  if (menu_bar_ && p.y < border_ + caption_ + menu_bar_) return HTMENU;
  const RECT client = ClientRect(window);
  if (Contains(client, p)) return HTCLIENT;
  const int scroll_top = client.top, scroll_left = client.left;
  const bool in_vscroll = vscroll_ && p.x >= client.right && p.x < client.right + vscroll_ && p.y >= scroll_top;
  const bool in_hscroll = hscroll_ && p.y >= client.bottom && p.y < client.bottom + hscroll_ && p.x >= scroll_left;
  if (in_vscroll && in_hscroll) return sizable_ ? HTSIZE : HTNOWHERE;
  if (in_vscroll && p.y < client.bottom) return HTVSCROLL;
  if (in_hscroll && p.x < client.right) return HTHSCROLL;
  return HTBORDER;  // the client edge
}

}  // namespace ui::internal
