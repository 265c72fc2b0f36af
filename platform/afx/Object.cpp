#include "platform/afx/Object.h"

#include <cstring>
#include <mutex>
#include <vector>

namespace afx {

namespace {

struct ClassRegistry {
  std::mutex mutex;
  std::vector<const CRuntimeClass*> classes;
};

ClassRegistry& Registry() {
  static ClassRegistry registry;
  return registry;
}

}  // namespace

const CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, nullptr, nullptr};
static const AFX_CLASSINIT afx_class_init_CObject(&CObject::classCObject);

const CRuntimeClass* CObject::GetThisClass() { return &classCObject; }
const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

bool CObject::IsKindOf(const CRuntimeClass* runtime_class) const {
  return GetRuntimeClass()->IsDerivedFrom(runtime_class);
}

AFX_CLASSINIT::AFX_CLASSINIT(const CRuntimeClass* runtime_class) {
  ClassRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  registry.classes.push_back(runtime_class);
}

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* c = this; c; c = c->GetBaseClass())
    if (c == base) return true;
  return false;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* class_name) {
  if (!class_name) return nullptr;
  ClassRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  for (const CRuntimeClass* c : registry.classes)
    if (std::strcmp(c->m_lpszClassName, class_name) == 0) return c;
  return nullptr;
}

CObject* CRuntimeClass::CreateObject(const char* class_name) {
  const CRuntimeClass* c = FromName(class_name);
  return c ? c->CreateObject() : nullptr;
}

}  // namespace afx
