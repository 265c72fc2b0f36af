#include "platform/afx/GdiObject.h"

#include <map>
#include <memory>

namespace afx {

IMPLEMENT_DYNCREATE(CGdiObject, CObject)

namespace {
thread_local std::map<HGDIOBJ, std::unique_ptr<CGdiObject>> temporary_objects;
}  // namespace

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* CGdiObject::Temporary(HGDIOBJ object, CGdiObject* (*make)()) {
  if (!object || ::ui::GetObjectType(object) == 0) return nullptr;
  auto& slot = temporary_objects[object];
  if (!slot) {
    slot.reset(make());
    slot->m_hObject = object;
  }
  return slot.get();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ object) {
  return Temporary(object, [] { return new CGdiObject; });
}

void CGdiObject::DeleteTempMap() {
  for (auto& [handle, object] : temporary_objects) object->m_hObject = nullptr;
  temporary_objects.clear();
}

BOOL CGdiObject::Attach(HGDIOBJ object) {
  if (m_hObject || !object) return FALSE;
  m_hObject = object;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  const HGDIOBJ object = m_hObject;
  m_hObject = nullptr;
  return object;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  return ::ui::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int index) {
  return Attach(::ui::GetStockObject(index));
}

}  // namespace afx
