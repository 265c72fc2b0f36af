#include "docking/QVTProgressCtrl.h"

#include <algorithm>
#include <climits>

#include "platform/afx/Bitmap.h"
#include "platform/afx/PaintDC.h"
#include "platform/sys/Format.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Text.h"
#include "platform/ui/Window.h"

// The framework's message-map macros name its types unqualified.
using namespace afx;

BEGIN_MESSAGE_MAP(QVTProgressCtrl, afx::CProgressCtrl)
  ON_MESSAGE(ui::WM_PAINT, OnPaintMessage)
  ON_MESSAGE(ui::WM_ERASEBKGND, OnEraseBackground)
  ON_MESSAGE(ui::WM_SHOWWINDOW, OnShowWindowMessage)
  ON_MESSAGE(ui::WM_TIMER, OnTimerMessage)
END_MESSAGE_MAP()

namespace {

int ToInt(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX)); }

}  // namespace

BOOL QVTProgressCtrl::SubclassDlgItem(UINT id, CWnd* parent) {
  if (m_hWnd != nullptr || parent == nullptr) return FALSE;
  return CWnd::SubclassDlgItem(id, parent);
}

bool QVTProgressCtrl::Attach(ui::HWND window) {
  if (m_hWnd != nullptr || !ui::IsWindow(window)) return false;
  return SubclassWindow(window) != 0;
}

void QVTProgressCtrl::Detach() {
  if (m_hWnd != nullptr) UnsubclassWindow();
}

bool QVTProgressCtrl::SetRange(std::int64_t lower, std::int64_t upper) {
  if (lower > upper) return false;
  m_nLower = lower;
  m_nUpper = upper;
  if (m_hWnd) SendMessage(ui::PBM_SETRANGE32, static_cast<WPARAM>(ToInt(lower)), static_cast<LPARAM>(ToInt(upper)));
  Invalidate();
  return true;
}

std::int64_t QVTProgressCtrl::SetPos(std::int64_t position, bool pump) {
  const std::int64_t previous = m_nPosition;
  m_nPosition = position;
  if (m_hWnd && (m_dwStyle & kNative)) SendMessage(ui::PBM_SETPOS, static_cast<WPARAM>(ToInt(position)));
  if (position != previous) Invalidate();
  if (pump) PumpPaintMessages();
  return previous;
}

std::int64_t QVTProgressCtrl::OffsetPos(std::int64_t delta, bool pump) { return SetPos(m_nPosition + delta, pump); }

std::int64_t QVTProgressCtrl::SetStep(std::int64_t step) {
  const std::int64_t previous = m_nStep;
  m_nStep = step;
  return previous;
}

std::int64_t QVTProgressCtrl::StepIt(bool pump) { return OffsetPos(m_nStep, pump); }

void QVTProgressCtrl::Reset() {
  SetPos(m_nLower, true);
  Invalidate();
}

bool QVTProgressCtrl::SetTimer(ui::UINT milliseconds) {
  if (!CanStep() || milliseconds == 0) {
    if (m_hWnd != nullptr) KillTimer(kStepTimerId);
    return CanStep();
  }
  return m_hWnd != nullptr && CWnd::SetTimer(kStepTimerId, milliseconds) != 0;
}

void QVTProgressCtrl::OnTimer(ui::UINT_PTR id) {
  if (id != kStepTimerId) return;
  StepIt(true);
  if (!CanStep() && m_hWnd != nullptr) KillTimer(kStepTimerId);
}

void QVTProgressCtrl::SetColors(ui::COLORREF bar, ui::COLORREF background) {
  m_crBar = bar;
  m_crBackground = background;
  Invalidate();
}

void QVTProgressCtrl::SetTextFont(CFont* font, bool redraw) {
  m_pFont = font;
  if (redraw) Invalidate();
}

void QVTProgressCtrl::SetText(const std::string& text) {
  m_strText = text;
  Invalidate();
}

void QVTProgressCtrl::SetDisplayStyle(ui::DWORD style) {
  if ((style & kNative) && !(m_dwStyle & kNative) && m_hWnd)
    SendMessage(ui::PBM_SETPOS, static_cast<WPARAM>(ToInt(m_nPosition)));
  m_dwStyle = style;
  Invalidate();
}

double QVTProgressCtrl::GetPercent() const {
  const std::int64_t position = std::clamp(m_nPosition, m_nLower, m_nUpper);
  const double span = m_nUpper == m_nLower ? 1.0 : static_cast<double>(m_nUpper - m_nLower);
  return static_cast<double>(position - m_nLower) / span * 100.0;
}

std::string QVTProgressCtrl::DisplayText(double percent) const {
  if (m_dwStyle & kShowPercent) {
    const int rounded = std::clamp(static_cast<int>(percent + 0.5), 0, 100);
    return sys::Format("%d %%", rounded);
  }
  if (m_dwStyle & kShowText) return m_strText;
  return {};
}

