#include "docking/QVTToolBar.h"

#include <algorithm>

#include "docking/QVTToolBarDrawingData.h"
#include "docking/QVTToolBarImages.h"
#include "docking/QVTToolCmdUI.h"
#include "platform/afx/FrameWnd.h"
#include "platform/afx/WindowDC.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/ImageResources.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Text.h"

namespace docking {

using afx::CWnd;
using ui::TBBUTTON;

IMPLEMENT_DYNCREATE(QVTToolBar, QVTControlBar)

BEGIN_MESSAGE_MAP(QVTToolBar, QVTControlBar)
  ON_MESSAGE(ui::WM_NCCREATE, OnNcCreateMessage)
  ON_MESSAGE(ui::WM_NCHITTEST, OnNcHitTestMessage)
  ON_MESSAGE(ui::WM_NCCALCSIZE, OnNcCalcSizeMessage)
  ON_MESSAGE(ui::WM_NCPAINT, OnNcPaintMessage)
  ON_MESSAGE(ui::WM_PAINT, OnPaintMessage)
  ON_WM_WINDOWPOSCHANGING()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_MESSAGE(ui::TB_SETBUTTONSIZE, OnSetButtonSizeMessage)
  ON_MESSAGE(ui::TB_SETBITMAPSIZE, OnSetBitmapSizeMessage)
  ON_MESSAGE(ui::WM_SETTINGCHANGE, OnStyleSensitiveMessage)
  ON_MESSAGE(ui::WM_SETFONT, OnStyleSensitiveMessage)
  ON_MESSAGE(ui::WM_SYSCOLORCHANGE, OnSysColorChangeMessage)
END_MESSAGE_MAP()

namespace {

constexpr DWORD kVersion471 = (4u << 16) | 71u;
constexpr int kOneRow = 0x7FFF;
// Bits of the window style the bar's own style word leaves to the window,
// and the control styles every bar's control has: no dividing line, no
// placing or sizing of itself (the frame lays the bar out).
constexpr DWORD kWindowStyleMask = 0xFFBF004E;
constexpr DWORD kControlLayoutStyles = 0x4E;
// The flat and transparent styles the newer controls measure with.
constexpr DWORD kFlatStyles = ui::TBSTYLE_FLAT | ui::TBSTYLE_TRANSPARENT;

bool IsSeparator(const TBBUTTON& button) { return (button.fsStyle & ui::TBSTYLE_SEP) != 0; }
bool IsHidden(const TBBUTTON& button) { return (button.fsState & ui::TBSTATE_HIDDEN) != 0; }
bool Wraps(const TBBUTTON& button) { return (button.fsState & ui::TBSTATE_WRAP) != 0; }
// The gap a wrapped separator leaves between its rows.
int SeparatorGap(const TBBUTTON& separator) { return separator.iBitmap * 2 / 3; }

UINT StyleWord(const TBBUTTON& button) {
  return ((static_cast<UINT>(button.fsState) << 16) | button.fsStyle) ^ QVT_TBBS_DISABLED;
}

void ApplyStyleWord(TBBUTTON& button, UINT style) {
  style ^= QVT_TBBS_DISABLED;
  button.fsStyle = static_cast<ui::BYTE>(style & 0xFF);
  button.fsState = static_cast<ui::BYTE>((style >> 16) & 0xFF);
}

bool SameRecord(const TBBUTTON& a, const TBBUTTON& b) {
  return a.iBitmap == b.iBitmap && a.idCommand == b.idCommand && a.fsState == b.fsState && a.fsStyle == b.fsStyle &&
         a.dwData == b.dwData && a.iString == b.iString;
}

void FrameChanged(const CWnd& wnd) {
  wnd.SetWindowPos(nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

QVTToolBar::QVTToolBar() { m_cyTopBorder = m_cyBottomBorder = 3; }

QVTToolBar::~QVTToolBar() {
  // The control draws from the bitmap until its window is gone.
  if (m_hWnd) DestroyWindow();
  if (m_hbmImageWell) ui::DeleteObject(m_hbmImageWell);
}

DWORD QVTToolBar::CommonControlsVersion() {
  static const DWORD version = ui::kCommonControlsVersion;
  return version;
}

int QVTToolBar::DropDownArrowWidth() {
  static const int width = [] {
    const ui::HDC dc = ui::CreateCompatibleDC(nullptr);
    const ui::HFONT font = ui::CreateFont(ui::GetSystemMetrics(ui::SM_CYMENUCHECK), 0, 0, 0, ui::FW_NORMAL, 0, 0, 0,
                                          ui::DEFAULT_CHARSET, 0, 0, 0, 0, "Marlett");
    const ui::HGDIOBJ old = ui::SelectObject(dc, font);
    SIZE size{0, 0};
    ui::GetTextExtentPoint32(dc, "6", 1, &size);
    ui::SelectObject(dc, old);
    ui::DeleteObject(font);
    ui::DeleteDC(dc);
    return static_cast<int>(size.cx);
  }();
  return width;
}

BOOL QVTToolBar::Create(CWnd* parent, const char* window_name, DWORD style, DWORD ex_style, UINT id) {
  return CreateToolBar(parent, window_name, 0, style, ex_style, id);
}

BOOL QVTToolBar::CreateEx(CWnd* parent, DWORD control_style, DWORD style, const RECT& borders, UINT id) {
  m_cxLeftBorder = borders.left;
  m_cyTopBorder = borders.top;
  m_cxRightBorder = borders.right;
  m_cyBottomBorder = borders.bottom;
  return CreateToolBar(parent, nullptr, control_style, style, QVT_BARSTYLE_SIZABLE, id);
}

BOOL QVTToolBar::CreateToolBar(CWnd* parent, const char* window_name, DWORD control_style, DWORD style,
                               DWORD ex_style, UINT id) {
  m_dwStyle = style & afx::CBRS_ALL;
  if (id == afx::AFX_IDW_TOOLBAR) m_dwStyle |= afx::CBRS_HIDE_INPLACE;
  // Borders of the bar style are drawn the plain way, never with the framework's own.
  m_dwExStyle = (style & afx::CBRS_BORDER_ANY) ? (ex_style & ~QVT_BARSTYLE_OWN_BORDERS) : ex_style;
  CommonControlsVersion();
  DropDownArrowWidth();
  m_szHorz = m_szVert = m_szFloat = kDefaultSize;
  const DWORD window_style = (style & kWindowStyleMask) | kControlLayoutStyles | control_style;
  if (!CreateBar(0, "ToolbarWindow32", window_name, window_style, RECT{0, 0, 0, 0}, parent, id)) return FALSE;
  FrameChanged(*this);
  if (window_name) SetWindowText(window_name);
  m_bStaleHorz = m_bStaleVert = m_bStaleFloat = TRUE;
  return TRUE;
}

afx::CToolBarCtrl& QVTToolBar::GetToolBarCtrl() const {
  m_control.m_hWnd = m_hWnd;
  return m_control;
}

void QVTToolBar::SetSizes(SIZE button, SIZE image) {
  if (!m_hWnd) {
    m_sizeButton = button;
    m_sizeImage = image;
    return;
  }
  GetToolBarCtrl().SetBitmapSize(image);
  GetToolBarCtrl().SetButtonSize(button);
  Invalidate();
}

void QVTToolBar::SetHeight(int cy) {
  const int border = ToolkitDrawingData::Get().cyBorder2;
  int height = cy;
  if (m_dwStyle & afx::CBRS_BORDER_TOP) height -= border;
  if (m_dwStyle & afx::CBRS_BORDER_BOTTOM) height -= border;
  const int space = height - m_sizeButton.cy;
  m_cyBottomBorder = space / 2;
  m_cyTopBorder = space - m_cyBottomBorder;
  if (m_cyTopBorder < 0) {
    m_cyBottomBorder += m_cyTopBorder;
    m_cyTopBorder = 0;
  }
  m_bStaleHorz = m_bStaleVert = m_bStaleFloat = TRUE;
  if (m_hWnd) {
    FrameChanged(*this);
    Invalidate();
  }
}

BOOL QVTToolBar::LoadToolBar(UINT resource) {
  const ui::ToolbarResource* toolbar = ui::FindToolbarResource(resource);
  if (!toolbar) return FALSE;
  const std::vector<UINT> ids(toolbar->items.begin(), toolbar->items.end());
  if (!SetButtons(ids.data(), static_cast<int>(ids.size()))) return FALSE;
  const SIZE image{toolbar->width, toolbar->height};
  SetSizes(SIZE{image.cx + 7, image.cy + 7}, image);
  return LoadBitmap(resource);
}

BOOL QVTToolBar::LoadBitmap(UINT resource) {
  const HBITMAP bitmap = LoadBitmapMappedToSysColors(resource);
  if (!bitmap) return FALSE;
  m_nResourceID = resource;
  if (SetBitmap(bitmap)) return TRUE;
  ui::DeleteObject(bitmap);
  return FALSE;
}

BOOL QVTToolBar::SetBitmap(HBITMAP bitmap) {
  if (!m_hWnd || !bitmap) return FALSE;
  SIZE size{0, 0};
  ui::GetBitmapDimensionEx(bitmap, &size);
  const int count = m_sizeImage.cx > 0 ? static_cast<int>(size.cx / m_sizeImage.cx) : 0;
  const BOOL done = m_hbmImageWell ? GetToolBarCtrl().ReplaceBitmap(m_hbmImageWell, bitmap, count)
                                   : (GetToolBarCtrl().AddBitmap(count, bitmap) >= 0 ? TRUE : FALSE);
  if (!done) return FALSE;
  if (m_hbmImageWell) ui::DeleteObject(m_hbmImageWell);
  m_hbmImageWell = bitmap;
  Invalidate();
  return TRUE;
}

BOOL QVTToolBar::SetButtons(const UINT* ids, int count) {
  if (!m_hWnd) return FALSE;
  while (GetCount() > 0) GetToolBarCtrl().DeleteButton(0);
  const bool flat = (GetStyle() & ui::TBSTYLE_FLAT) || CommonControlsVersion() >= kVersion471;
  int image = 0;
  for (int i = 0; i < count; ++i) {
    TBBUTTON button;
    button.fsState = ui::TBSTATE_ENABLED;
    if (ids && ids[i] != 0) {
      button.idCommand = static_cast<int>(ids[i]);
      button.iBitmap = image++;
    } else {
      button.fsStyle = ui::TBSTYLE_SEP;
      button.iBitmap = flat ? 6 : 8;
    }
    if (!GetToolBarCtrl().AddButtons(1, &button)) return FALSE;
  }
  m_bDelayedButtonLayout = TRUE;
  m_bStaleHorz = m_bStaleVert = m_bStaleFloat = TRUE;
  return TRUE;
}

int QVTToolBar::GetCount() const { return m_hWnd ? GetToolBarCtrl().GetButtonCount() : 0; }

int QVTToolBar::CommandToIndex(UINT id) const { return m_hWnd ? GetToolBarCtrl().CommandToIndex(id) : -1; }

UINT QVTToolBar::GetItemID(int index) const { return static_cast<UINT>(ReadButton(index).idCommand); }

TBBUTTON QVTToolBar::ReadButton(int index) const {
  TBBUTTON button;
  if (m_hWnd) GetToolBarCtrl().GetButton(index, &button);
  return button;
}

void QVTToolBar::GetItemRect(int index, RECT* rect) {
  m_bDelayedButtonLayout = FALSE;
  if (!m_hWnd || !GetToolBarCtrl().GetItemRect(index, rect)) *rect = RECT{0, 0, 0, 0};
}

void QVTToolBar::GetButtonInfo(int index, UINT& id, UINT& style, int& image) const {
  const TBBUTTON button = ReadButton(index);
  id = static_cast<UINT>(button.idCommand);
  style = StyleWord(button);
  image = button.iBitmap;
}

void QVTToolBar::SetButtonInfo(int index, UINT id, UINT style, int image) {
  TBBUTTON button = ReadButton(index);
  button.idCommand = static_cast<int>(id);
  button.iBitmap = image;
  ApplyStyleWord(button, style);
  ReplaceButton(index, button);
}

UINT QVTToolBar::GetButtonStyle(int index) const { return StyleWord(ReadButton(index)); }

void QVTToolBar::SetButtonStyle(int index, UINT style) {
  TBBUTTON button = ReadButton(index);
  ApplyStyleWord(button, style);
  ReplaceButton(index, button);
}

void QVTToolBar::ReplaceButton(int index, const TBBUTTON& button) {
  if (!m_hWnd || index < 0 || index >= GetCount()) return;
  const TBBUTTON old = ReadButton(index);
  if (SameRecord(old, button)) return;
  const bool same_kind = IsSeparator(old) == IsSeparator(button) && (!IsSeparator(old) || old.iBitmap == button.iBitmap);
  const bool relaid = !same_kind || IsHidden(old) != IsHidden(button);
  // The control is changed with the window hidden, so the delete and the
  // insert show as one change.
  const DWORD style = GetStyle();
  if (style & ui::WS_VISIBLE) ui::SetWindowLongPtr(m_hWnd, GWL_STYLE, static_cast<ui::LONG_PTR>(style & ~ui::WS_VISIBLE));
  GetToolBarCtrl().DeleteButton(index);
  GetToolBarCtrl().InsertButton(index, &button);
  if (style & ui::WS_VISIBLE) ui::SetWindowLongPtr(m_hWnd, GWL_STYLE, static_cast<ui::LONG_PTR>(style));
  m_bDelayedButtonLayout = TRUE;
  if (relaid) m_bStaleHorz = m_bStaleVert = m_bStaleFloat = TRUE;
  if (!(style & ui::WS_VISIBLE)) return;
  RECT rect;
  if (same_kind && GetToolBarCtrl().GetItemRect(index, &rect)) ui::InvalidateRect(m_hWnd, &rect, TRUE);
  else Invalidate();
}

BOOL QVTToolBar::SetButtonText(int index, const char* text) {
  if (!m_hWnd || index < 0 || index >= GetCount()) return FALSE;
  const std::string wanted = text ? text : "";
  int string = -1;
  if (!wanted.empty()) {
    if (!m_pStringMap) m_pStringMap = std::make_unique<std::map<std::string, int>>();
    const auto known = m_pStringMap->find(wanted);
    if (known != m_pStringMap->end()) {
      string = known->second;
    } else {
      std::string list = wanted;
      list.push_back('\0');  // the list ends in a second zero
      string = GetToolBarCtrl().AddStrings(list.c_str());
      if (string < 0) return FALSE;
      (*m_pStringMap)[wanted] = string;
    }
  }
  TBBUTTON button = ReadButton(index);
  button.iString = string;
  ReplaceButton(index, button);
  return TRUE;
}

std::string QVTToolBar::GetButtonText(int index) const {
  const TBBUTTON button = ReadButton(index);
  if (button.iString < 0 || !m_pStringMap) return {};
  for (const auto& [text, string] : *m_pStringMap)
    if (string == button.iString) return text;
  return {};
}

void QVTToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) {
  QVTToolCmdUI state;
  state.m_pBar = this;
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    const TBBUTTON button = ReadButton(i);
    if (IsSeparator(button)) continue;
    state.m_nID = static_cast<UINT>(button.idCommand);
    state.m_nIndex = static_cast<UINT>(i);
    // The bar's own update handlers come before those of the frame.
    if (OnCmdMsg(state.m_nID, afx::CN_UPDATE_COMMAND_UI, &state, nullptr)) continue;
    state.DoUpdate(target, disable_if_no_handler);
  }
  UpdateDialogControls(target, disable_if_no_handler);
}

INT_PTR QVTToolBar::OnToolHitTest(POINT client) const {
  const INT_PTR hit = QVTControlBar::OnToolHitTest(client);
  if (hit != -1) return hit;
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    const TBBUTTON button = ReadButton(i);
    RECT rect;
    if (IsSeparator(button) || !GetToolBarCtrl().GetItemRect(i, &rect) || !ui::PtInRect(&rect, client)) continue;
    return button.idCommand != 0 ? static_cast<INT_PTR>(button.idCommand) : -1;
  }
  return -1;
}

void QVTToolBar::OnBarStyleChange(DWORD old_style, DWORD new_style) {
  QVTControlBar::OnBarStyleChange(old_style, new_style);
  if (m_hWnd && ((old_style ^ new_style) & afx::CBRS_BORDER_ANY)) FrameChanged(*this);
}

// Layout.

SIZE QVTToolBar::CalcFixedLayout(BOOL stretch, BOOL horizontal) {
  // A stale size is laid out (and stored) first; otherwise the stored one.
  if (horizontal ? m_bStaleHorz : m_bStaleVert)
    return CalcLayout(horizontal ? kOneRow : 0,
                      (horizontal ? (afx::LM_HORZ | afx::LM_HORZDOCK) : afx::LM_VERTDOCK) | afx::LM_COMMIT);
  return QVTControlBar::CalcFixedLayout(stretch, horizontal);
}

SIZE QVTToolBar::CalcDynamicLayout(int length, DWORD mode) {
  using namespace afx;
  if (!(mode & LM_COMMIT)) {
    const BOOL stale = (mode & LM_HORZDOCK)   ? m_bStaleHorz
                       : (mode & LM_VERTDOCK) ? m_bStaleVert
                       : (mode & LM_MRUWIDTH) ? m_bStaleFloat
                                              : FALSE;
    if (stale) return CalcLayout((mode & LM_VERTDOCK) ? 0 : kOneRow, mode | LM_COMMIT);
    return QVTControlBar::CalcDynamicLayout(length, mode);
  }
  if (((mode & LM_HORZDOCK) && (mode & LM_LENGTHY)) || ((mode & LM_VERTDOCK) && !(mode & LM_LENGTHY)))
    return QVTControlBar::CalcDynamicLayout(length, mode);
  return CalcLayout(length, mode);
}

SIZE QVTToolBar::BorderSize(bool horizontal) const {
  RECT inside{0, 0, 0, 0};
  CalcInsideRect(inside, horizontal ? TRUE : FALSE);
  return SIZE{inside.left - inside.right, inside.top - inside.bottom};
}

int QVTToolBar::ButtonWidth(const TBBUTTON& button) const {
  if (!IsSeparator(button)) return m_sizeButton.cx;
  const bool full = (GetStyle() & ui::TBSTYLE_FLAT) || CommonControlsVersion() >= kVersion471;
  return full ? button.iBitmap : button.iBitmap * 2 / 3;
}

int QVTToolBar::WrapButtons(std::vector<TBBUTTON>& buttons, int width) const {
  for (TBBUTTON& button : buttons) button.fsState &= static_cast<ui::BYTE>(~ui::TBSTATE_WRAP);
  int rows = buttons.empty() ? 0 : 1;
  int x = 0;
  std::size_t row_start = 0;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (IsHidden(buttons[i])) continue;
    const int item = ButtonWidth(buttons[i]);
    if (x == 0 || x + item <= width) {
      x += item;
      continue;
    }
    // Past the limit: the row ends after the nearest separator (one that
    // follows no other separator), else after the nearest visible button.
    std::size_t end = i + 1;
    for (std::size_t j = i + 1; j-- > row_start && end == i + 1;) {
      const bool after_separator = j > 0 && IsSeparator(buttons[j - 1]);
      if (IsSeparator(buttons[j]) && !IsHidden(buttons[j]) && !after_separator) end = j;
    }
    for (std::size_t j = i; end == i + 1 && j-- > row_start;)
      if (!IsHidden(buttons[j])) end = j;
    buttons[end].fsState |= ui::TBSTATE_WRAP;
    ++rows;
    row_start = end + 1;
    i = end;
    x = 0;
  }
  return rows;
}

