// The toolbars' image store (QVTBmpMgr): command ids mapped to images in
// toolbar bitmaps, each bitmap kept in a normal and a large size, their
// greys mapped to the current system colours, reloaded when those change.
// Shared by the bars of a frame and by the bitmap menus, reference-counted.
//
// Bitmaps handed in by a caller stay the caller's: the store draws from
// them but never deletes or reloads them, whatever size is in use.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/afx/Object.h"
#include "platform/ui/Gdi.h"

namespace docking {

using namespace afx;

class QVTBmpMgr : public CObject {
  DECLARE_DYNAMIC(QVTBmpMgr)

 public:
  struct BmpItem {
    int bitmap = 0;  // index into the bitmaps
    int image = 0;   // position of the image in that bitmap
  };
  struct BmpInfo {
    UINT normalResource = 0;  // 0 for a caller's bitmap
    UINT largeResource = 0;   // 0 when there is none
    HBITMAP normal = nullptr;
    HBITMAP large = nullptr;
    int imageCount = 0;
    BOOL mapColours = FALSE;
    BOOL normalSupplied = FALSE;
    BOOL largeSupplied = FALSE;
  };

  QVTBmpMgr() = default;
  ~QVTBmpMgr() override;
  QVTBmpMgr(const QVTBmpMgr&) = delete;
  QVTBmpMgr& operator=(const QVTBmpMgr&) = delete;

  // A toolbar resource and the bitmap of the same id (separators have no
  // image). The first resource sets the normal size, and its large
  // resource, when given, the large size.
  BOOL AddToolBarResource(UINT resource, UINT largeResource, BOOL mapColours);
  BOOL AddBitmap(UINT resource, UINT largeResource, const UINT* ids, int count, BOOL mapColours);
  // Bitmaps the caller keeps ownership of; either may be null.
  BOOL AddBitmapHandles(HBITMAP normal, HBITMAP large, const UINT* ids, int count);

  // FALSE for an id no bitmap lists. An id listed twice keeps the image
  // it was first registered with.
  BOOL GetImage(UINT id, HBITMAP* bitmap, int* index, BOOL forceNormal = FALSE) const;

  void SetUseNormalImages(BOOL useNormal);
  void SetKeepBoth(BOOL keepBoth);
  BOOL GetUseNormalImages() const { return useNormal_; }
  void SetNormalImageSize(int cx, int cy) { normalSize_ = {cx, cy}; }
  void SetLargeImageSize(int cx, int cy) { largeSize_ = {cx, cy}; }
  SIZE GetNormalImageSize() const { return normalSize_; }
  SIZE GetLargeImageSize() const { return largeSize_; }
  int GetImageWidth() const { return useNormal_ ? normalSize_.cx : largeSize_.cx; }
  int GetImageHeight() const { return useNormal_ ? normalSize_.cy : largeSize_.cy; }

  // Loads every bitmap again; with reload, even those already loaded (a
  // system-colour change).
  void ReloadAll(BOOL reload);

  void AddRef() { ++references_; }
  // Deletes the store when the last sharer lets go.
  void Release();

  const std::vector<std::unique_ptr<BmpInfo>>& GetBitmaps() const { return bitmaps_; }

 protected:
  virtual BOOL LoadBitmaps(BmpInfo& info, BOOL reload);
  virtual BOOL LoadNormalBitmap(BmpInfo& info);
  virtual BOOL MakeLargeBitmap(BmpInfo& info);

 private:
  HBITMAP LoadResourceBitmap(UINT resource, BOOL mapColours) const;
  static void Drop(HBITMAP& bitmap, BOOL supplied);

  std::unordered_map<UINT, BmpItem> ids_;
  std::vector<std::unique_ptr<BmpInfo>> bitmaps_;
  SIZE normalSize_{16, 15};
  SIZE largeSize_{22, 24};
  BOOL useNormal_ = TRUE;
  BOOL keepBoth_ = FALSE;
  int references_ = 1;
};

// A bitmap resource with its four greys (black, dark grey, light grey,
// white) replaced by the button text, shadow, face and highlight colours;
// null when the resource is missing or damaged. Bitmaps of more than 8
// bits per pixel have no colour table and load unmapped.
HBITMAP LoadBitmapMappedToSysColors(UINT resource);

}  // namespace docking
