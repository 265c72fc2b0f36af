// CDocTemplate: joins a document class, a frame class and a view class
// under one resource id (the frame's title, accelerators and the
// document strings).
#pragma once

#include <string>
#include <vector>

#include "platform/afx/CmdTarget.h"
#include "platform/afx/Position.h"

namespace afx {

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)
 public:
  enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

  ~CDocTemplate() override;

  // The part `index` of the resource's document string ("\n"-separated).
  virtual BOOL GetDocString(std::string& out, DocStringIndex index) const;
  virtual CDocument* OpenDocumentFile(const char* path, BOOL make_visible = TRUE) = 0;
  virtual CDocument* CreateNewDocument();
  virtual CFrameWnd* CreateNewFrame(CDocument* document, CFrameWnd* other);
  virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* document, BOOL make_visible = TRUE);
  virtual void SetDefaultTitle(CDocument* document);
  virtual void AddDocument(CDocument* document);
  virtual void RemoveDocument(CDocument* document);
  virtual POSITION GetFirstDocPosition() const;
  virtual CDocument* GetNextDoc(POSITION& position) const;
  void CloseAllDocuments(BOOL end_session);
  BOOL SaveAllModified();

  UINT GetResourceId() const { return m_nIDResource; }

 protected:
  CDocTemplate(UINT resource_id, const CRuntimeClass* document_class, const CRuntimeClass* frame_class,
               const CRuntimeClass* view_class)
      : m_nIDResource(resource_id), m_pDocClass(document_class), m_pFrameClass(frame_class), m_pViewClass(view_class) {}

  UINT m_nIDResource;
  const CRuntimeClass* m_pDocClass;
  const CRuntimeClass* m_pFrameClass;
  const CRuntimeClass* m_pViewClass;
  std::vector<CDocument*> m_documents;
};

}  // namespace afx
