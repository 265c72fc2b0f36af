// A list box whose items carry a check box: an owner-drawn list that draws
// its own items. A click on an item's box, or Space on the selected items,
// turns the check (two or three states, as the check style says) and tells
// the parent CLBN_CHKCHANGE. Disabled items keep their check.
#pragma once

#include <memory>
#include <vector>

#include "platform/afx/Controls.h"

namespace afx {

// The notification a check change sends with WM_COMMAND.
constexpr UINT CLBN_CHKCHANGE = 40;

class CCheckListBox : public CListBox {
 public:
  CCheckListBox() = default;
  ~CCheckListBox() override;

  // The styles must hold LBS_OWNERDRAWFIXED and LBS_HASSTRINGS, as for a
  // template's list that is subclassed.
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // BS_CHECKBOX, BS_AUTOCHECKBOX, BS_3STATE or BS_AUTO3STATE; the manual
  // styles leave turning the check to the parent.
  void SetCheckStyle(UINT style);
  UINT GetCheckStyle() const { return check_style_; }
  void SetCheck(int index, int check);
  int GetCheck(int index) const;
  void Enable(int index, BOOL enabled = TRUE);
  BOOL IsEnabled(int index) const;
  // The caller's own item data, kept beside the check.
  LPARAM GetItemData(int index) const;
  int SetItemData(int index, LPARAM data);

  // Where the box of an item lies: at its left, centred in its height.
  static RECT CheckBoxRect(const RECT& item);

  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 protected:
  void PreSubclassWindow() override;
  // Draws the item's box, then its text; a subclass may draw more.
  virtual void DrawItem(const DRAWITEMSTRUCT& draw);

  void OnLButtonDown(UINT flags, POINT point);
  void OnLButtonDblClk(UINT flags, POINT point);
  LRESULT OnKeyDownMessage(WPARAM key, LPARAM lParam);

  DECLARE_MESSAGE_MAP()

 private:
  struct ItemState {
    int check = 0;
    bool enabled = true;
    LPARAM data = 0;
  };
  // The state of an item, made when first needed; nullptr for an item that
  // has none yet (unchecked, enabled, no data).
  ItemState* StateOf(int index) const;
  ItemState& MakeState(int index);
  void Forget(UINT_PTR item_data);
  // Turns the check the way the user turns it, telling the parent.
  void Toggle(int index);
  int ItemAtPoint(POINT point) const;

  UINT check_style_ = BS_AUTOCHECKBOX;
  // Every state an item points at; an item's data is one of these or 0.
  std::vector<std::unique_ptr<ItemState>> states_;
};

}  // namespace afx
