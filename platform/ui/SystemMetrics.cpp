// The classic theme: colours of the standard grey scheme, metrics of the
// classic frame at 96 dpi. Everything that paints or measures reads here.
#include "platform/ui/SystemMetrics.h"

#include <cstring>
#include <memory>

#include "platform/ui/Host.h"
#include "platform/ui/internal/GdiTable.h"
#include "platform/ui/internal/ThemeTable.h"

namespace ui {

namespace internal {

namespace {

struct MetricEntry {
  int index;
  int value;
};

// The frame and control sizes the classic look is drawn with.
constexpr MetricEntry kMetrics[] = {
    {SM_CXVSCROLL, 16},   {SM_CYHSCROLL, 16},    {SM_CYCAPTION, 19},    {SM_CXBORDER, 1},
    {SM_CYBORDER, 1},     {SM_CXDLGFRAME, 3},    {SM_CYDLGFRAME, 3},    {SM_CYVTHUMB, 16},
    {SM_CXHTHUMB, 16},    {SM_CXICON, 32},       {SM_CYICON, 32},       {SM_CXCURSOR, 32},
    {SM_CYCURSOR, 32},    {SM_CYMENU, 19},       {SM_MOUSEPRESENT, 1},  {SM_CYVSCROLL, 16},
    {SM_CXHSCROLL, 16},   {SM_SWAPBUTTON, 0},    {SM_CXMIN, 112},       {SM_CYMIN, 27},
    {SM_CXSIZE, 18},      {SM_CYSIZE, 18},       {SM_CXFRAME, 4},       {SM_CYFRAME, 4},
    {SM_CXMINTRACK, 112}, {SM_CYMINTRACK, 27},   {SM_CXDOUBLECLK, 4},   {SM_CYDOUBLECLK, 4},
    {SM_CXEDGE, 2},       {SM_CYEDGE, 2},        {SM_CXSMICON, 16},     {SM_CYSMICON, 16},
    {SM_CYSMCAPTION, 16}, {SM_CXSMSIZE, 15},     {SM_CYSMSIZE, 15},     {SM_CXMENUSIZE, 18},
    {SM_CYMENUSIZE, 18},  {SM_CXDRAG, 4},        {SM_CYDRAG, 4},        {SM_CXMENUCHECK, 13},
    {SM_CYMENUCHECK, 13}, {SM_CMONITORS, 1},     {SM_CXFOCUSBORDER, 1}, {SM_CYFOCUSBORDER, 1},
};

constexpr COLORREF kClassicColors[kSysColorCount] = {
    RGB(192, 192, 192),  // scroll bar
    RGB(0, 128, 128),    // desktop
    RGB(0, 0, 128),      // active caption
    RGB(128, 128, 128),  // inactive caption
    RGB(192, 192, 192),  // menu
    RGB(255, 255, 255),  // window
    RGB(0, 0, 0),        // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(255, 255, 255),  // caption text
    RGB(192, 192, 192),  // active border
    RGB(192, 192, 192),  // inactive border
    RGB(128, 128, 128),  // application workspace
    RGB(0, 0, 128),      // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(192, 192, 192),  // button face
    RGB(128, 128, 128),  // button shadow
    RGB(128, 128, 128),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(192, 192, 192),  // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(0, 0, 0),        // 3-D dark shadow
    RGB(223, 223, 223),  // 3-D light
    RGB(0, 0, 0),        // tooltip text
    RGB(255, 255, 225),  // tooltip background
    RGB(192, 192, 192),  // (unused)
    RGB(0, 0, 255),      // hot-tracked item
    RGB(16, 132, 208),   // active caption gradient
    RGB(181, 181, 181),  // inactive caption gradient
    RGB(0, 0, 128),      // menu highlight
    RGB(192, 192, 192),  // menu bar
};

}  // namespace

ThemeTable& ThemeTable::Get() {
  static ThemeTable* table = new ThemeTable;  // its brushes outlive static objects
  return *table;
}

ThemeTable::ThemeTable() {
  for (int i = 0; i < kSysColorCount; ++i) {
    colors_[i] = kClassicColors[i];
    auto brush = std::make_shared<BrushObject>();
    brush->sys_color = i;
    brush->color = colors_[i];
    brush->stock = true;
    brushes_[i] = static_cast<HBRUSH>(GdiTable::Get().Add(brush));
  }
}

COLORREF ThemeTable::Color(int index) {
  if (index < 0 || index >= kSysColorCount) return 0;
  std::lock_guard lock(mutex_);
  return colors_[index];
}

bool ThemeTable::SetColor(int index, COLORREF color) {
  if (index < 0 || index >= kSysColorCount) return false;
  std::lock_guard lock(mutex_);
  colors_[index] = color & 0xFFFFFF;
  return true;
}

HBRUSH ThemeTable::ColorBrush(int index) {
  if (index < 0 || index >= kSysColorCount) return nullptr;
  return brushes_[index];
}

int ThemeTable::Metric(int index) {
  const RECT screen = GetHost().ScreenRect();
  const int cx = screen.right - screen.left, cy = screen.bottom - screen.top;
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
    case SM_CXMAXTRACK:
    case SM_CXMAXIMIZED:
    case SM_CXFULLSCREEN:
      return cx;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
    case SM_CYMAXTRACK:
    case SM_CYMAXIMIZED:
      return cy;
    case SM_CYFULLSCREEN:
      return cy - Metric(SM_CYCAPTION);
    case SM_XVIRTUALSCREEN:
      return screen.left;
    case SM_YVIRTUALSCREEN:
      return screen.top;
    default:
      break;
  }
  for (const MetricEntry& entry : kMetrics)
    if (entry.index == index) return entry.value;
  return 0;
}

void ThemeTable::SetListener(std::function<void(bool)> listener) {
  std::lock_guard lock(mutex_);
  listener_ = std::move(listener);
}

void ThemeTable::NotifyChanged(bool colours) {
  std::function<void(bool)> listener;
  {
    std::lock_guard lock(mutex_);
    listener = listener_;
  }
  if (listener) listener(colours);
}

}  // namespace internal

