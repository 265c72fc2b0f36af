#include "docking/QVTDockState.h"

#include <algorithm>
#include <cstdint>

namespace docking {

IMPLEMENT_SERIAL(QVTDockState, CObject, 0)

std::unique_ptr<QVTControlBarInfo> QVTDockState::CreateBarInfo(QVTControlBarInfoExFactory* manager) {
  return std::make_unique<QVTControlBarInfo>(manager);
}

const CRuntimeClass* QVTDockState::FindRuntimeClass(const std::string& class_name) const {
  if (!m_pBarBaseClass || class_name.empty()) return nullptr;
  const CRuntimeClass* found = CRuntimeClass::FromName(class_name.c_str());
  if (!found || !found->m_pfnCreateObject || !found->IsDerivedFrom(m_pBarBaseClass)) return nullptr;
  return found;
}

CObject* QVTDockState::CreateBarObject(const QVTControlBarInfo& info) {
  const CRuntimeClass* bar_class = FindRuntimeClass(info.m_strClassName);
  if (!bar_class || !m_pObjectList) return nullptr;
  std::unique_ptr<CObject> made(bar_class->CreateObject());
  if (!made || !made->IsKindOf(m_pBarBaseClass)) return nullptr;
  m_pObjectList->push_back(std::move(made));
  return m_pObjectList->back().get();
}

namespace {

// Removes the entry at `at`; when that empties a row (a row end before and
// after it), one of the two row ends goes too.
void RemoveEntry(std::vector<DWORD>& list, std::size_t at) {
  list.erase(list.begin() + static_cast<long>(at));
  if (at > 0 && at < list.size() && list[at - 1] == 0 && list[at] == 0)
    list.erase(list.begin() + static_cast<long>(at));
}

void RemoveEvery(std::vector<DWORD>& list, DWORD entry) {
  for (std::size_t i = list.size(); i-- > 0;)
    if (list[i] == entry) RemoveEntry(list, i);
}

void RemoveLaterDuplicates(std::vector<DWORD>& list) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] == 0) continue;
    for (std::size_t j = list.size(); j-- > i + 1;)
      if (list[j] == list[i]) RemoveEntry(list, j);
  }
}

void EndWithOneRowEnd(std::vector<DWORD>& list) {
  while (!list.empty() && list.back() == 0) list.pop_back();
  if (!list.empty()) list.push_back(0);
}

}  // namespace

void QVTDockState::CleanUpBarLists() {
  for (const auto& a : m_arrBarInfo) {
    for (const auto& b : m_arrBarInfo) {
      if (a == b || a->m_uMRUDockID == b->m_nBarID) continue;
      RemoveEvery(b->m_arrBarID, a->m_nBarID + QVTControlBarInfo::kPlaceholder);
    }
  }
  for (const auto& info : m_arrBarInfo) {
    RemoveLaterDuplicates(info->m_arrBarID);
    EndWithOneRowEnd(info->m_arrBarID);
  }
}

SIZE QVTDockState::GetScreenSize() const {
  return m_sizeCurrentScreen.cx > 0 && m_sizeCurrentScreen.cy > 0 ? m_sizeCurrentScreen : m_sizeSavedScreen;
}

bool QVTDockState::NeedsScaling() const {
  // Without either size there is nothing to scale by, and no division.
  return m_sizeSavedScreen.cx > 0 && m_sizeSavedScreen.cy > 0 && m_sizeCurrentScreen.cx > 0 &&
         m_sizeCurrentScreen.cy > 0 && !(m_sizeSavedScreen == m_sizeCurrentScreen);
}

namespace {

LONG Scale(LONG value, LONG to, LONG from) {
  const long long scaled = static_cast<long long>(value) * to;
  // Rounded to the nearest, halves away from zero.
  const long long rounded = (scaled >= 0 ? scaled + from / 2 : scaled - from / 2) / from;
  return static_cast<LONG>(std::clamp<long long>(rounded, INT32_MIN, INT32_MAX));
}

}  // namespace

void QVTDockState::ScalePoint(POINT& point) const {
  // (-1, -1) is "no position", not a place on the screen.
  if (!NeedsScaling() || (point.x == -1 && point.y == -1)) return;
  point.x = Scale(point.x, m_sizeCurrentScreen.cx, m_sizeSavedScreen.cx);
  point.y = Scale(point.y, m_sizeCurrentScreen.cy, m_sizeSavedScreen.cy);
}

void QVTDockState::ScaleRectPos(RECT& rect) const {
  if (!NeedsScaling()) return;
  POINT top_left{rect.left, rect.top};
  ScalePoint(top_left);
  const long long width = static_cast<long long>(rect.right) - rect.left;
  const long long height = static_cast<long long>(rect.bottom) - rect.top;
  rect.left = top_left.x;
  rect.top = top_left.y;
  rect.right = static_cast<LONG>(std::clamp<long long>(top_left.x + width, INT32_MIN, INT32_MAX));
  rect.bottom = static_cast<LONG>(std::clamp<long long>(top_left.y + height, INT32_MIN, INT32_MAX));
}

}  // namespace docking
