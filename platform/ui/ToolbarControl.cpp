// The toolbar control: buttons side by side from the top-left corner, a
// new row after each button that carries TBSTATE_WRAP (a separator that
// carries it is a gap between the rows), images cut from the
// bitmaps added to it in the order they were added, and a text under the
// image for a button that names one of the control's strings. A press
// holds the mouse; releasing it over the same enabled button toggles a
// check button (a group's checked button stays checked) and sends the
// button's command to the control's parent.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ui/ControlMessages.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Text.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/ControlPaint.h"
#include "platform/ui/internal/StandardClasses.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

namespace {

// A separator whose record gives no width.
constexpr int kDefaultSeparatorWidth = 8;
// The line the control draws along its top unless CCS_NODIVIDER.
constexpr int kDividerHeight = 2;

// One bitmap added to the control: its images follow those of the bitmaps before it.
struct ImageStrip {
  const void* instance = nullptr;
  UINT_PTR id = 0;
  HBITMAP bitmap = nullptr;
  bool owned = false;  // loaded from a resource by the control
  int count = 0;
};

struct ToolbarData : ControlData {
  ~ToolbarData() override {
    for (const ImageStrip& strip : strips)
      if (strip.owned) DeleteObject(strip.bitmap);
  }
  std::vector<TBBUTTON> buttons;
  std::vector<ImageStrip> strips;
  std::vector<std::string> strings;
  SIZE bitmap_size{16, 15};
  SIZE button_size{23, 22};
  HWND notify = nullptr;  // null: the parent
  int pressed = -1;       // the button holding the mouse
  bool pressed_inside = false;
};

bool IsVisible(const TBBUTTON& button) { return !(button.fsState & TBSTATE_HIDDEN); }
bool IsSeparator(const TBBUTTON& button) { return (button.fsStyle & TBSTYLE_SEP) != 0; }

int ItemWidth(const ToolbarData& data, const TBBUTTON& button) {
  if (!IsSeparator(button)) return data.button_size.cx;
  return button.iBitmap > 0 ? button.iBitmap : kDefaultSeparatorWidth;
}

int TopOf(HWND hwnd) { return (StyleOf(hwnd) & CCS_NODIVIDER) ? 0 : kDividerHeight; }

// Every button's rectangle; hidden buttons get an empty one where they would be.
std::vector<RECT> Layout(HWND hwnd, const ToolbarData& data) {
  std::vector<RECT> rects;
  rects.reserve(data.buttons.size());
  int x = 0, y = TopOf(hwnd);
  for (const TBBUTTON& button : data.buttons) {
    if (!IsVisible(button)) {
      rects.push_back(RECT{x, y, x, y});
      continue;
    }
    const int width = ItemWidth(data, button);
    if (IsSeparator(button) && (button.fsState & TBSTATE_WRAP)) {
      // A separator that ends a row is a gap under it, two thirds of its width high.
      const int gap = width * 2 / 3;
      rects.push_back(RECT{0, y + data.button_size.cy, x, y + data.button_size.cy + gap});
      x = 0;
      y += data.button_size.cy + gap;
      continue;
    }
    rects.push_back(RECT{x, y, x + width, y + data.button_size.cy});
    x += width;
    if (button.fsState & TBSTATE_WRAP) {
      x = 0;
      y += data.button_size.cy;
    }
  }
  return rects;
}

int IndexOfCommand(const ToolbarData& data, WPARAM id) {
  for (std::size_t i = 0; i < data.buttons.size(); ++i)
    if (static_cast<WPARAM>(static_cast<UINT>(data.buttons[i].idCommand)) == (id & 0xFFFFFFFFu))
      return static_cast<int>(i);
  return -1;
}

int ButtonAt(HWND hwnd, const ToolbarData& data, POINT point) {
  const std::vector<RECT> rects = Layout(hwnd, data);
  for (std::size_t i = 0; i < rects.size(); ++i)
    if (IsVisible(data.buttons[i]) && !IsSeparator(data.buttons[i]) && PtInRect(&rects[i], point))
      return static_cast<int>(i);
  return -1;
}

// The strip and the image's column in it for image `index`.
const ImageStrip* FindImage(const ToolbarData& data, int index, int& column) {
  for (const ImageStrip& strip : data.strips) {
    if (index < strip.count) {
      column = index;
      return &strip;
    }
    index -= strip.count;
  }
  return nullptr;
}

int ImageCount(HBITMAP bitmap, const ToolbarData& data) {
  SIZE size{0, 0};
  GetBitmapDimensionEx(bitmap, &size);
  return data.bitmap_size.cx > 0 ? static_cast<int>(size.cx / data.bitmap_size.cx) : 0;
}

// A disabled image: its dark pixels embossed, highlight one pixel down-right under shadow.
void PaintDisabledImage(HDC hdc, HBITMAP bitmap, int column, const ToolbarData& data, int x, int y) {
  const COLORREF face = GetSysColor(COLOR_3DFACE);
  const COLORREF light = GetSysColor(COLOR_3DHIGHLIGHT);
  const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
  const int left = column * data.bitmap_size.cx;
  for (const bool highlight_pass : {true, false}) {
    for (int row = 0; row < data.bitmap_size.cy; ++row) {
      for (int col = 0; col < data.bitmap_size.cx; ++col) {
        const COLORREF pixel = GetBitmapPixel(bitmap, left + col, row);
        if (pixel == CLR_INVALID || pixel == face || pixel == light) continue;
        // Only what is darker than the face takes part, as a disabled glyph shows it.
        if (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) >= 3 * 0xC0) continue;
        if (highlight_pass) SetPixel(hdc, x + col + 1, y + row + 1, light);
        else SetPixel(hdc, x + col, y + row, shadow);
      }
    }
  }
}

