// CPropertySheet: a modal dialog with a tab per page above its OK, Cancel
// and Apply buttons. Pages are made when first selected. OK lets the shown
// page take its values and every made page apply them; Cancel resets every
// made page; Apply does what OK does and keeps the sheet open.
#pragma once

#include <string>
#include <vector>

#include "platform/afx/Dialog.h"
#include "platform/ui/DialogTemplate.h"

namespace afx {

class CPropertyPage;

constexpr UINT ID_APPLY_NOW = 0x3021;
// The tab control of a sheet.
constexpr UINT AFX_IDC_TAB_CONTROL = 0x3020;

class CPropertySheet : public CDialog {
  DECLARE_DYNAMIC(CPropertySheet)
 public:
  explicit CPropertySheet(const std::string& caption, CWnd* parent = nullptr, UINT select_page = 0);

  // The sheet does not own its pages.
  void AddPage(CPropertyPage* page);
  int GetPageCount() const { return static_cast<int>(m_pages.size()); }
  CPropertyPage* GetPage(int index) const;
  CPropertyPage* GetActivePage() const { return GetPage(m_nActivePage); }
  int GetActiveIndex() const { return m_nActivePage; }
  // Asks the shown page to let go; FALSE when it refused or there is no such page.
  BOOL SetActivePage(int index);

  INT_PTR DoModal() override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  // Enables the Apply button while any page has unapplied changes.
  void PageModified();

 protected:
  void OnApplyNow();
  LRESULT OnNotifyMessage(WPARAM wParam, LPARAM lParam);
  // Every page that has a window, in order.
  std::vector<CPropertyPage*> MadePages() const;
  BOOL ApplyAll();
  void ShowPage(int index);
  RECT PageRect() const;
  ::ui::DialogTemplate BuildTemplate() const;

  std::string m_strCaption;
  std::vector<CPropertyPage*> m_pages;
  int m_nActivePage = 0;
  ::ui::DialogTemplate m_template;

  DECLARE_MESSAGE_MAP()
};

}  // namespace afx
