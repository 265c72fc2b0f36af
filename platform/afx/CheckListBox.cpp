#include "platform/afx/CheckListBox.h"

#include <algorithm>
#include <string>

#include "platform/afx/MessageMap.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Text.h"

namespace afx {

namespace {

constexpr int kBoxSize = 13;
// A row holds the box with a pixel above and below it.
constexpr int kRowHeight = kBoxSize + 2;
constexpr int kTextGap = 3;

}  // namespace

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_MESSAGE(::ui::WM_KEYDOWN, OnKeyDownMessage)
END_MESSAGE_MAP()

CCheckListBox::~CCheckListBox() = default;

BOOL CCheckListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (!CWnd::Create("ListBox", "", style | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, rect, parent, id)) return FALSE;
  PreSubclassWindow();
  return TRUE;
}

void CCheckListBox::PreSubclassWindow() {
  if (SendMessage(LB_GETITEMHEIGHT) < kRowHeight) SendMessage(LB_SETITEMHEIGHT, 0, kRowHeight);
}

void CCheckListBox::SetCheckStyle(UINT style) {
  if (style == BS_CHECKBOX || style == BS_AUTOCHECKBOX || style == BS_3STATE || style == BS_AUTO3STATE)
    check_style_ = style;
}

CCheckListBox::ItemState* CCheckListBox::StateOf(int index) const {
  const LRESULT data = CListBox::GetItemData(index);
  if (data == LB_ERR || data == 0) return nullptr;
  return reinterpret_cast<ItemState*>(data);
}

CCheckListBox::ItemState& CCheckListBox::MakeState(int index) {
  if (ItemState* state = StateOf(index)) return *state;
  states_.push_back(std::make_unique<ItemState>());
  ItemState& state = *states_.back();
  CListBox::SetItemData(index, reinterpret_cast<LPARAM>(&state));
  return state;
}

void CCheckListBox::Forget(UINT_PTR item_data) {
  std::erase_if(states_, [&](const std::unique_ptr<ItemState>& s) { return reinterpret_cast<UINT_PTR>(s.get()) == item_data; });
}

void CCheckListBox::SetCheck(int index, int check) {
  if (index < 0 || index >= GetCount() || check < 0 || check > 2) return;
  if (check == 2 && check_style_ != BS_3STATE && check_style_ != BS_AUTO3STATE) return;
  MakeState(index).check = check;
  Invalidate(FALSE);
}

int CCheckListBox::GetCheck(int index) const {
  const ItemState* state = StateOf(index);
  return state ? state->check : 0;
}

void CCheckListBox::Enable(int index, BOOL enabled) {
  if (index < 0 || index >= GetCount()) return;
  MakeState(index).enabled = enabled != FALSE;
  Invalidate(FALSE);
}

BOOL CCheckListBox::IsEnabled(int index) const {
  const ItemState* state = StateOf(index);
  return state ? state->enabled : TRUE;
}

LPARAM CCheckListBox::GetItemData(int index) const {
  if (index < 0 || index >= GetCount()) return LB_ERR;
  const ItemState* state = StateOf(index);
  return state ? state->data : 0;
}

int CCheckListBox::SetItemData(int index, LPARAM data) {
  if (index < 0 || index >= GetCount()) return LB_ERR;
  MakeState(index).data = data;
  return LB_OKAY;
}

RECT CCheckListBox::CheckBoxRect(const RECT& item) {
  const int top = item.top + (item.bottom - item.top - kBoxSize) / 2;
  return RECT{item.left + 1, top, item.left + 1 + kBoxSize, top + kBoxSize};
}

void CCheckListBox::DrawItem(const DRAWITEMSTRUCT& draw) {
  const HDC hdc = draw.hDC;
  const RECT& item = draw.rcItem;
  const auto* state = draw.itemData ? reinterpret_cast<const ItemState*>(draw.itemData) : nullptr;
  const bool enabled = !(draw.itemState & ODS_DISABLED) && (!state || state->enabled);
  const bool selected = (draw.itemState & ODS_SELECTED) != 0;
  const RECT box = CheckBoxRect(item);
  RECT label{box.right + kTextGap, item.top, item.right, item.bottom};
  ::ui::StylePainter::FillSolid(hdc, RECT{item.left, item.top, label.left, item.bottom}, ::ui::GetSysColor(COLOR_WINDOW));
  ::ui::StylePainter::FillSolid(hdc, label, ::ui::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  // The third state shows the tick greyed.
  const int check = state ? state->check : 0;
  ::ui::StylePainter::PaintCheckBox(hdc, box, check != 0, enabled && check != 2);
  std::string text;
  GetText(static_cast<int>(draw.itemID), text);
  ::ui::SetBkMode(hdc, TRANSPARENT);
  ::ui::SetTextColor(hdc, ::ui::GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT text_rect{label.left + 1, label.top, label.right, label.bottom};
  ::ui::DrawText(hdc, text.c_str(), static_cast<int>(text.size()), &text_rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (draw.itemState & ODS_FOCUS) ::ui::StylePainter::PaintFocusRect(hdc, label);
}

BOOL CCheckListBox::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_DRAWITEM: DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); break;
    case WM_MEASUREITEM: reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = kRowHeight; break;
    case WM_DELETEITEM: Forget(reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->itemData); break;
    default: return FALSE;
  }
  if (result) *result = TRUE;
  return TRUE;
}

void CCheckListBox::Toggle(int index) {
  if (!IsEnabled(index)) return;
  if (check_style_ == BS_AUTOCHECKBOX || check_style_ == BS_AUTO3STATE) {
    const int states = check_style_ == BS_AUTO3STATE ? 3 : 2;
    SetCheck(index, (GetCheck(index) + 1) % states);
  }
  if (CWnd* parent = GetParent())
    parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(GetDlgCtrlID()), CLBN_CHKCHANGE),
                        reinterpret_cast<LPARAM>(m_hWnd));
}

int CCheckListBox::ItemAtPoint(POINT point) const {
  const LRESULT height = std::max<LRESULT>(1, SendMessage(LB_GETITEMHEIGHT));
  const int index = static_cast<int>(SendMessage(LB_GETTOPINDEX) + point.y / height);
  return index < GetCount() ? index : -1;
}

void CCheckListBox::OnLButtonDown(UINT, POINT point) {
  const int index = ItemAtPoint(point);
  Default();  // selection and focus first, as for any list
  if (index < 0) return;
  const LRESULT height = std::max<LRESULT>(1, SendMessage(LB_GETITEMHEIGHT));
  const int top = static_cast<int>((index - SendMessage(LB_GETTOPINDEX)) * height);
  const RECT box = CheckBoxRect(RECT{0, top, kBoxSize + 2, top + static_cast<int>(height)});
  if (point.x >= box.left && point.x < box.right && point.y >= box.top && point.y < box.bottom) Toggle(index);
}

void CCheckListBox::OnLButtonDblClk(UINT flags, POINT point) { OnLButtonDown(flags, point); }

LRESULT CCheckListBox::OnKeyDownMessage(WPARAM key, LPARAM) {
  if (key != VK_SPACE) return Default();
  const int count = GetCount();
  const bool multiple = (GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
  if (!multiple) {
    const int current = GetCurSel();
    if (current >= 0) Toggle(current);
    return 0;
  }
  // Space on a multiple selection turns the check of every selected item.
  for (int i = 0; i < count; ++i)
    if (GetSel(i) > 0) Toggle(i);
  return 0;
}

}  // namespace afx
