// Control wrappers: typed access to the standard controls' messages.
#pragma once

#include <string>

#include "platform/afx/Wnd.h"

namespace afx {

class CStatic : public CWnd {
 public:
  BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF) {
    return CWnd::Create("Static", text, style, rect, parent, id);
  }
};

class CButton : public CWnd {
 public:
  BOOL Create(const char* caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("Button", caption, style, rect, parent, id);
  }
  int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
  void SetCheck(int check) const { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
  UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
  void SetButtonStyle(UINT style, BOOL redraw = TRUE) const { SendMessage(BM_SETSTYLE, style, redraw); }
};

class CEdit : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("Edit", "", style, rect, parent, id);
  }
  void SetSel(int start, int end, BOOL = FALSE) const {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
  }
  DWORD GetSel() const { return static_cast<DWORD>(SendMessage(EM_GETSEL)); }
  void GetSel(int& start, int& end) const {
    DWORD s = 0, e = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    start = static_cast<int>(s);
    end = static_cast<int>(e);
  }
  void ReplaceSel(const std::string& text, BOOL can_undo = FALSE) const {
    SendMessage(EM_REPLACESEL, static_cast<WPARAM>(can_undo), reinterpret_cast<LPARAM>(text.c_str()));
  }
  void LimitText(int max_chars = 0) const { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(max_chars)); }
  int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
  int LineIndex(int line = -1) const { return static_cast<int>(SendMessage(EM_LINEINDEX, static_cast<WPARAM>(line))); }
  int LineLength(int char_index = -1) const {
    return static_cast<int>(SendMessage(EM_LINELENGTH, static_cast<WPARAM>(char_index)));
  }
  BOOL SetReadOnly(BOOL read_only = TRUE) const { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, read_only)); }
  BOOL GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
  int GetFirstVisibleLine() const { return static_cast<int>(SendMessage(EM_GETFIRSTVISIBLELINE)); }
  void LineScroll(int lines, int chars = 0) const {
    SendMessage(EM_LINESCROLL, static_cast<WPARAM>(chars), static_cast<LPARAM>(lines));
  }
  void SetModify(BOOL modified = TRUE) const { SendMessage(EM_SETMODIFY, modified); }
};

class CListBox : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("ListBox", "", style, rect, parent, id);
  }
  int AddString(const std::string& text) const {
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
  }
  int InsertString(int index, const std::string& text) const {
    return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str())));
  }
  int DeleteString(UINT index) const { return static_cast<int>(SendMessage(LB_DELETESTRING, index)); }
  void ResetContent() const { SendMessage(LB_RESETCONTENT); }
  int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
  int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
  int SetCurSel(int index) const { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index))); }
  int GetSel(int index) const { return static_cast<int>(SendMessage(LB_GETSEL, static_cast<WPARAM>(index))); }
  int SetSel(int index, BOOL select = TRUE) const {
    return static_cast<int>(SendMessage(LB_SETSEL, static_cast<WPARAM>(select), index));
  }
  int GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
  int GetSelItems(int max_items, int* items) const {
    return static_cast<int>(SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(max_items), reinterpret_cast<LPARAM>(items)));
  }
  void GetText(int index, std::string& text) const {
    const LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    text.clear();
    if (length < 0) return;
    text.resize(static_cast<std::size_t>(length) + 1);
    SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
  }
  int GetTextLen(int index) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index))); }
  LPARAM GetItemData(int index) const { return SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index)); }
  int SetItemData(int index, LPARAM data) const {
    return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), data));
  }
  int FindString(int start, const std::string& text) const {
    return static_cast<int>(SendMessage(LB_FINDSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text.c_str())));
  }
  int FindStringExact(int start, const std::string& text) const {
    return static_cast<int>(
        SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text.c_str())));
  }
  int SelectString(int start, const std::string& text) const {
    return static_cast<int>(SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text.c_str())));
  }
  int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
  int SetTopIndex(int index) const { return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(index))); }
  int InitStorage(int items, UINT bytes) const {
    return static_cast<int>(SendMessage(LB_INITSTORAGE, static_cast<WPARAM>(items), bytes));
  }
};

class CProgressCtrl : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("msctls_progress32", "", style, rect, parent, id);
  }
  void SetRange(short lower, short upper) const {
    SendMessage(PBM_SETRANGE, 0, MAKELPARAM(static_cast<unsigned short>(lower), static_cast<unsigned short>(upper)));
  }
  void SetRange32(int lower, int upper) const {
    SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper));
  }
  void GetRange(int& lower, int& upper) const {
    PBRANGE range;
    SendMessage(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    lower = range.iLow;
    upper = range.iHigh;
  }
  int SetPos(int position) { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(position))); }
  int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
  int OffsetPos(int delta) { return static_cast<int>(SendMessage(PBM_DELTAPOS, static_cast<WPARAM>(delta))); }
  int SetStep(int step) { return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step))); }
  int StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
};


class CScrollBar : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("ScrollBar", "", style, rect, parent, id);
  }
  int GetScrollPos() const { return static_cast<int>(SendMessage(SBM_GETPOS)); }
  int SetScrollPos(int pos, BOOL redraw = TRUE) const {
    return static_cast<int>(SendMessage(SBM_SETPOS, static_cast<WPARAM>(pos), redraw));
  }
  void SetScrollRange(int min, int max, BOOL redraw = TRUE) const {
    SendMessage(redraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE, static_cast<WPARAM>(min), static_cast<LPARAM>(max));
  }
  BOOL SetScrollInfo(const SCROLLINFO& info, BOOL redraw = TRUE) const {
    SendMessage(SBM_SETSCROLLINFO, redraw, reinterpret_cast<LPARAM>(&info));
    return TRUE;
  }
  BOOL GetScrollInfo(SCROLLINFO& info) const {
    return static_cast<BOOL>(SendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&info)));
  }
};

class CStatusBarCtrl : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("msctls_statusbar32", "", style, rect, parent, id);
  }
  BOOL SetParts(int count, const int* right_edges) const {
    return static_cast<BOOL>(SendMessage(SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(right_edges)));
  }
  int GetParts(int count, int* right_edges) const {
    return static_cast<int>(SendMessage(SB_GETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(right_edges)));
  }
  BOOL SetText(const char* text, int part, UINT type) const {
    return static_cast<BOOL>(SendMessage(SB_SETTEXT, static_cast<WPARAM>(part) | type, reinterpret_cast<LPARAM>(text)));
  }
  std::string GetText(int part) const {
    const auto length = LOWORD(static_cast<std::uint64_t>(SendMessage(SB_GETTEXTLENGTH, static_cast<WPARAM>(part))));
    std::string text(length + 1, '\0');
    SendMessage(SB_GETTEXT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
  }
  BOOL GetRect(int part, RECT* rect) const {
    return static_cast<BOOL>(SendMessage(SB_GETRECT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(rect)));
  }
  BOOL GetBorders(int& horizontal, int& vertical, int& between) const {
    int borders[3] = {};
    const auto ok = static_cast<BOOL>(SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders)));
    horizontal = borders[0];
    vertical = borders[1];
    between = borders[2];
    return ok;
  }
  void SetMinHeight(int height) const { SendMessage(SB_SETMINHEIGHT, static_cast<WPARAM>(height)); }
  void SetSimple(BOOL simple = TRUE) const { SendMessage(SB_SIMPLE, simple); }
};

}  // namespace afx
