#include "platform/afx/Font.h"

#include <cstring>

namespace afx {

IMPLEMENT_DYNCREATE(CFont, CGdiObject)

CFont* CFont::FromHandle(HFONT object) {
  return static_cast<CFont*>(Temporary(object, [] { return static_cast<CGdiObject*>(new CFont); }));
}

BOOL CFont::CreatePointFont(int point_size, const char* face) {
  LOGFONT font;
  // Tenths of a point to pixels at 96 dpi, rounded.
  font.lfHeight = -((point_size * 96 + 360) / 720);
  if (face) std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirect(&font);
}

}  // namespace afx
