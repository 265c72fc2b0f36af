// CCheckListBox: a list box whose rows carry a check box each, drawn by
// the framework on the owner-drawn list. A click on the box or the space
// bar turns the check (unless the row is disabled) and tells the parent
// CLBN_CHKCHANGE. The caller's item data is kept beside the check state.
#pragma once

#include <memory>
#include <vector>

#include "platform/afx/Controls.h"

namespace afx {

constexpr UINT CLBN_CHKCHANGE = 40;

class CCheckListBox : public CListBox {
 public:
  CCheckListBox() = default;
  ~CCheckListBox() override;

  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  // Takes over a dialog's list box; the owner-drawn styles are added.
  BOOL SubclassDlgItem(UINT id, CWnd* parent);

  // BS_AUTOCHECKBOX (checked or not) or BS_AUTO3STATE (a third, grey state).
  void SetCheckStyle(UINT style) { m_nStyle = style; }
  UINT GetCheckStyle() const { return m_nStyle; }
  void SetCheck(int index, int check);
  int GetCheck(int index) const;
  void Enable(int index, BOOL enabled = TRUE);
  BOOL IsEnabled(int index) const;

  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 protected:
  struct ItemState {
    LPARAM data = 0;
    int check = 0;
    bool enabled = true;
  };
  // The state of a row; null for a row that does not exist.
  ItemState* StateOf(int index) const;
  void DrawItem(const DRAWITEMSTRUCT& draw);
  // The check box's square in a row.
  static RECT CheckBoxRect(const RECT& row);
  void Toggle(int index);

  LRESULT OnAddString(WPARAM wParam, LPARAM lParam);
  LRESULT OnDeleteString(WPARAM wParam, LPARAM lParam);
  LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetItemData(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetItemData(WPARAM wParam, LPARAM lParam);
  LRESULT OnButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnChar(WPARAM wParam, LPARAM lParam);
  LRESULT OnDestroyList(WPARAM wParam, LPARAM lParam);

  UINT m_nStyle = BS_AUTOCHECKBOX;
  std::vector<std::unique_ptr<ItemState>> m_states;

  DECLARE_MESSAGE_MAP()
};

}  // namespace afx
