#include "platform/afx/SingleDocTemplate.h"

#include "platform/afx/Document.h"
#include "platform/afx/FrameWnd.h"
#include "platform/afx/MessageBox.h"
#include "platform/afx/View.h"
#include "platform/afx/WinApp.h"

namespace afx {

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

namespace {

CFrameWnd* FrameOf(CDocument* document) {
  POSITION position = document->GetFirstViewPosition();
  CView* view = document->GetNextView(position);
  return view ? view->GetParentFrame() : nullptr;
}

}  // namespace

void CSingleDocTemplate::AddDocument(CDocument* document) {
  if (!m_documents.empty()) return;  // one document at a time
  CDocTemplate::AddDocument(document);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* path, BOOL make_visible) {
  CDocument* document = m_documents.empty() ? nullptr : m_documents.front();
  CFrameWnd* frame = nullptr;
  bool frame_created = false;
  if (document) {
    if (!document->SaveModified()) return nullptr;
    frame = FrameOf(document);
  } else {
    document = CreateNewDocument();
    if (!document) {
      AfxMessageBox("Unable to create the document.", MB_OK | MB_ICONEXCLAMATION);
      return nullptr;
    }
  }
  if (!frame) {
    // The document must survive the frame's creation even if it fails.
    const BOOL auto_delete = document->m_bAutoDelete;
    document->m_bAutoDelete = FALSE;
    frame = CreateNewFrame(document, nullptr);
    document->m_bAutoDelete = auto_delete;
    if (!frame) {
      AfxMessageBox("Unable to create the main window.", MB_OK | MB_ICONEXCLAMATION);
      delete document;
      return nullptr;
    }
    frame_created = true;
  }
  const bool opened = path ? document->OnOpenDocument(path) : (SetDefaultTitle(document), document->OnNewDocument());
  if (!opened) {
    // A new frame goes, taking the document with its view.
    if (frame_created) frame->DestroyWindow();
    return nullptr;
  }
  if (path) document->SetPathName(path);
  CWinApp* app = AfxGetApp();
  if (frame_created && app && !app->m_pMainWnd) app->m_pMainWnd = frame;
  InitialUpdateFrame(frame, document, make_visible);
  return document;
}

}  // namespace afx
