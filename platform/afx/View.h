// CView: a child window of a frame that shows a document. Commands that
// reach it go on to its document. A view deletes itself with its window.
#pragma once

#include "platform/afx/Wnd.h"

namespace afx {

class CDocument;

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)
 public:
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }
  virtual void OnInitialUpdate();
  virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hint_object);
  virtual void OnActivateView(BOOL activate, CView* activated, CView* deactivated);
  virtual void OnActivateFrame(UINT, CFrameWnd*) {}
  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handler_info) override;
  BOOL PreCreateWindow(CREATESTRUCT& create) override;

  CDocument* m_pDocument = nullptr;

  int OnCreate(CREATESTRUCT* create);
  void OnDestroy();

 protected:
  CView() = default;
  void PostNcDestroy() override;
  LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);

  DECLARE_MESSAGE_MAP()
};

}  // namespace afx
