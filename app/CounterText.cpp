#include "app/CounterText.h"

#include "platform/afx/PaintDC.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Text.h"

// The framework's message-map macros name its types unqualified.
using namespace afx;

BEGIN_MESSAGE_MAP(CCounterText, afx::CStatic)
  ON_MESSAGE(ui::WM_PAINT, OnPaintMessage)
  ON_MESSAGE(ui::WM_ERASEBKGND, OnEraseBackground)
END_MESSAGE_MAP()

void CCounterText::SetColours(COLORREF text, COLORREF background) {
  m_crText = text;
  m_crBackground = background;
  if (m_hWnd) Invalidate(FALSE);
}

LRESULT CCounterText::OnPaintMessage(WPARAM, LPARAM) {
  CPaintDC dc(this);
  RECT client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, m_crBackground);
  CFont* font = m_pFont;
  if (font == nullptr) font = CFont::FromHandle(reinterpret_cast<ui::HFONT>(SendMessage(ui::WM_GETFONT)));
  CFont* previous = font != nullptr && font->m_hObject != nullptr ? dc.SelectObject(font) : nullptr;
  dc.SetBkMode(ui::TRANSPARENT);
  dc.SetTextColor(m_crText);
  dc.DrawText(GetWindowTextString(), &client, ui::DT_RIGHT | ui::DT_SINGLELINE | ui::DT_VCENTER);
  if (previous) dc.SelectObject(previous);
  return 0;
}
