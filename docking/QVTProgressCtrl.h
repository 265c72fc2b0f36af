// A progress bar that paints itself: the filled part in the bar colour,
// the rest in the background colour, and the percentage (or a text of its
// own) drawn in the background colour over the filled part and in the bar
// colour over the rest, so it reads wherever the edge of the bar is. It
// takes over an existing progress control (a dialog's), can step on a
// timer, and can dispatch the pending paints while its caller keeps busy.
//
// Positions and bounds are 64-bit so that the byte position of a log file
// beyond 2 GiB is shown as it is.
#pragma once

#include <cstdint>
#include <string>

#include "platform/afx/Controls.h"
#include "platform/afx/Dc.h"
#include "platform/afx/Font.h"

class QVTProgressCtrl : public afx::CProgressCtrl {
 public:
  // Display style bits.
  static constexpr ui::DWORD kVertical = 0x1;
  static constexpr ui::DWORD kFromRight = 0x10;
  static constexpr ui::DWORD kFromTop = 0x20;
  static constexpr ui::DWORD kShowPercent = 0x100;
  static constexpr ui::DWORD kShowText = 0x200;
  static constexpr ui::DWORD kAlignLeft = 0x1000;
  static constexpr ui::DWORD kAlignRight = 0x2000;
  static constexpr ui::DWORD kNative = 0x10000;
  static constexpr ui::DWORD kDefaultStyle = 0x4100;

  static constexpr ui::COLORREF kDefaultBarColour = 0x800000;         // navy
  static constexpr ui::COLORREF kDefaultBackgroundColour = 0xFFFFFF;  // white
  static constexpr ui::UINT_PTR kStepTimerId = 256;

  // Takes over the control `id` of `parent`; false when there is none or
  // this one is attached already.
  afx::BOOL SubclassDlgItem(afx::UINT id, afx::CWnd* parent);
  // Takes over an existing control window.
  bool Attach(ui::HWND window);
  bool IsAttached() const { return m_hWnd != nullptr; }
  void Detach();

  // A lower bound above the upper one is refused (false, nothing changes):
  // such a bar has no filled part to show.
  bool SetRange(std::int64_t lower, std::int64_t upper);
  std::int64_t GetLower() const { return m_nLower; }
  std::int64_t GetUpper() const { return m_nUpper; }
  // Returns the previous position. With `pump` the pending paints of this
  // thread are dispatched so the bar follows while the caller keeps busy.
  std::int64_t SetPos(std::int64_t position, bool pump);
  std::int64_t GetPos() const { return m_nPosition; }
  std::int64_t OffsetPos(std::int64_t delta, bool pump);
  std::int64_t SetStep(std::int64_t step);
  std::int64_t StepIt(bool pump);
  // Back to the lower bound, the client rectangle taken again.
  void Reset();
  // True when a stepping timer could still move the bar.
  bool CanStep() const { return m_nPosition < m_nUpper; }
  // Steps the bar every `milliseconds` (0 stops it). False when the bar is
  // full already, so nothing is started, or the timer cannot be set.
  bool SetTimer(ui::UINT milliseconds);
  // The window's WM_TIMER: one step of the stepping timer, which stops
  // once the bar is full.
  void OnTimer(ui::UINT_PTR id);

  void SetColors(ui::COLORREF bar, ui::COLORREF background);
  ui::COLORREF GetBarColour() const { return m_crBar; }
  ui::COLORREF GetBackgroundColour() const { return m_crBackground; }
  // The text's font (not owned; null: the control's own).
  void SetTextFont(afx::CFont* font, bool redraw);
  void SetText(const std::string& text);
  const std::string& GetText() const { return m_strText; }
  void SetDisplayStyle(ui::DWORD style);
  ui::DWORD GetDisplayStyle() const { return m_dwStyle; }

  // The position clamped to the range, as a percentage of it.
  double GetPercent() const;
  // The text drawn over the bar: the rounded percentage (never above 100),
  // the custom text, or nothing, by the display style.
  std::string DisplayText(double percent) const;
  // Splits `client` into the filled part and the rest for `percent`.
  void CalcRects(double percent, const ui::RECT& client, ui::RECT& bar, ui::RECT& background) const;
  // Paints the bar into `dc` over `client`, as the window paints itself.
  void Paint(afx::CDC& dc, const ui::RECT& client);

 protected:
  afx::LRESULT OnPaintMessage(afx::WPARAM, afx::LPARAM);
  afx::LRESULT OnEraseBackground(afx::WPARAM, afx::LPARAM);
  afx::LRESULT OnShowWindowMessage(afx::WPARAM show, afx::LPARAM);
  afx::LRESULT OnTimerMessage(afx::WPARAM id, afx::LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  void Invalidate();
  void DrawBarText(afx::CDC& dc, double percent, const ui::RECT& client, const ui::RECT& bar,
                   const ui::RECT& background);
  static void PumpPaintMessages();

  std::int64_t m_nPosition = 0;
  std::int64_t m_nStep = 10;
  std::int64_t m_nLower = 0;
  std::int64_t m_nUpper = 100;
  ui::COLORREF m_crBar = kDefaultBarColour;
  ui::COLORREF m_crBackground = kDefaultBackgroundColour;
  afx::CFont* m_pFont = nullptr;
  bool m_bVisible = true;
  std::string m_strText;
  ui::DWORD m_dwStyle = kDefaultStyle;
};
