// CMultiDocTemplate: any number of documents, each in document frames of
// its own inside the main MDI frame; the template's menu is shared by all
// its frames.
#pragma once

#include "platform/afx/DocTemplate.h"

namespace afx {

class CMultiDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CMultiDocTemplate)
 public:
  CMultiDocTemplate(UINT resource_id, const CRuntimeClass* document_class, const CRuntimeClass* frame_class,
                    const CRuntimeClass* view_class);
  ~CMultiDocTemplate() override;

  // Without a path a new, untitled document; null on failure, after
  // telling the user why.
  CDocument* OpenDocumentFile(const char* path, BOOL make_visible = TRUE) override;
  void SetDefaultTitle(CDocument* document) override;

  HMENU m_hMenuShared = nullptr;

 private:
  int m_nUntitledCount = 0;
};

}  // namespace afx
