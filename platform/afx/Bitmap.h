// CBitmap: a bitmap object, monochrome or colour.
#pragma once

#include "platform/afx/GdiObject.h"

namespace afx {

class CBitmap : public CGdiObject {
  DECLARE_DYNCREATE(CBitmap)
 public:
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
  static CBitmap* FromHandle(HBITMAP object);
  BOOL CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, const void* bits) {
    return Attach(::ui::CreateBitmap(width, height, planes, bits_per_pixel, bits));
  }
  BOOL CreateCompatibleBitmap(HDC dc, int width, int height) {
    return Attach(::ui::CreateCompatibleBitmap(dc, width, height));
  }
  BOOL LoadBitmap(UINT id) { return Attach(::ui::LoadBitmap(id)); }
  int GetBitmap(BITMAP* bitmap) const { return GetObject(sizeof(BITMAP), bitmap); }
};

}  // namespace afx
