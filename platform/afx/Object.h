// Run-time class information: every framework object knows its class, can
// be asked whether it is of a kind, and creatable classes can be made by
// class name (documents, views and frames are made this way).
#pragma once

#include "platform/afx/AfxIds.h"

namespace afx {

class CObject;

struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;  // 0xFFFF for classes that are not serialisable
  CObject* (*m_pfnCreateObject)();
  const CRuntimeClass* (*m_pfnGetBaseClass)();

  // Null for a class that cannot be created by class.
  CObject* CreateObject() const;
  bool IsDerivedFrom(const CRuntimeClass* base) const;
  const CRuntimeClass* GetBaseClass() const { return m_pfnGetBaseClass ? m_pfnGetBaseClass() : nullptr; }

  // Classes by name, among every class the program declares.
  static const CRuntimeClass* FromName(const char* class_name);
  static CObject* CreateObject(const char* class_name);
};

// Registers a class at static initialisation.
struct AFX_CLASSINIT {
  explicit AFX_CLASSINIT(const CRuntimeClass* runtime_class);
};

class CObject {
 public:
  virtual ~CObject() = default;
  static const CRuntimeClass classCObject;
  static const CRuntimeClass* GetThisClass();
  virtual const CRuntimeClass* GetRuntimeClass() const;
  bool IsKindOf(const CRuntimeClass* runtime_class) const;

 protected:
  CObject() = default;
};

}  // namespace afx

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)                               \
 public:                                                          \
  static const ::afx::CRuntimeClass class##class_name;            \
  static const ::afx::CRuntimeClass* GetThisClass();              \
  const ::afx::CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static ::afx::CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, pfn_new)                           \
  const ::afx::CRuntimeClass class_name::class##class_name = {#class_name, sizeof(class_name), schema, \
                                                              pfn_new, &base_class_name::GetThisClass}; \
  const ::afx::CRuntimeClass* class_name::GetThisClass() { return &class_name::class##class_name; }    \
  const ::afx::CRuntimeClass* class_name::GetRuntimeClass() const { return &class_name::class##class_name; } \
  static const ::afx::AFX_CLASSINIT afx_class_init_##class_name(&class_name::class##class_name);

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                 \
  ::afx::CObject* class_name::CreateObject() { return new class_name; } \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)            \
  ::afx::CObject* class_name::CreateObject() { return new class_name; } \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, class_name::CreateObject)
