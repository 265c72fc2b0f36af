// CDocument: the data a template shows in views. Commands that reach it
// go on to its template.
#pragma once

#include <string>
#include <vector>

#include "platform/afx/CmdTarget.h"
#include "platform/afx/Position.h"

namespace afx {

class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)
 public:
  CDocument() = default;
  ~CDocument() override;

  virtual BOOL OnNewDocument();
  virtual BOOL OnOpenDocument(const char* path);
  // Closes the document's frames and, when it deletes itself, the document.
  virtual void OnCloseDocument();
  virtual void DeleteContents() {}
  virtual BOOL SaveModified() { return TRUE; }
  virtual BOOL CanCloseFrame(CFrameWnd* frame);
  virtual void PreCloseFrame(CFrameWnd*) {}
  virtual void SetTitle(const std::string& title);
  virtual void SetPathName(const std::string& path, BOOL add_to_recent = TRUE);
  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handler_info) override;

  const std::string& GetTitle() const { return m_strTitle; }
  const std::string& GetPathName() const { return m_strPathName; }
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
  BOOL IsModified() const { return m_bModified; }
  void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

  void AddView(CView* view);
  void RemoveView(CView* view);
  POSITION GetFirstViewPosition() const;
  CView* GetNextView(POSITION& position) const;
  void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hint_object = nullptr);

  BOOL m_bAutoDelete = TRUE;
  CDocTemplate* m_pDocTemplate = nullptr;

 protected:
  // The last view going closes a document that deletes itself.
  virtual void OnChangedViewList();

  std::string m_strTitle;
  std::string m_strPathName;
  BOOL m_bModified = FALSE;
  std::vector<CView*> m_viewList;
  bool m_bClosing = false;
};

}  // namespace afx
