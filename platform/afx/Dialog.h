// CDialog: a dialog made from a template, run modally (a nested loop that
// EndDialog ends) or modelessly, with data exchange on OK.
#pragma once

#include "platform/afx/Wnd.h"

namespace afx {

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
 public:
  CDialog() = default;
  explicit CDialog(UINT template_id, CWnd* parent = nullptr) : m_nIDHelp(template_id), m_nIDTemplate(template_id), m_pParentWnd(parent) {}

  // Runs the dialog; the result of EndDialog, IDCANCEL when WM_QUIT ended
  // the loop first, or -1 when the template is missing or the window could
  // not be made.
  virtual INT_PTR DoModal();
  // A modeless dialog; TRUE when its window exists.
  using CWnd::Create;
  virtual BOOL Create(UINT template_id, CWnd* parent = nullptr);
  BOOL CreateIndirect(const ::ui::DialogTemplate* dialog, CWnd* parent = nullptr);
  void EndDialog(int result);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  BOOL PreTranslateMessage(MSG* msg) override;

  void NextDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 0, 0); }
  void PrevDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 1, 0); }
  void GotoDlgCtrl(CWnd* control) const {
    if (control) SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->m_hWnd), TRUE);
  }
  void SetDefID(UINT id) const { SendMessage(DM_SETDEFID, id, 0); }
  DWORD GetDefID() const { return static_cast<DWORD>(SendMessage(DM_GETDEFID, 0, 0)); }

  UINT m_nIDHelp = 0;

 protected:
  LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
  const ::ui::DialogTemplate* FindTemplate() const;
  // The window a modal run disables: the parent's top-level window, else
  // the application's main window.
  HWND ModalOwner() const;

  UINT m_nIDTemplate = 0;
  const ::ui::DialogTemplate* m_lpDialogTemplate = nullptr;
  CWnd* m_pParentWnd = nullptr;
  bool m_bModal = false;
  bool m_bEndRequested = false;  // EndDialog already ran (perhaps in OnInitDialog)

  DECLARE_MESSAGE_MAP()
};

}  // namespace afx
