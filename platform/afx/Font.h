// CFont: a font object.
#pragma once

#include "platform/afx/GdiObject.h"

namespace afx {

class CFont : public CGdiObject {
  DECLARE_DYNCREATE(CFont)
 public:
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
  static CFont* FromHandle(HFONT object);
  BOOL CreateFontIndirect(const LOGFONT* font) { return Attach(::ui::CreateFontIndirect(font)); }
  // `point_size` in tenths of a point, at 96 dpi.
  BOOL CreatePointFont(int point_size, const char* face);
  int GetLogFont(LOGFONT* font) const { return GetObject(sizeof(LOGFONT), font); }
};

}  // namespace afx
