// One of the progress window's counters: its number right-aligned in a
// bold fixed-pitch font, in its colour (yellow for frames, red for
// errors) on black. It paints itself, so the colours hold whatever the
// theme does with the text of plain labels.
#pragma once

#include "platform/afx/Controls.h"
#include "platform/afx/Font.h"

class CCounterText : public afx::CStatic {
 public:
  void SetColours(afx::COLORREF text, afx::COLORREF background);
  // Not owned; null: the control's own font.
  void SetCounterFont(afx::CFont* font) { m_pFont = font; }
  afx::COLORREF GetTextColour() const { return m_crText; }

 protected:
  afx::LRESULT OnPaintMessage(afx::WPARAM, afx::LPARAM);
  afx::LRESULT OnEraseBackground(afx::WPARAM, afx::LPARAM) { return afx::TRUE; }
  DECLARE_MESSAGE_MAP()

 private:
  afx::COLORREF m_crText = 0x00FFFF;
  afx::COLORREF m_crBackground = 0x000000;
  afx::CFont* m_pFont = nullptr;
};
