#include "platform/afx/Document.h"

#include "platform/afx/DocTemplate.h"
#include "platform/afx/FrameWnd.h"
#include "platform/afx/MessageBox.h"
#include "platform/afx/View.h"
#include "platform/afx/WinApp.h"
#include "platform/sys/File.h"

namespace afx {

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::~CDocument() {
  for (CView* view : m_viewList) view->m_pDocument = nullptr;
  if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.clear();
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnOpenDocument(const char* path) {
  // The contents are the derived document's; here the file is only proved
  // readable so that a missing one is told, with its name, at once.
  sys::CFile file;
  sys::CFileException error;
  if (!path || !file.Open(path, sys::CFile::modeRead, &error)) {
    AfxMessageBox(std::string("Unable to open the document \"") + (path ? path : "") + "\".", MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  DeleteContents();
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::OnCloseDocument() {
  if (m_bClosing) return;
  m_bClosing = true;
  const BOOL auto_delete = m_bAutoDelete;
  m_bAutoDelete = FALSE;  // the frames' views going must not delete it meanwhile
  while (!m_viewList.empty()) {
    CView* view = m_viewList.front();
    CFrameWnd* frame = view->GetParentFrame();
    if (frame) {
      PreCloseFrame(frame);
      frame->DestroyWindow();
    } else {
      view->DestroyWindow();
    }
    if (!m_viewList.empty() && m_viewList.front() == view) RemoveView(view);  // a view without a window
  }
  m_bAutoDelete = auto_delete;
  DeleteContents();
  m_bClosing = false;
  if (m_bAutoDelete) delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd*) { return SaveModified(); }

void CDocument::SetTitle(const std::string& title) {
  m_strTitle = title;
  for (CView* view : m_viewList)
    if (CFrameWnd* frame = view->GetParentFrame()) frame->OnUpdateFrameTitle(TRUE);
}

void CDocument::SetPathName(const std::string& path, BOOL add_to_recent) {
  m_strPathName = path;
  const std::size_t slash = path.find_last_of("/\\");
  SetTitle(slash == std::string::npos ? path : path.substr(slash + 1));
  if (add_to_recent && AfxGetApp()) AfxGetApp()->AddToRecentFileList(path);
}

BOOL CDocument::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handler_info) {
  if (CCmdTarget::OnCmdMsg(id, code, extra, handler_info)) return TRUE;
  return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(id, code, extra, handler_info);
}

void CDocument::AddView(CView* view) {
  if (!view || std::find(m_viewList.begin(), m_viewList.end(), view) != m_viewList.end()) return;
  m_viewList.push_back(view);
  view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view) {
  const auto it = std::find(m_viewList.begin(), m_viewList.end(), view);
  if (it == m_viewList.end()) return;
  m_viewList.erase(it);
  view->m_pDocument = nullptr;
  OnChangedViewList();
}

void CDocument::OnChangedViewList() {
  if (m_viewList.empty() && m_bAutoDelete && !m_bClosing) OnCloseDocument();
}

POSITION CDocument::GetFirstViewPosition() const { return m_viewList.empty() ? nullptr : PositionOfIndex(0); }

CView* CDocument::GetNextView(POSITION& position) const {
  const std::size_t index = IndexOfPosition(position);
  if (!position || index >= m_viewList.size()) {
    position = nullptr;
    return nullptr;
  }
  position = index + 1 < m_viewList.size() ? PositionOfIndex(index + 1) : nullptr;
  return m_viewList[index];
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hint_object) {
  for (CView* view : std::vector<CView*>(m_viewList))
    if (view != sender) view->OnUpdate(sender, hint, hint_object);
}

}  // namespace afx
