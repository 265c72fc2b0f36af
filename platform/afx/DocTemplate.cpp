#include "platform/afx/DocTemplate.h"

#include "platform/afx/CreateContext.h"
#include "platform/afx/Document.h"
#include "platform/afx/FrameWnd.h"

namespace afx {

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::~CDocTemplate() {
  // Documents left at exit go with their template.
  while (!m_documents.empty()) {
    CDocument* document = m_documents.back();
    m_documents.pop_back();
    document->m_pDocTemplate = nullptr;
    delete document;
  }
}

BOOL CDocTemplate::GetDocString(std::string& out, DocStringIndex index) const {
  out.clear();
  std::string text;
  if (!::ui::LoadStringResource(m_nIDResource, text)) return FALSE;
  std::size_t start = 0;
  for (int i = 0; i < index; ++i) {
    start = text.find('\n', start);
    if (start == std::string::npos) return FALSE;
    ++start;
  }
  out = text.substr(start, text.find('\n', start) - start);
  return !out.empty();
}

CDocument* CDocTemplate::CreateNewDocument() {
  CObject* object = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
  if (!object || !object->IsKindOf(RUNTIME_CLASS(CDocument))) {
    delete object;
    return nullptr;
  }
  auto* document = static_cast<CDocument*>(object);
  AddDocument(document);
  return document;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* document, CFrameWnd* other) {
  CCreateContext context;
  context.m_pCurrentFrame = other;
  context.m_pCurrentDoc = document;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
  if (!object || !object->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
    delete object;
    return nullptr;
  }
  auto* frame = static_cast<CFrameWnd*>(object);
  // A frame that fails to load has deleted itself with its window.
  if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) return nullptr;
  return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* document, BOOL make_visible) {
  frame->InitialUpdateFrame(document, make_visible);
}

void CDocTemplate::SetDefaultTitle(CDocument* document) {
  std::string title;
  if (!GetDocString(title, docName) && !::ui::LoadStringResource(AFX_IDS_UNTITLED, title)) title = "Untitled";
  document->SetTitle(title);
}

void CDocTemplate::AddDocument(CDocument* document) {
  m_documents.push_back(document);
  document->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* document) {
  std::erase(m_documents, document);
  if (document->m_pDocTemplate == this) document->m_pDocTemplate = nullptr;
}

POSITION CDocTemplate::GetFirstDocPosition() const { return m_documents.empty() ? nullptr : PositionOfIndex(0); }

CDocument* CDocTemplate::GetNextDoc(POSITION& position) const {
  const std::size_t index = IndexOfPosition(position);
  if (!position || index >= m_documents.size()) {
    position = nullptr;
    return nullptr;
  }
  position = index + 1 < m_documents.size() ? PositionOfIndex(index + 1) : nullptr;
  return m_documents[index];
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  for (CDocument* document : std::vector<CDocument*>(m_documents)) document->OnCloseDocument();
}

BOOL CDocTemplate::SaveAllModified() {
  for (CDocument* document : m_documents)
    if (!document->SaveModified()) return FALSE;
  return TRUE;
}

}  // namespace afx
