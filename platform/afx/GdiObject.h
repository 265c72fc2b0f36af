// CGdiObject: a framework object joined to a drawing object. An object
// that owns its handle deletes it with itself; the temporary objects that
// FromHandle gives for handles the framework did not make are freed at
// idle time and never delete their handles.
#pragma once

#include "platform/afx/AfxIds.h"
#include "platform/afx/Object.h"
#include "platform/ui/Gdi.h"

namespace afx {

class CGdiObject : public CObject {
  DECLARE_DYNCREATE(CGdiObject)
 public:
  CGdiObject() = default;
  ~CGdiObject() override;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  HGDIOBJ m_hObject = nullptr;
  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  operator HGDIOBJ() const { return m_hObject; }

  static CGdiObject* FromHandle(HGDIOBJ object);
  static void DeleteTempMap();
  BOOL Attach(HGDIOBJ object);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  BOOL CreateStockObject(int index);
  int GetObject(int size, void* out) const { return ::ui::GetObject(m_hObject, size, out); }
  UINT GetObjectType() const { return static_cast<UINT>(::ui::GetObjectType(m_hObject)); }

 protected:
  // The temporary object of `object`, made by `make` on first request.
  static CGdiObject* Temporary(HGDIOBJ object, CGdiObject* (*make)());
};

}  // namespace afx