void QVTProgressCtrl::CalcRects(double percent, const ui::RECT& client, ui::RECT& bar, ui::RECT& background) const {
  bar = client;
  background = client;
  const double share = std::clamp(percent, 0.0, 100.0) * 0.01;
  if (m_dwStyle & kVertical) {
    const auto length = static_cast<ui::LONG>(share * (client.bottom - client.top));
    if (m_dwStyle & kFromTop) {
      bar.bottom = background.top = client.top + length;
    } else {
      bar.top = background.bottom = client.bottom - length;
    }
    return;
  }
  const auto length = static_cast<ui::LONG>(share * (client.right - client.left));
  if (m_dwStyle & kFromRight) {
    bar.left = background.right = client.right - length;
  } else {
    bar.right = background.left = client.left + length;
  }
}

void QVTProgressCtrl::Paint(CDC& dc, const ui::RECT& client) {
  const double percent = GetPercent();
  ui::RECT bar, background;
  CalcRects(percent, client, bar, background);
  // Drawn off screen and copied in one piece, so the bar never flickers
  // between its two colours.
  CDC memory;
  CBitmap bitmap;
  const int width = client.right - client.left, height = client.bottom - client.top;
  if (width <= 0 || height <= 0 || !memory.CreateCompatibleDC(&dc) ||
      !bitmap.CreateCompatibleBitmap(dc.GetSafeHdc(), width, height))
    return;
  CBitmap* previous = memory.SelectObject(&bitmap);
  memory.SetViewportOrg(-client.left, -client.top);
  memory.FillSolidRect(&background, m_crBackground);
  memory.FillSolidRect(&bar, m_crBar);
  DrawBarText(memory, percent, client, bar, background);
  memory.SetViewportOrg(0, 0);
  dc.BitBlt(client.left, client.top, width, height, &memory, 0, 0, ui::SRCCOPY);
  memory.SelectObject(previous);
}

void QVTProgressCtrl::DrawBarText(CDC& dc, double percent, const ui::RECT& client, const ui::RECT& bar,
                                  const ui::RECT& background) {
  const std::string text = DisplayText(percent);
  if (text.empty()) return;
  CFont* font = m_pFont;
  if (font == nullptr && m_hWnd) font = CFont::FromHandle(reinterpret_cast<ui::HFONT>(SendMessage(ui::WM_GETFONT)));
  CFont* previous = font != nullptr && font->m_hObject != nullptr ? dc.SelectObject(font) : nullptr;
  UINT format = ui::DT_SINGLELINE | ui::DT_VCENTER;
  if (m_dwStyle & kAlignLeft)
    format |= ui::DT_LEFT;
  else if (m_dwStyle & kAlignRight)
    format |= ui::DT_RIGHT;
  else
    format |= ui::DT_CENTER;
  dc.SetBkMode(ui::TRANSPARENT);
  // Twice, each clipped to one part: over the bar in the background's
  // colour, over the rest in the bar's.
  const struct {
    const ui::RECT* clip;
    ui::COLORREF colour;
  } passes[] = {{&bar, m_crBackground}, {&background, m_crBar}};
  for (const auto& pass : passes) {
    if (pass.clip->right <= pass.clip->left || pass.clip->bottom <= pass.clip->top) continue;
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(pass.clip);
    dc.SetTextColor(pass.colour);
    ui::RECT area = client;
    dc.DrawText(text, &area, format);
    dc.RestoreDC(saved);
  }
  if (previous) dc.SelectObject(previous);
}

LRESULT QVTProgressCtrl::OnPaintMessage(WPARAM, LPARAM) {
  if (m_dwStyle & kNative) return Default();
  CPaintDC dc(this);
  if (!m_bVisible) return 0;
  ui::RECT client;
  GetClientRect(&client);
  Paint(dc, client);
  return 0;
}

LRESULT QVTProgressCtrl::OnEraseBackground(WPARAM, LPARAM) {
  // The paint covers every pixel: erasing first would only flicker.
  return (m_dwStyle & kNative) ? Default() : TRUE;
}

LRESULT QVTProgressCtrl::OnShowWindowMessage(WPARAM show, LPARAM) {
  const LRESULT result = Default();
  m_bVisible = show != 0;
  return result;
}

LRESULT QVTProgressCtrl::OnTimerMessage(WPARAM id, LPARAM) {
  OnTimer(static_cast<ui::UINT_PTR>(id));
  return Default();
}

void QVTProgressCtrl::Invalidate() {
  if (m_hWnd != nullptr) ui::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void QVTProgressCtrl::PumpPaintMessages() {
  ui::MSG msg;
  while (ui::PeekMessage(&msg, nullptr, ui::WM_PAINT, ui::WM_PAINT, ui::PM_REMOVE)) {
    ui::TranslateMessage(&msg);
    ui::DispatchMessage(&msg);
  }
}
