#include "app/QVTProgressCtrl.h"

#include <algorithm>

#include "platform/sys/Format.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"

bool QVTProgressCtrl::Attach(ui::HWND window) {
  if (m_hWnd != nullptr || !ui::IsWindow(window)) return false;
  m_hWnd = window;
  return true;
}

void QVTProgressCtrl::SetRange(std::int64_t lower, std::int64_t upper) {
  m_nLower = lower;
  m_nUpper = upper;
  Invalidate();
}

std::int64_t QVTProgressCtrl::SetPos(std::int64_t position, bool pump) {
  const std::int64_t previous = m_nPosition;
  m_nPosition = position;
  Invalidate();
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

void QVTProgressCtrl::Reset() { SetPos(m_nLower, true); }

bool QVTProgressCtrl::SetTimer(ui::UINT milliseconds) {
  if (!CanStep() || milliseconds == 0) {
    if (m_hWnd != nullptr) ui::KillTimer(m_hWnd, kStepTimerId);
    return CanStep();
  }
  return m_hWnd != nullptr && ui::SetTimer(m_hWnd, kStepTimerId, milliseconds, nullptr) != 0;
}

void QVTProgressCtrl::OnTimer(ui::UINT_PTR id) {
  if (id != kStepTimerId) return;
  StepIt(true);
  if (!CanStep() && m_hWnd != nullptr) ui::KillTimer(m_hWnd, kStepTimerId);
}

void QVTProgressCtrl::SetColors(ui::COLORREF bar, ui::COLORREF background) {
  m_crBar = bar;
  m_crBackground = background;
  Invalidate();
}

void QVTProgressCtrl::SetText(const std::string& text) {
  m_strText = text;
  Invalidate();
}

void QVTProgressCtrl::SetDisplayStyle(ui::DWORD style) {
  m_dwStyle = style;
  Invalidate();
}

double QVTProgressCtrl::GetPercent() const {
  const std::int64_t position = std::clamp(m_nPosition, std::min(m_nLower, m_nUpper), std::max(m_nLower, m_nUpper));
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

void QVTProgressCtrl::Invalidate() {
  if (m_hWnd != nullptr) ui::InvalidateRect(m_hWnd, nullptr, 0);
}

void QVTProgressCtrl::PumpPaintMessages() {
  ui::MSG msg;
  while (ui::PeekMessage(&msg, nullptr, ui::WM_PAINT, ui::WM_PAINT, ui::PM_REMOVE)) {
    ui::TranslateMessage(&msg);
    ui::DispatchMessage(&msg);
  }
}
