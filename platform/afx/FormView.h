// CFormView: a view whose window is a dialog made from a template; its
// controls are the dialog's, with their ids, and data exchange works on
// them as on a dialog.
#pragma once

#include "platform/afx/ScrollView.h"

namespace afx {

class CFormView : public CScrollView {
  DECLARE_DYNAMIC(CFormView)
 public:
  BOOL Create(const char* class_name, const char* window_name, DWORD style, const RECT& rect, CWnd* parent,
              UINT id, CCreateContext* context = nullptr) override;
  void OnInitialUpdate() override;
  BOOL PreTranslateMessage(MSG* msg) override;

  int OnCreate(CREATESTRUCT* create);

 protected:
  explicit CFormView(UINT template_id) : m_nIDHelp(template_id), m_nIDTemplate(template_id) {}

  UINT m_nIDHelp;
  UINT m_nIDTemplate;
  CCreateContext* m_pCreateContext = nullptr;

  DECLARE_MESSAGE_MAP()
};

}  // namespace afx