SIZE QVTToolBar::MeasureButtons(const std::vector<TBBUTTON>& buttons) const {
  int x = 0, y = 0, width = 0;
  for (const TBBUTTON& button : buttons) {
    if (IsHidden(button)) continue;
    if (IsSeparator(button) && Wraps(button)) {  // a gap between the rows, not a place in one
      y += m_sizeButton.cy + SeparatorGap(button);
      x = 0;
      continue;
    }
    x += ButtonWidth(button);
    width = std::max(width, x);
    if (Wraps(button)) {
      y += m_sizeButton.cy;
      x = 0;
    }
  }
  if (x > 0) y += m_sizeButton.cy;
  return SIZE{width, y};
}

SIZE QVTToolBar::WrapAndMeasure(std::vector<TBBUTTON>& buttons, int width) const {
  WrapButtons(buttons, width);
  return MeasureButtons(buttons);
}

int QVTToolBar::WidthForHeight(std::vector<TBBUTTON>& buttons, int height) const {
  std::vector<TBBUTTON> one_row = buttons;
  int low = 0, high = static_cast<int>(WrapAndMeasure(one_row, kOneRow).cx);
  while (low < high) {
    const int middle = (low + high) / 2;
    if (WrapAndMeasure(buttons, middle).cy <= height) high = middle;
    else low = middle + 1;
  }
  return low;
}

