#include "platform/afx/PropertySheet.h"

#include <algorithm>

#include "platform/afx/MessageMap.h"
#include "platform/afx/PropertyPage.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/TabControl.h"

namespace afx {

namespace {

// The sheet's layout in dialog units, as the classic property sheet has it.
constexpr short kMargin = 7;
constexpr short kButtonWidth = 50;
constexpr short kButtonHeight = 14;
constexpr short kButtonGap = 4;
// Room the tab control takes around a page: its row of tabs and its panel's edges.
constexpr short kTabRowUnits = 14;
constexpr short kPanelUnits = 4;

}  // namespace

IMPLEMENT_DYNAMIC(CPropertySheet, CDialog)

BEGIN_MESSAGE_MAP(CPropertySheet, CDialog)
  ON_COMMAND(ID_APPLY_NOW, OnApplyNow)
  ON_MESSAGE(WM_NOTIFY, OnNotifyMessage)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet(const std::string& caption, CWnd* parent, UINT select_page)
    : m_strCaption(caption), m_nActivePage(static_cast<int>(select_page)) {
  m_pParentWnd = parent;
}

void CPropertySheet::AddPage(CPropertyPage* page) {
  if (page) m_pages.push_back(page);
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  return index >= 0 && index < GetPageCount() ? m_pages[static_cast<std::size_t>(index)] : nullptr;
}

std::vector<CPropertyPage*> CPropertySheet::MadePages() const {
  std::vector<CPropertyPage*> made;
  for (CPropertyPage* page : m_pages)
    if (page->m_hWnd) made.push_back(page);
  return made;
}

::ui::DialogTemplate CPropertySheet::BuildTemplate() const {
  short page_cx = 0, page_cy = 0;
  for (CPropertyPage* page : m_pages) {
    if (const ::ui::DialogTemplate* dialog = page->GetPageTemplate()) {
      page_cx = std::max(page_cx, dialog->cx);
      page_cy = std::max(page_cy, dialog->cy);
    }
  }
  const short tab_cx = static_cast<short>(page_cx + 2 * kPanelUnits);
  const short tab_cy = static_cast<short>(page_cy + kTabRowUnits + kPanelUnits);
  const short buttons_y = static_cast<short>(kMargin + tab_cy + kMargin);
  ::ui::DialogTemplate sheet;
  sheet.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT;
  sheet.cx = static_cast<short>(kMargin + tab_cx + kMargin);
  sheet.cy = static_cast<short>(buttons_y + kButtonHeight + kMargin);
  sheet.caption = m_strCaption;
  sheet.font_name = "MS Sans Serif";
  sheet.items.push_back({::ui::WC_TABCONTROL, "", static_cast<int>(AFX_IDC_TAB_CONTROL),
                         WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, kMargin, kMargin, tab_cx, tab_cy});
  struct Button {
    const char* text;
    int id;
    DWORD style;
  };
  const Button buttons[] = {{"OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
                            {"Cancel", IDCANCEL, WS_VISIBLE | WS_TABSTOP},
                            {"&Apply", static_cast<int>(ID_APPLY_NOW), WS_VISIBLE | WS_TABSTOP | WS_DISABLED}};
  short x = static_cast<short>(sheet.cx - kMargin - 3 * kButtonWidth - 2 * kButtonGap);
  for (const Button& button : buttons) {
    sheet.items.push_back({"Button", button.text, button.id, button.style, 0, x, buttons_y, kButtonWidth,
                           kButtonHeight});
    x = static_cast<short>(x + kButtonWidth + kButtonGap);
  }
  return sheet;
}

INT_PTR CPropertySheet::DoModal() {
  if (m_pages.empty()) return -1;
  if (m_nActivePage >= GetPageCount()) m_nActivePage = 0;
  m_template = BuildTemplate();
  m_lpDialogTemplate = &m_template;
  return CDialog::DoModal();
}

BOOL CPropertySheet::OnInitDialog() {
  CDialog::OnInitDialog();
  const HWND tab = ::ui::GetDlgItem(m_hWnd, static_cast<int>(AFX_IDC_TAB_CONTROL));
  for (CPropertyPage* page : m_pages) {
    const std::string caption = page->GetCaption();
    ::ui::TCITEM item;
    item.mask = ::ui::TCIF_TEXT;
    item.pszText = caption.c_str();
    ::ui::SendMessage(tab, ::ui::TCM_INSERTITEM, static_cast<WPARAM>(GetPageCount()), reinterpret_cast<LPARAM>(&item));
  }
  ::ui::SendMessage(tab, ::ui::TCM_SETCURSEL, static_cast<WPARAM>(m_nActivePage), 0);
  ShowPage(m_nActivePage);
  return TRUE;
}

RECT CPropertySheet::PageRect() const {
  RECT rect{0, 0, 0, 0};
  const HWND tab = ::ui::GetDlgItem(m_hWnd, static_cast<int>(AFX_IDC_TAB_CONTROL));
  if (!tab) return rect;
  ::ui::GetWindowRect(tab, &rect);
  ScreenToClient(&rect);
  ::ui::SendMessage(tab, ::ui::TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
  return rect;
}

void CPropertySheet::ShowPage(int index) {
  CPropertyPage* page = GetPage(index);
  if (!page) return;
  if (!page->m_hWnd && !page->CreatePage(this)) return;
  const RECT rect = PageRect();
  // Above the tab control, so the page covers its panel.
  page->SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
  ::ui::SetWindowPos(page->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  m_nActivePage = index;
  page->OnSetActive();
  page->ShowWindow(SW_SHOW);
}

BOOL CPropertySheet::SetActivePage(int index) {
  if (!GetPage(index)) return FALSE;
  if (!m_hWnd) {
    m_nActivePage = index;
    return TRUE;
  }
  CPropertyPage* shown = GetActivePage();
  if (shown && shown->m_hWnd && index != m_nActivePage) {
    if (!shown->OnKillActive()) return FALSE;
    shown->ShowWindow(SW_HIDE);
  }
  ::ui::SendDlgItemMessage(m_hWnd, static_cast<int>(AFX_IDC_TAB_CONTROL), ::ui::TCM_SETCURSEL,
                           static_cast<WPARAM>(index), 0);
  ShowPage(index);
  return TRUE;
}

LRESULT CPropertySheet::OnNotifyMessage(WPARAM, LPARAM lParam) {
  const auto* header = reinterpret_cast<const ::ui::NMHDR*>(lParam);
  if (!header || header->idFrom != AFX_IDC_TAB_CONTROL) return Default();
  CPropertyPage* shown = GetActivePage();
  if (header->code == ::ui::TCN_SELCHANGING) {
    // A page that refuses its values keeps the selection.
    if (shown && shown->m_hWnd && !shown->OnKillActive()) return TRUE;
    if (shown && shown->m_hWnd) shown->ShowWindow(SW_HIDE);
    return FALSE;
  }
  if (header->code == ::ui::TCN_SELCHANGE) {
    const LRESULT selected = ::ui::SendMessage(header->hwndFrom, ::ui::TCM_GETCURSEL, 0, 0);
    ShowPage(static_cast<int>(selected));
  }
  return 0;
}

BOOL CPropertySheet::ApplyAll() {
  CPropertyPage* shown = GetActivePage();
  if (shown && shown->m_hWnd && !shown->OnKillActive()) return FALSE;
  for (CPropertyPage* page : MadePages())
    if (!page->OnApply()) return FALSE;
  PageModified();
  return TRUE;
}

void CPropertySheet::OnOK() {
  if (ApplyAll()) EndDialog(IDOK);
}

void CPropertySheet::OnApplyNow() { ApplyAll(); }

void CPropertySheet::OnCancel() {
  for (CPropertyPage* page : MadePages()) page->OnReset();
  EndDialog(IDCANCEL);
}

void CPropertySheet::PageModified() {
  if (!m_hWnd) return;
  const bool any = std::any_of(m_pages.begin(), m_pages.end(), [](const CPropertyPage* page) {
    return page->m_hWnd && page->IsModified();
  });
  if (CWnd* apply = GetDlgItem(static_cast<int>(ID_APPLY_NOW))) apply->EnableWindow(any ? TRUE : FALSE);
}

}  // namespace afx
