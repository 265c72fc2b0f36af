// QVTDialogBar: a control bar whose content is a dialog template's
// controls. The bar is the dialog, made a child of its frame; it is as
// large as the template in every orientation, and with
// QVT_BARSTYLE_CHILD_LAYOUT its controls keep their proportional places
// when it is resized. A saved layout makes it again from its class name
// and template id.
#pragma once

#include "docking/QVTControlBar.h"
#include "platform/ui/DialogTemplate.h"

namespace docking {

class QVTDialogBar : public QVTControlBar {
  DECLARE_DYNCREATE(QVTDialogBar)
 public:
  QVTDialogBar() = default;
  ~QVTDialogBar() override;

  // FALSE, and no window, when the template cannot be found or made.
  virtual BOOL Create(afx::CWnd* parent, UINT template_id, DWORD style, DWORD ex_style, UINT id);
  virtual BOOL CreateIndirect(afx::CWnd* parent, const ui::DialogTemplate* dialog, DWORD style, DWORD ex_style, UINT id);

  void OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) override;
  SIZE CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
  // The template id goes into the bar's saved record.
  void GetBarInfoExHook(QVTControlBarInfo* info) override;

  SIZE GetTemplateSize() const { return m_sizeDefault; }
  UINT GetTemplateId() const { return m_nTemplateId; }

 protected:
  SIZE m_sizeDefault{0, 0};
  UINT m_nTemplateId = 0;
};

}  // namespace docking