int QVTToolBar::WidthForRows(std::vector<TBBUTTON>& buttons, int width) const {
  std::vector<TBBUTTON> one_row = buttons;
  int high = std::min(std::max(width, 0), static_cast<int>(WrapAndMeasure(one_row, kOneRow).cx));
  const int rows = WrapButtons(buttons, high);
  int low = 0;
  while (low < high) {
    const int middle = (low + high) / 2;
    if (WrapButtons(buttons, middle) <= rows) high = middle;
    else low = middle + 1;
  }
  return low;
}

SIZE QVTToolBar::CalcLayout(int length, DWORD mode) {
  using namespace afx;
  const int count = GetCount();
  std::vector<TBBUTTON> buttons;
  buttons.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) buttons.push_back(ReadButton(i));
  const bool vertical = !(mode & LM_HORZ);
  const SIZE borders = BorderSize(!vertical);
  if ((mode & LM_STRETCH) && length > 0) length = static_cast<int>(static_cast<float>(length) * m_fPctWidth);
  SIZE size{0, 0};
  if (m_dwStyle & CBRS_SIZE_FIXED) {
    size = MeasureButtons(buttons);  // a fixed bar keeps the rows it was given
  } else if (!(m_dwStyle & CBRS_SIZE_DYNAMIC)) {
    size = WrapAndMeasure(buttons, vertical ? 0 : kOneRow);
  } else if (mode & LM_MRUWIDTH) {
    size = WrapAndMeasure(buttons, m_nMRUWidth - borders.cx);
  } else if (length == -1) {
    size = WrapAndMeasure(buttons, IsFloating() ? m_nMRUWidth - borders.cx : (vertical ? 0 : kOneRow));
  } else if (mode & LM_LENGTHY) {
    size = WrapAndMeasure(buttons, WidthForHeight(buttons, length - borders.cy));
  } else {
    size = WrapAndMeasure(buttons, WidthForRows(buttons, length - borders.cx));
  }
  SIZE result{size.cx + borders.cx, size.cy + borders.cy};
  const bool floating = !(mode & (LM_HORZDOCK | LM_VERTDOCK));
  if (floating) result.cy -= 2;
  if (!(mode & LM_COMMIT)) return result;
  CommitWrap(buttons);
  if (mode & LM_HORZDOCK) {
    m_szHorz = result;
    m_bStaleHorz = FALSE;
  } else if (mode & LM_VERTDOCK) {
    m_szVert = result;
    m_bStaleVert = FALSE;
  } else {
    m_szFloat = result;
    m_nMRUWidth = result.cx;
    m_bStaleFloat = FALSE;
  }
  return result;
}

