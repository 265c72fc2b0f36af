#include "docking/QVTToolBarImages.h"

#include <algorithm>

namespace docking {

IMPLEMENT_DYNAMIC(QVTBmpMgr, CObject)

HBITMAP LoadBitmapMappedToSysColors(UINT resource) {
  // The first matching row wins, so the order is the table's.
  const COLORMAP maps[] = {
      {RGB(0x00, 0x00, 0x00), GetSysColor(COLOR_BTNTEXT)},
      {RGB(0x80, 0x80, 0x80), GetSysColor(COLOR_BTNSHADOW)},
      {RGB(0xC0, 0xC0, 0xC0), GetSysColor(COLOR_BTNFACE)},
      {RGB(0xFF, 0xFF, 0xFF), GetSysColor(COLOR_BTNHIGHLIGHT)},
  };
  return CreateMappedBitmap(resource, maps, static_cast<int>(std::size(maps)));
}

QVTBmpMgr::~QVTBmpMgr() {
  for (auto& info : bitmaps_) {
    Drop(info->normal, info->normalSupplied);
    Drop(info->large, info->largeSupplied);
  }
}

// Deletes a bitmap the store made and forgets it. A caller's bitmap is
// neither deleted nor forgotten: it stays in use as long as the store.
void QVTBmpMgr::Drop(HBITMAP& bitmap, BOOL supplied) {
  if (!bitmap || supplied) return;
  DeleteObject(bitmap);
  bitmap = nullptr;
}

void QVTBmpMgr::Release() {
  if (--references_ <= 0) delete this;
}

BOOL QVTBmpMgr::AddToolBarResource(UINT resource, UINT largeResource, BOOL mapColours) {
  const ToolbarResource* toolbar = FindToolbarResource(resource);
  if (!toolbar) return FALSE;
  if (bitmaps_.empty()) {
    normalSize_ = {toolbar->width, toolbar->height};
    if (largeResource) {
      const ToolbarResource* large = FindToolbarResource(largeResource);
      if (!large) return FALSE;
      largeSize_ = {large->width, large->height};
    }
  }
  std::vector<UINT> ids;
  for (WORD id : toolbar->items)
    if (id != 0) ids.push_back(id);
  return AddBitmap(resource, largeResource, ids.data(), static_cast<int>(ids.size()), mapColours);
}

BOOL QVTBmpMgr::AddBitmap(UINT resource, UINT largeResource, const UINT* ids, int count, BOOL mapColours) {
  if (count < 0 || (count > 0 && !ids)) return FALSE;
  auto info = std::make_unique<BmpInfo>();
  info->normalResource = resource;
  info->largeResource = largeResource;
  info->imageCount = count;
  info->mapColours = mapColours;
  const int index = static_cast<int>(bitmaps_.size());
  for (int i = 0; i < count; ++i) ids_.try_emplace(ids[i], BmpItem{index, i});
  bitmaps_.push_back(std::move(info));
  return LoadBitmaps(*bitmaps_.back(), TRUE);
}

BOOL QVTBmpMgr::AddBitmapHandles(HBITMAP normal, HBITMAP large, const UINT* ids, int count) {
  if (count < 0 || (count > 0 && !ids)) return FALSE;
  auto info = std::make_unique<BmpInfo>();
  info->normal = normal;
  info->large = large;
  info->normalSupplied = normal != nullptr;
  info->largeSupplied = large != nullptr;
  info->imageCount = count;
  const int index = static_cast<int>(bitmaps_.size());
  for (int i = 0; i < count; ++i) ids_.try_emplace(ids[i], BmpItem{index, i});
  bitmaps_.push_back(std::move(info));
  return LoadBitmaps(*bitmaps_.back(), TRUE);
}

BOOL QVTBmpMgr::GetImage(UINT id, HBITMAP* bitmap, int* index, BOOL forceNormal) const {
  const auto found = ids_.find(id);
  if (found == ids_.end()) return FALSE;
  const BmpInfo& info = *bitmaps_[static_cast<std::size_t>(found->second.bitmap)];
  if (bitmap) *bitmap = forceNormal || useNormal_ ? info.normal : info.large;
  if (index) *index = found->second.image;
  return TRUE;
}

void QVTBmpMgr::SetUseNormalImages(BOOL useNormal) {
  useNormal = useNormal ? TRUE : FALSE;
  if (useNormal == useNormal_) return;
  useNormal_ = useNormal;
  ReloadAll(TRUE);
}

void QVTBmpMgr::SetKeepBoth(BOOL keepBoth) {
  keepBoth = keepBoth ? TRUE : FALSE;
  if (keepBoth == keepBoth_) return;
  keepBoth_ = keepBoth;
  ReloadAll(FALSE);
}

void QVTBmpMgr::ReloadAll(BOOL reload) {
  for (auto& info : bitmaps_) LoadBitmaps(*info, reload);
}

HBITMAP QVTBmpMgr::LoadResourceBitmap(UINT resource, BOOL mapColours) const {
  return mapColours ? LoadBitmapMappedToSysColors(resource) : LoadBitmap(resource);
}

BOOL QVTBmpMgr::LoadBitmaps(BmpInfo& info, BOOL reload) {
  if (!info.normalSupplied && (useNormal_ || keepBoth_)) {
    if (useNormal_ && !keepBoth_) Drop(info.large, info.largeSupplied);
    if (reload) Drop(info.normal, FALSE);
    if (!info.normal && !LoadNormalBitmap(info)) return FALSE;
  }
  if (info.largeSupplied || useNormal_) return TRUE;
  if (reload) Drop(info.large, FALSE);
  const BOOL made = info.large ? TRUE : MakeLargeBitmap(info);
  // Large images in use: the normal ones go unless both are kept.
  if (!keepBoth_) Drop(info.normal, info.normalSupplied);
  return made;
}

BOOL QVTBmpMgr::LoadNormalBitmap(BmpInfo& info) {
  if (!info.normalResource) return FALSE;
  info.normal = LoadResourceBitmap(info.normalResource, info.mapColours);
  return info.normal ? TRUE : FALSE;
}

BOOL QVTBmpMgr::MakeLargeBitmap(BmpInfo& info) {
  if (info.largeResource) {
    info.large = LoadResourceBitmap(info.largeResource, info.mapColours);
    return info.large ? TRUE : FALSE;
  }
  // Stretched from the normal images, side by side, once.
  HBITMAP normal = info.normal;
  const bool temporary = !normal;
  if (temporary) normal = info.normalResource ? LoadResourceBitmap(info.normalResource, info.mapColours) : nullptr;
  if (!normal) return FALSE;
  SIZE normalBitmap{0, 0};
  GetBitmapDimensionEx(normal, &normalBitmap);
  int count = info.imageCount;
  if (normalSize_.cx > 0) count = std::max(count, static_cast<int>(normalBitmap.cx / normalSize_.cx));
  count = std::max(count, 1);
  HBITMAP large = CreateBitmap(largeSize_.cx * count, largeSize_.cy, 1, 32, nullptr);
  HDC source = CreateCompatibleDC(nullptr);
  HDC target = CreateCompatibleDC(nullptr);
  const bool ready = large && source && target;
  if (ready) {
    HGDIOBJ oldSource = SelectObject(source, normal);
    HGDIOBJ oldTarget = SelectObject(target, large);
    for (int i = 0; i < count; ++i)
      StretchBlt(target, i * largeSize_.cx, 0, largeSize_.cx, largeSize_.cy, source, i * normalSize_.cx, 0,
                 normalSize_.cx, normalSize_.cy, SRCCOPY);
    SelectObject(source, oldSource);
    SelectObject(target, oldTarget);
  }
  if (source) DeleteDC(source);
  if (target) DeleteDC(target);
  if (temporary) DeleteObject(normal);
  if (!ready) {
    if (large) DeleteObject(large);
    return FALSE;
  }
  info.large = large;
  return TRUE;
}

}  // namespace docking