void PaintImage(HDC hdc, const ToolbarData& data, const TBBUTTON& button, int x, int y) {
  int column = 0;
  const ImageStrip* strip = FindImage(data, button.iBitmap, column);
  if (!strip || !strip->bitmap) return;
  if (!(button.fsState & TBSTATE_ENABLED)) {
    PaintDisabledImage(hdc, strip->bitmap, column, data, x, y);
    return;
  }
  const HDC memory = CreateCompatibleDC(hdc);
  const HGDIOBJ old = SelectObject(memory, strip->bitmap);
  BitBlt(hdc, x, y, data.bitmap_size.cx, data.bitmap_size.cy, memory, column * data.bitmap_size.cx, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

void PaintSeparator(HDC hdc, const RECT& rect, bool flat, bool between_rows) {
  if (!flat) return;  // a classic toolbar's separator is only a gap
  if (between_rows) {
    const int middle = (rect.top + rect.bottom) / 2;
    RECT line{rect.left + 1, middle - 1, rect.right - 1, middle + 1};
    StylePainter::PaintEdge(hdc, line, EDGE_ETCHED, BF_TOP);
    return;
  }
  const int middle = (rect.left + rect.right) / 2;
  RECT line{middle - 1, rect.top + 1, middle + 1, rect.bottom - 1};
  StylePainter::PaintEdge(hdc, line, EDGE_ETCHED, BF_LEFT);
}

void PaintButton(HDC hdc, const ToolbarData& data, const TBBUTTON& button, const RECT& rect, bool flat,
                 bool held_down) {
  StylePainter::ButtonState state;
  state.pressed = (button.fsState & TBSTATE_PRESSED) || held_down;
  state.checked = (button.fsState & TBSTATE_CHECKED) != 0;
  state.flat = flat && !state.pressed && !state.checked;
  const RECT label = StylePainter::PaintButtonFace(hdc, rect, state);
  const bool has_text = button.iString >= 0 && static_cast<std::size_t>(button.iString) < data.strings.size();
  const int image_x = label.left + (label.right - label.left - data.bitmap_size.cx) / 2;
  const int image_y = has_text ? label.top + 1 : label.top + (label.bottom - label.top - data.bitmap_size.cy) / 2;
  PaintImage(hdc, data, button, image_x, image_y);
  if (!has_text) return;
  const RECT text{label.left, image_y + data.bitmap_size.cy, label.right, label.bottom};
  StylePainter::PaintLabel(hdc, text, data.strings[static_cast<std::size_t>(button.iString)],
                           DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX, (button.fsState & TBSTATE_ENABLED) != 0);
}

void Paint(HWND hwnd, const ToolbarData& data) {
  ControlPaintScope scope(hwnd);
  if (!scope.dc()) return;
  const HDC hdc = scope.dc();
  StylePainter::FillSolid(hdc, scope.client(), GetSysColor(COLOR_3DFACE));
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
  const DWORD style = StyleOf(hwnd);
  if (!(style & CCS_NODIVIDER)) {
    RECT divider{scope.client().left, 0, scope.client().right, kDividerHeight};
    StylePainter::PaintEdge(hdc, divider, EDGE_ETCHED, BF_TOP);
  }
  const bool flat = (style & TBSTYLE_FLAT) != 0;
  const std::vector<RECT> rects = Layout(hwnd, data);
  for (std::size_t i = 0; i < data.buttons.size(); ++i) {
    const TBBUTTON& button = data.buttons[i];
    if (!IsVisible(button)) continue;
    if (IsSeparator(button)) PaintSeparator(hdc, rects[i], flat, (button.fsState & TBSTATE_WRAP) != 0);
    else PaintButton(hdc, data, button, rects[i], flat, static_cast<int>(i) == data.pressed && data.pressed_inside);
  }
}

LRESULT AddBitmap(ToolbarData& data, WPARAM count, LPARAM lParam) {
  const auto* add = reinterpret_cast<const TBADDBITMAP*>(lParam);
  if (!add) return -1;
  ImageStrip strip{add->hInst, add->nID, nullptr, false, static_cast<int>(count)};
  if (add->hInst) {
    strip.bitmap = LoadBitmap(static_cast<UINT>(add->nID));
    strip.owned = true;
  } else {
    strip.bitmap = reinterpret_cast<HBITMAP>(add->nID);
  }
  if (!strip.bitmap) return -1;
  if (strip.count <= 0) strip.count = ImageCount(strip.bitmap, data);
  int first = 0;
  for (const ImageStrip& earlier : data.strips) first += earlier.count;
  data.strips.push_back(strip);
  return first;
}

LRESULT ReplaceBitmap(HWND hwnd, ToolbarData& data, LPARAM lParam) {
  const auto* replace = reinterpret_cast<const TBREPLACEBITMAP*>(lParam);
  if (!replace) return FALSE;
  for (ImageStrip& strip : data.strips) {
    if (strip.instance != replace->hInstOld || strip.id != replace->nIDOld) continue;
    HBITMAP bitmap = replace->hInstNew ? LoadBitmap(static_cast<UINT>(replace->nIDNew))
                                       : reinterpret_cast<HBITMAP>(replace->nIDNew);
    if (!bitmap) return FALSE;
    if (strip.owned) DeleteObject(strip.bitmap);
    strip = ImageStrip{replace->hInstNew, replace->nIDNew, bitmap, replace->hInstNew != nullptr,
                       replace->nButtons > 0 ? replace->nButtons : ImageCount(bitmap, data)};
    InvalidateRect(hwnd, nullptr, FALSE);
    return TRUE;
  }
  return FALSE;
}

LRESULT InsertButtons(HWND hwnd, ToolbarData& data, std::size_t at, WPARAM count, LPARAM lParam) {
  const auto* records = reinterpret_cast<const TBBUTTON*>(lParam);
  if (!records || at > data.buttons.size()) return FALSE;
  data.buttons.insert(data.buttons.begin() + static_cast<std::ptrdiff_t>(at), records, records + count);
  InvalidateRect(hwnd, nullptr, FALSE);
  return TRUE;
}

LRESULT DeleteButton(HWND hwnd, ToolbarData& data, WPARAM index) {
  if (index >= data.buttons.size()) return FALSE;
  data.buttons.erase(data.buttons.begin() + static_cast<std::ptrdiff_t>(index));
  if (data.pressed >= 0) {
    ReleaseCapture();
    data.pressed = -1;
  }
  InvalidateRect(hwnd, nullptr, FALSE);
  return TRUE;
}

// The strings of TB_ADDSTRING: one text after another, each ending in a
// zero, the list ending in a second zero. Returns the first new index.
LRESULT AddStrings(ToolbarData& data, WPARAM instance, LPARAM lParam) {
  const char* text = reinterpret_cast<const char*>(lParam);
  if (instance || !text) return -1;  // string resources are not taken this way here
  const LRESULT first = static_cast<LRESULT>(data.strings.size());
  while (*text) {
    data.strings.emplace_back(text);
    text += data.strings.back().size() + 1;
  }
  return first;
}

// TB_SETSTATE and the one-bit messages built on it.
LRESULT SetState(HWND hwnd, ToolbarData& data, WPARAM id, BYTE state) {
  const int index = IndexOfCommand(data, id);
  if (index < 0) return FALSE;
  TBBUTTON& button = data.buttons[static_cast<std::size_t>(index)];
  if (button.fsState == state) return TRUE;
  button.fsState = state;
  InvalidateRect(hwnd, nullptr, FALSE);
  return TRUE;
}

LRESULT SetStateBit(HWND hwnd, ToolbarData& data, WPARAM id, BYTE bit, bool on) {
  const int index = IndexOfCommand(data, id);
  if (index < 0) return FALSE;
  const BYTE state = data.buttons[static_cast<std::size_t>(index)].fsState;
  return SetState(hwnd, data, id, static_cast<BYTE>(on ? state | bit : state & ~bit));
}

LRESULT ItemRect(HWND hwnd, const ToolbarData& data, int index, LPARAM lParam) {
  RECT* out = reinterpret_cast<RECT*>(lParam);
  if (!out || index < 0 || static_cast<std::size_t>(index) >= data.buttons.size()) return FALSE;
  if (!IsVisible(data.buttons[static_cast<std::size_t>(index)])) return FALSE;
  *out = Layout(hwnd, data)[static_cast<std::size_t>(index)];
  return TRUE;
}

LRESULT ButtonText(const ToolbarData& data, WPARAM id, LPARAM lParam) {
  const int index = IndexOfCommand(data, id);
  if (index < 0) return -1;
  const INT_PTR string = data.buttons[static_cast<std::size_t>(index)].iString;
  if (string < 0 || static_cast<std::size_t>(string) >= data.strings.size()) return -1;
  const std::string& text = data.strings[static_cast<std::size_t>(string)];
  if (char* out = reinterpret_cast<char*>(lParam)) std::memcpy(out, text.c_str(), text.size() + 1);
  return static_cast<LRESULT>(text.size());
}

// A click on a check button: a plain check toggles; a group's button is
// checked and the others of its run of group buttons let go.
void ToggleCheck(ToolbarData& data, std::size_t index) {
  TBBUTTON& button = data.buttons[index];
  if ((button.fsStyle & TBSTYLE_CHECKGROUP) != TBSTYLE_CHECKGROUP) {
    button.fsState ^= TBSTATE_CHECKED;
    return;
  }
  auto in_group = [&](std::size_t i) { return (data.buttons[i].fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP; };
  for (std::size_t i = index; i > 0 && in_group(i - 1); --i) data.buttons[i - 1].fsState &= ~TBSTATE_CHECKED;
  for (std::size_t i = index + 1; i < data.buttons.size() && in_group(i); ++i)
    data.buttons[i].fsState &= ~TBSTATE_CHECKED;
  button.fsState |= TBSTATE_CHECKED;
}

LRESULT OnButtonDown(HWND hwnd, ToolbarData& data, LPARAM lParam) {
  const int index = ButtonAt(hwnd, data, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  if (index < 0 || !(data.buttons[static_cast<std::size_t>(index)].fsState & TBSTATE_ENABLED)) return 0;
  data.pressed = index;
  data.pressed_inside = true;
  SetCapture(hwnd);
  InvalidateRect(hwnd, nullptr, FALSE);
  return 0;
}

LRESULT OnMouseMove(HWND hwnd, ToolbarData& data, LPARAM lParam) {
  if (data.pressed < 0) return 0;
  const bool inside = ButtonAt(hwnd, data, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) == data.pressed;
  if (inside != data.pressed_inside) {
    data.pressed_inside = inside;
    InvalidateRect(hwnd, nullptr, FALSE);
  }
  return 0;
}

LRESULT OnButtonUp(HWND hwnd, ToolbarData& data, LPARAM lParam) {
  if (data.pressed < 0) return 0;
  const int index = data.pressed;
  const bool inside = ButtonAt(hwnd, data, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) == index;
  data.pressed = -1;
  ReleaseCapture();
  InvalidateRect(hwnd, nullptr, FALSE);
  if (!inside) return 0;
  const std::size_t at = static_cast<std::size_t>(index);
  if (data.buttons[at].fsStyle & TBSTYLE_CHECK) ToggleCheck(data, at);
  const HWND target = data.notify ? data.notify : ParentOf(hwnd);
  if (target)
    SendMessage(target, WM_COMMAND, MAKEWPARAM(static_cast<UINT>(data.buttons[at].idCommand), BN_CLICKED),
                reinterpret_cast<LPARAM>(hwnd));
  return 0;
}

LRESULT Dispatch(HWND hwnd, ToolbarData& data, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case TB_BUTTONSTRUCTSIZE: return 0;  // records are typed here: there is one size only
    case TB_SETBITMAPSIZE:
      data.bitmap_size = SIZE{LOWORD(static_cast<DWORD>(lParam)), HIWORD(static_cast<DWORD>(lParam))};
      return TRUE;
    case TB_SETBUTTONSIZE:
      data.button_size = SIZE{LOWORD(static_cast<DWORD>(lParam)), HIWORD(static_cast<DWORD>(lParam))};
      InvalidateRect(hwnd, nullptr, FALSE);
      return TRUE;
    case TB_GETBUTTONSIZE:
      return MAKELRESULT(static_cast<unsigned>(data.button_size.cx), static_cast<unsigned>(data.button_size.cy));
    case TB_ADDBITMAP: return AddBitmap(data, wParam, lParam);
    case TB_REPLACEBITMAP: return ReplaceBitmap(hwnd, data, lParam);
    case TB_ADDBUTTONS: return InsertButtons(hwnd, data, data.buttons.size(), wParam, lParam);
    case TB_INSERTBUTTON: return InsertButtons(hwnd, data, std::min<std::size_t>(wParam, data.buttons.size()), 1, lParam);
    case TB_DELETEBUTTON: return DeleteButton(hwnd, data, wParam);
    case TB_GETBUTTON: {
      auto* out = reinterpret_cast<TBBUTTON*>(lParam);
      if (!out || wParam >= data.buttons.size()) return FALSE;
      *out = data.buttons[wParam];
      return TRUE;
    }
    case TB_BUTTONCOUNT: return static_cast<LRESULT>(data.buttons.size());
    case TB_COMMANDTOINDEX: return IndexOfCommand(data, wParam);
    case TB_GETITEMRECT: return ItemRect(hwnd, data, static_cast<int>(wParam), lParam);
    case TB_GETRECT: return ItemRect(hwnd, data, IndexOfCommand(data, wParam), lParam);
    case TB_SETSTATE: return SetState(hwnd, data, wParam, static_cast<BYTE>(LOWORD(static_cast<DWORD>(lParam))));
    case TB_GETSTATE: {
      const int index = IndexOfCommand(data, wParam);
      return index < 0 ? -1 : data.buttons[static_cast<std::size_t>(index)].fsState;
    }
    case TB_ENABLEBUTTON: return SetStateBit(hwnd, data, wParam, TBSTATE_ENABLED, LOWORD(static_cast<DWORD>(lParam)) != 0);
    case TB_CHECKBUTTON: return SetStateBit(hwnd, data, wParam, TBSTATE_CHECKED, LOWORD(static_cast<DWORD>(lParam)) != 0);
    case TB_PRESSBUTTON: return SetStateBit(hwnd, data, wParam, TBSTATE_PRESSED, LOWORD(static_cast<DWORD>(lParam)) != 0);
    case TB_HIDEBUTTON: return SetStateBit(hwnd, data, wParam, TBSTATE_HIDDEN, LOWORD(static_cast<DWORD>(lParam)) != 0);
    case TB_ISBUTTONENABLED: {
      const LRESULT state = Dispatch(hwnd, data, TB_GETSTATE, wParam, 0);
      return state >= 0 && (state & TBSTATE_ENABLED) ? TRUE : FALSE;
    }
    case TB_ISBUTTONCHECKED: {
      const LRESULT state = Dispatch(hwnd, data, TB_GETSTATE, wParam, 0);
      return state >= 0 && (state & TBSTATE_CHECKED) ? TRUE : FALSE;
    }
    case TB_ADDSTRING: return AddStrings(data, wParam, lParam);
    case TB_GETBUTTONTEXT: return ButtonText(data, wParam, lParam);
    case TB_SETPARENT: {
      const HWND old = data.notify ? data.notify : ParentOf(hwnd);
      data.notify = reinterpret_cast<HWND>(wParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case TB_AUTOSIZE: return 0;  // the control never places itself: its owner lays it out
    case TB_SETSTYLE:
      SetWindowLongPtr(hwnd, GWL_STYLE, static_cast<LONG_PTR>(lParam));
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case TB_GETSTYLE: return static_cast<LRESULT>(StyleOf(hwnd));
    case WM_PAINT: Paint(hwnd, data); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return OnButtonDown(hwnd, data, lParam);
    case WM_MOUSEMOVE: return OnMouseMove(hwnd, data, lParam);
    case WM_LBUTTONUP: return OnButtonUp(hwnd, data, lParam);
    case WM_CAPTURECHANGED:
      if (data.pressed >= 0 && reinterpret_cast<HWND>(lParam) != hwnd) {
        data.pressed = -1;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace

LRESULT ToolbarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto state = ControlState<ToolbarData>(hwnd);
  if (!state) return 0;
  return Dispatch(hwnd, *state, message, wParam, lParam);
}

}  // namespace ui::internal
