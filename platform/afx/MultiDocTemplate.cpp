#include "platform/afx/MultiDocTemplate.h"

#include "platform/afx/Document.h"
#include "platform/afx/FrameWnd.h"
#include "platform/afx/MessageBox.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"

namespace afx {

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT resource_id, const CRuntimeClass* document_class,
                                     const CRuntimeClass* frame_class, const CRuntimeClass* view_class)
    : CDocTemplate(resource_id, document_class, frame_class, view_class) {
  if (::ui::FindMenuResource(resource_id)) m_hMenuShared = ::ui::LoadMenu(resource_id);
}

CMultiDocTemplate::~CMultiDocTemplate() {
  if (m_hMenuShared) ::ui::DestroyMenu(m_hMenuShared);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* document) {
  std::string title;
  if (!GetDocString(title, docName) || title.empty()) title = "Untitled";
  document->SetTitle(title + std::to_string(++m_nUntitledCount));
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const char* path, BOOL make_visible) {
  CDocument* document = CreateNewDocument();
  if (!document) {
    AfxMessageBox("Unable to create the document.", MB_OK | MB_ICONEXCLAMATION);
    return nullptr;
  }
  const BOOL auto_delete = document->m_bAutoDelete;
  document->m_bAutoDelete = FALSE;
  CFrameWnd* frame = CreateNewFrame(document, nullptr);
  document->m_bAutoDelete = auto_delete;
  if (!frame) {
    AfxMessageBox("Unable to create the document window.", MB_OK | MB_ICONEXCLAMATION);
    delete document;
    return nullptr;
  }
  const bool opened = path ? document->OnOpenDocument(path) : (SetDefaultTitle(document), document->OnNewDocument());
  if (!opened) {
    frame->DestroyWindow();
    return nullptr;
  }
  if (path) document->SetPathName(path);
  InitialUpdateFrame(frame, document, make_visible);
  return document;
}

}  // namespace afx
