#include "platform/afx/CheckListBox.h"

#include <algorithm>

#include "platform/ui/StylePainter.h"

namespace afx {

namespace {
constexpr DWORD kOwnerDrawn = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
// The box's square and the room between it and the text.
constexpr int kBox = 11, kTextGap = 3;  // a box a little smaller than the row, so boxes stay apart
}  // namespace

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
  ON_MESSAGE(LB_ADDSTRING, OnAddString)
  ON_MESSAGE(LB_INSERTSTRING, OnAddString)
  ON_MESSAGE(LB_DELETESTRING, OnDeleteString)
  ON_MESSAGE(LB_RESETCONTENT, OnResetContent)
  ON_MESSAGE(LB_GETITEMDATA, OnGetItemData)
  ON_MESSAGE(LB_SETITEMDATA, OnSetItemData)
  ON_MESSAGE(WM_LBUTTONDOWN, OnButtonDown)
  ON_MESSAGE(WM_LBUTTONDBLCLK, OnButtonDown)
  ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
  ON_MESSAGE(WM_CHAR, OnChar)
  ON_MESSAGE(WM_DESTROY, OnDestroyList)
END_MESSAGE_MAP()

CCheckListBox::~CCheckListBox() = default;

BOOL CCheckListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CListBox::Create(style | kOwnerDrawn, rect, parent, id);
}

BOOL CCheckListBox::SubclassDlgItem(UINT id, CWnd* parent) {
  if (!CWnd::SubclassDlgItem(id, parent)) return FALSE;
  ModifyStyle(0, kOwnerDrawn);
  // Rows added before the list was taken over get their state now.
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    auto state = std::make_unique<ItemState>();
    state->data = DefWindowProc(LB_GETITEMDATA, static_cast<WPARAM>(i), 0);
    DefWindowProc(LB_SETITEMDATA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(state.get()));
    m_states.push_back(std::move(state));
  }
  Invalidate();
  return TRUE;
}

CCheckListBox::ItemState* CCheckListBox::StateOf(int index) const {
  if (index < 0 || !m_hWnd) return nullptr;
  const LRESULT raw = const_cast<CCheckListBox*>(this)->DefWindowProc(LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  if (raw == LB_ERR || raw == 0) return nullptr;
  auto* state = reinterpret_cast<ItemState*>(raw);
  const bool ours = std::any_of(m_states.begin(), m_states.end(), [&](const auto& s) { return s.get() == state; });
  return ours ? state : nullptr;
}

void CCheckListBox::SetCheck(int index, int check) {
  ItemState* state = StateOf(index);
  if (!state) return;
  state->check = std::clamp(check, 0, m_nStyle == BS_AUTO3STATE ? 2 : 1);
  Invalidate(FALSE);
}

int CCheckListBox::GetCheck(int index) const {
  const ItemState* state = StateOf(index);
  return state ? state->check : 0;
}

void CCheckListBox::Enable(int index, BOOL enabled) {
  ItemState* state = StateOf(index);
  if (!state) return;
  state->enabled = enabled != FALSE;
  Invalidate(FALSE);
}

BOOL CCheckListBox::IsEnabled(int index) const {
  const ItemState* state = StateOf(index);
  return state && state->enabled ? TRUE : FALSE;
}

LRESULT CCheckListBox::OnAddString(WPARAM, LPARAM) {
  const LRESULT index = Default();
  if (index < 0) return index;
  auto state = std::make_unique<ItemState>();
  DefWindowProc(LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(state.get()));
  m_states.push_back(std::move(state));
  return index;
}

LRESULT CCheckListBox::OnDeleteString(WPARAM wParam, LPARAM) {
  const ItemState* state = StateOf(static_cast<int>(wParam));
  const LRESULT result = Default();
  if (result >= 0 && state)
    m_states.erase(std::remove_if(m_states.begin(), m_states.end(), [&](const auto& s) { return s.get() == state; }),
                   m_states.end());
  return result;
}

LRESULT CCheckListBox::OnResetContent(WPARAM, LPARAM) {
  const LRESULT result = Default();
  m_states.clear();
  return result;
}

LRESULT CCheckListBox::OnGetItemData(WPARAM wParam, LPARAM) {
  const ItemState* state = StateOf(static_cast<int>(wParam));
  return state ? state->data : LB_ERR;
}

LRESULT CCheckListBox::OnSetItemData(WPARAM wParam, LPARAM lParam) {
  ItemState* state = StateOf(static_cast<int>(wParam));
  if (!state) return LB_ERR;
  state->data = lParam;
  return LB_OKAY;
}

void CCheckListBox::Toggle(int index) {
  ItemState* state = StateOf(index);
  if (!state || !state->enabled || !IsWindowEnabled()) return;
  state->check = (state->check + 1) % (m_nStyle == BS_AUTO3STATE ? 3 : 2);
  Invalidate(FALSE);
  if (CWnd* parent = GetParent())
    parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(GetDlgCtrlID()), CLBN_CHKCHANGE),
                        reinterpret_cast<LPARAM>(m_hWnd));
}