void QVTToolBar::CommitWrap(const std::vector<TBBUTTON>& buttons) {
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const int index = static_cast<int>(i);
    const TBBUTTON now = ReadButton(index);
    if (Wraps(now) != Wraps(buttons[i])) ReplaceButton(index, buttons[i]);
  }
  // A window placed over a separator (the separator's id is the window's) moves with it.
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (!IsSeparator(buttons[i]) || buttons[i].idCommand == 0) continue;
    const ui::HWND child = ui::GetDlgItem(m_hWnd, buttons[i].idCommand);
    RECT rect;
    if (!child || !GetToolBarCtrl().GetItemRect(static_cast<int>(i), &rect)) continue;
    ui::SetWindowPos(child, nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// Messages.

LRESULT QVTToolBar::OnNcCreateMessage(ui::WPARAM, ui::LPARAM) {
  // The control's commands and notifications go to the bar's owner.
  if (CFrameWnd* owner = GetDockingFrame())
    ui::SendMessage(m_hWnd, ui::TB_SETPARENT, reinterpret_cast<ui::WPARAM>(owner->m_hWnd), 0);
  ui::SendMessage(m_hWnd, ui::TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  return Default();
}

LRESULT QVTToolBar::OnNcHitTestMessage(ui::WPARAM, ui::LPARAM) { return ui::HTCLIENT; }

LRESULT QVTToolBar::OnNcCalcSizeMessage(ui::WPARAM wParam, ui::LPARAM lParam) {
  RECT* rect = wParam ? &reinterpret_cast<ui::NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
  if (!rect) return 0;
  RECT inside{0, 0, 0, 0};
  CalcInsideRect(inside, (m_dwStyle & afx::CBRS_ORIENT_HORZ) ? TRUE : FALSE);
  if (CommonControlsVersion() < kVersion471) inside.top -= 2;
  rect->left += inside.left;
  rect->top += inside.top;
  rect->right += inside.right;
  rect->bottom += inside.bottom;
  return 0;
}

LRESULT QVTToolBar::OnNcPaintMessage(ui::WPARAM, ui::LPARAM) {
  afx::CWindowDC dc(this);
  RECT window, client;
  GetWindowRect(&window);
  GetClientRect(&client);
  ClientToScreen(&client);
  ui::OffsetRect(&client, -window.left, -window.top);
  ui::OffsetRect(&window, -window.left, -window.top);
  dc.ExcludeClipRect(client.left, client.top, client.right, client.bottom);
  dc.FillSolidRect(&window, ui::GetSysColor(ui::COLOR_BTNFACE));
  DrawBorders(&dc, window);
  return 0;
}

LRESULT QVTToolBar::OnPaintMessage(ui::WPARAM, ui::LPARAM) {
  m_bDelayedButtonLayout = FALSE;
  return Default();
}

void QVTToolBar::OnWindowPosChanging(ui::WINDOWPOS* pos) {
  const DWORD style = m_dwStyle;
  m_dwStyle &= ~afx::CBRS_BORDER_ANY;
  Default();
  m_dwStyle = style;
  if ((m_dwStyle & afx::CBRS_SIZE_DYNAMIC) && !(pos->flags & SWP_NOSIZE)) Invalidate();
}

void QVTToolBar::OnLButtonDown(UINT flags, POINT point) {
  // A press on a button is the control's; elsewhere it may drag the bar.
  if (OnToolHitTest(point) > 0) {
    Default();
    return;
  }
  QVTControlBar::OnLButtonDown(flags, point);
}

void QVTToolBar::OnLButtonUp(UINT flags, POINT point) {
  // The release of a button press is the control's, which holds the mouse
  // until then; the gripper's own buttons are the bar's.
  if (!m_bClosePressed && !m_bExpandPressed) {
    Default();
    return;
  }
  QVTControlBar::OnLButtonUp(flags, point);
}

void QVTToolBar::OnLButtonDblClk(UINT flags, POINT point) {
  if (OnToolHitTest(point) > 0) {
    Default();
    return;
  }
  QVTControlBar::OnLButtonDblClk(flags, point);
}

LRESULT QVTToolBar::WithFlatStyles() {
  if (!m_hWnd || CommonControlsVersion() < kVersion471) return Default();
  const DWORD style = GetStyle();
  ui::SetWindowLongPtr(m_hWnd, GWL_STYLE, static_cast<ui::LONG_PTR>(style | kFlatStyles));
  const LRESULT result = Default();
  ui::SetWindowLongPtr(m_hWnd, GWL_STYLE, static_cast<ui::LONG_PTR>(style));
  return result;
}

LRESULT QVTToolBar::OnSetButtonSizeMessage(ui::WPARAM, ui::LPARAM lParam) {
  m_sizeButton = SIZE{ui::LOWORD(static_cast<DWORD>(lParam)), ui::HIWORD(static_cast<DWORD>(lParam))};
  m_bStaleHorz = m_bStaleVert = m_bStaleFloat = TRUE;
  return WithFlatStyles();
}

LRESULT QVTToolBar::OnSetBitmapSizeMessage(ui::WPARAM, ui::LPARAM lParam) {
  m_sizeImage = SIZE{ui::LOWORD(static_cast<DWORD>(lParam)), ui::HIWORD(static_cast<DWORD>(lParam))};
  return WithFlatStyles();
}

LRESULT QVTToolBar::OnStyleSensitiveMessage(ui::WPARAM, ui::LPARAM) {
  return WithFlatStyles();
}

LRESULT QVTToolBar::OnSysColorChangeMessage(ui::WPARAM, ui::LPARAM) {
  // A bitmap from the resources takes the new colours; one handed in stays as it is.
  if (m_nResourceID) LoadBitmap(m_nResourceID);
  return Default();
}

}  // namespace docking
