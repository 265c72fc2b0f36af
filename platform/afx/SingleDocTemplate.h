// CSingleDocTemplate: one document at a time, with one frame; a new or
// opened document reuses them.
#pragma once

#include "platform/afx/DocTemplate.h"

namespace afx {

class CSingleDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CSingleDocTemplate)
 public:
  CSingleDocTemplate(UINT resource_id, const CRuntimeClass* document_class, const CRuntimeClass* frame_class,
                     const CRuntimeClass* view_class)
      : CDocTemplate(resource_id, document_class, frame_class, view_class) {}

  // Without a path a new, untitled document; with make_visible FALSE the
  // frame stays hidden and its views get no initial update. Null on
  // failure, after telling the user why.
  CDocument* OpenDocumentFile(const char* path, BOOL make_visible = TRUE) override;
  void AddDocument(CDocument* document) override;
};

}  // namespace afx