LRESULT CCheckListBox::OnButtonDown(WPARAM, LPARAM lParam) {
  // The row is selected as in any list; a press on its box also turns it.
  const LRESULT result = Default();
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  const int height = static_cast<int>(SendMessage(LB_GETITEMHEIGHT));
  const int index = GetTopIndex() + (height > 0 ? y / height : 0);
  if (index < GetCount() && x >= 0 && x < kBox + 2) Toggle(index);
  return result;
}

LRESULT CCheckListBox::OnKeyDown(WPARAM wParam, LPARAM) {
  if (wParam != VK_SPACE) return Default();
  const int caret = static_cast<int>(SendMessage(LB_GETCARETINDEX));
  Toggle(caret >= 0 ? caret : GetCurSel());
  return 0;
}

LRESULT CCheckListBox::OnChar(WPARAM wParam, LPARAM) { return wParam == ' ' ? 0 : Default(); }

LRESULT CCheckListBox::OnDestroyList(WPARAM, LPARAM) {
  const LRESULT result = Default();
  m_states.clear();
  return result;
}

RECT CCheckListBox::CheckBoxRect(const RECT& row) {
  const int top = row.top + (row.bottom - row.top - kBox) / 2;
  return RECT{row.left + 1, top, row.left + 1 + kBox, top + kBox};
}

BOOL CCheckListBox::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
  if (message != WM_DRAWITEM) return FALSE;
  DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  if (result) *result = TRUE;
  return TRUE;
}

void CCheckListBox::DrawItem(const DRAWITEMSTRUCT& draw) {
  const HDC hdc = draw.hDC;
  const auto* state = reinterpret_cast<const ItemState*>(draw.itemData);
  const bool ours = std::any_of(m_states.begin(), m_states.end(), [&](const auto& s) { return s.get() == state; });
  const bool enabled = !(draw.itemState & ODS_DISABLED) && (!ours || state->enabled);
  const bool selected = (draw.itemState & ODS_SELECTED) != 0;
  const RECT box = CheckBoxRect(draw.rcItem);
  ::ui::StylePainter::FillSolid(hdc, RECT{draw.rcItem.left, draw.rcItem.top, box.right + kTextGap, draw.rcItem.bottom},
                                ::ui::GetSysColor(COLOR_WINDOW));
  const int check = ours ? state->check : 0;
  ::ui::StylePainter::PaintCheckBox(hdc, box, check != 0, enabled && check != 2);
  RECT text{box.right + kTextGap, draw.rcItem.top, draw.rcItem.right, draw.rcItem.bottom};
  ::ui::StylePainter::FillSolid(hdc, text, ::ui::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  std::string label;
  GetText(static_cast<int>(draw.itemID), label);
  ::ui::SetBkMode(hdc, TRANSPARENT);
  const int ink = !enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
  ::ui::SetTextColor(hdc, ::ui::GetSysColor(ink));
  RECT label_rect{text.left + 1, text.top, text.right, text.bottom};
  ::ui::DrawText(hdc, label.c_str(), static_cast<int>(label.size()), &label_rect,
                 DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (draw.itemState & ODS_FOCUS) ::ui::StylePainter::PaintFocusRect(hdc, text);
}

}  // namespace afx