using internal::ThemeTable;

COLORREF GetSysColor(int index) { return ThemeTable::Get().Color(index); }

HBRUSH GetSysColorBrush(int index) { return ThemeTable::Get().ColorBrush(index); }

BOOL SetSysColors(int count, const int* indexes, const COLORREF* colors) {
  if (count < 0 || (count > 0 && (!indexes || !colors))) return FALSE;
  for (int i = 0; i < count; ++i)
    if (!ThemeTable::Get().SetColor(indexes[i], colors[i])) return FALSE;
  ThemeTable::Get().NotifyChanged(true);
  return TRUE;
}

int GetSystemMetrics(int index) { return ThemeTable::Get().Metric(index); }

LOGFONT DialogLogFont() {
  LOGFONT font;
  font.lfHeight = -11;  // 8 points at 96 dpi
  font.lfWeight = FW_NORMAL;
  std::strcpy(font.lfFaceName, "DejaVu Sans Condensed");
  return font;
}

namespace {

LOGFONT BoldDialogFont() {
  LOGFONT font = DialogLogFont();
  font.lfWeight = FW_BOLD;
  return font;
}

}  // namespace

BOOL SystemParametersInfo(UINT action, UINT, void* param, UINT) {
  if (!param) return FALSE;
  switch (action) {
    case SPI_GETNONCLIENTMETRICS: {
      auto* m = static_cast<NONCLIENTMETRICS*>(param);
      if (m->cbSize != sizeof(NONCLIENTMETRICS)) return FALSE;
      m->iBorderWidth = 1;
      m->iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
      m->iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
      m->iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
      m->iCaptionHeight = GetSystemMetrics(SM_CYSIZE);
      m->lfCaptionFont = BoldDialogFont();
      m->iSmCaptionWidth = GetSystemMetrics(SM_CXSMSIZE);
      m->iSmCaptionHeight = GetSystemMetrics(SM_CYSMSIZE);
      m->lfSmCaptionFont = BoldDialogFont();
      m->iMenuWidth = GetSystemMetrics(SM_CXMENUSIZE);
      m->iMenuHeight = GetSystemMetrics(SM_CYMENUSIZE);
      m->lfMenuFont = DialogLogFont();
      m->lfStatusFont = DialogLogFont();
      m->lfMessageFont = DialogLogFont();
      return TRUE;
    }
    case SPI_GETWORKAREA:
      // The headless screen has no task bar: the work area is the screen.
      *static_cast<RECT*>(param) = GetHost().ScreenRect();
      return TRUE;
    case SPI_GETICONTITLELOGFONT:
      *static_cast<LOGFONT*>(param) = DialogLogFont();
      return TRUE;
    case SPI_GETDRAGFULLWINDOWS:
      *static_cast<BOOL*>(param) = FALSE;  // drags show outlines
      return TRUE;
    default:
      return FALSE;
  }
}

void SetThemeChangeListener(std::function<void(bool colours)> listener) {
  ThemeTable::Get().SetListener(std::move(listener));
}

}  // namespace ui
