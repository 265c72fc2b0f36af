// CScrollView: a view with a total size; its frame can be fitted to it.
// Scrolling itself comes with the drawing layer.
#pragma once

#include "platform/afx/View.h"

namespace afx {

class CScrollView : public CView {
  DECLARE_DYNAMIC(CScrollView)
 public:
  void SetScrollSizes(int map_mode, SIZE total);
  SIZE GetTotalSize() const { return m_totalLog; }
  // Sizes the parent frame so that this view's client area is the total
  // size exactly; with `shrink_only` the frame never grows.
  void ResizeParentToFit(BOOL shrink_only = TRUE);

 protected:
  CScrollView() = default;
  SIZE m_totalLog;
  int m_nMapMode = 1;  // MM_TEXT
};

}  // namespace afx
