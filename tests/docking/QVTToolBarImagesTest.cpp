#include "docking/QVTToolBarImages.h"

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

namespace docking {
namespace {

constexpr UINT kResource = 9101;

// A bottom-up 4-bit DIB of `images` images of 8 x 6 pixels whose colour
// table holds `colours` entries (biClrUsed): black, dark grey, light grey,
// white, then red. Image i is filled with table entry i % colours, its
// top-left pixel with entry (i + 1) % colours.
std::vector<BYTE> FourBitDib(int images, DWORD colours, DWORD tableEntriesStored) {
  const RGBQUAD palette[] = {{0, 0, 0, 0}, {128, 128, 128, 0}, {192, 192, 192, 0}, {255, 255, 255, 0}, {0, 0, 255, 0}};
  const int width = 8 * images;
  const int height = 6;
  const int stride = ((width * 4 + 31) / 32) * 4;
  BITMAPINFOHEADER header;
  header.biWidth = width;
  header.biHeight = height;
  header.biBitCount = 4;
  header.biClrUsed = colours;
  header.biSizeImage = static_cast<DWORD>(stride * height);
  std::vector<BYTE> dib(sizeof header + tableEntriesStored * sizeof(RGBQUAD) + header.biSizeImage, 0);
  std::memcpy(dib.data(), &header, sizeof header);
  for (DWORD i = 0; i < tableEntriesStored; ++i)
    std::memcpy(dib.data() + sizeof header + i * sizeof(RGBQUAD), &palette[i % 5], sizeof(RGBQUAD));
  BYTE* pixels = dib.data() + sizeof header + tableEntriesStored * sizeof(RGBQUAD);
  for (int y = 0; y < height; ++y) {
    BYTE* row = pixels + (height - 1 - y) * stride;
    for (int x = 0; x < width; ++x) {
      const int image = x / 8;
      const bool corner = x % 8 == 0 && y == 0;
      const int index = (image + (corner ? 1 : 0)) % static_cast<int>(colours);
      row[x / 2] |= static_cast<BYTE>(x % 2 ? index : index << 4);
    }
  }
  return dib;
}

void RegisterToolbar(UINT id, std::vector<WORD> items, int images, DWORD colours) {
  RegisterBitmapResource(id, FourBitDib(images, colours, colours));
  ToolbarResource toolbar;
  toolbar.width = 8;
  toolbar.height = 6;
  toolbar.items = std::move(items);
  RegisterToolbarResource(id, std::move(toolbar));
}

HBITMAP Solid(int width, int height) { return CreateBitmap(width, height, 1, 32, nullptr); }

bool Alive(HBITMAP bitmap) { return GetObjectType(bitmap) == OBJ_BITMAP; }

TEST(QVTBmpMgrTest, FirstRegistrationOfAnIdWins) {
  HBITMAP first = Solid(32, 15);
  HBITMAP second = Solid(32, 15);
  auto* store = new QVTBmpMgr;
  const UINT a[] = {1, 2};
  const UINT b[] = {2, 3};
  ASSERT_TRUE(store->AddBitmapHandles(first, nullptr, a, 2));
  ASSERT_TRUE(store->AddBitmapHandles(second, nullptr, b, 2));
  struct Case {
    UINT id;
    BOOL found;
    HBITMAP bitmap;
    int index;
  } cases[] = {{1, TRUE, first, 0}, {2, TRUE, first, 1}, {3, TRUE, second, 1}, {4, FALSE, nullptr, -1}};
  for (const Case& c : cases) {
    HBITMAP bitmap = nullptr;
    int index = -1;
    EXPECT_EQ(store->GetImage(c.id, &bitmap, &index), c.found) << c.id;
    EXPECT_EQ(bitmap, c.bitmap) << c.id;
    EXPECT_EQ(index, c.index) << c.id;
  }
  store->Release();
  DeleteObject(first);
  DeleteObject(second);
}

TEST(QVTBmpMgrTest, CallerBitmapsAreNeverFreed) {
  HBITMAP normal = Solid(32, 15);
  HBITMAP large = Solid(44, 24);
  HBITMAP onlyNormal = Solid(32, 15);
  HBITMAP onlyLarge = Solid(44, 24);
  auto* store = new QVTBmpMgr;
  store->AddRef();  // two sharers
  const UINT ids[] = {1, 2};
  const UINT more[] = {3, 4};
  ASSERT_TRUE(store->AddBitmapHandles(normal, large, ids, 2));
  ASSERT_TRUE(store->AddBitmapHandles(onlyNormal, nullptr, more, 2));
  // A large bitmap only: while normal images are in use it is not shown,
  // yet it stays the caller's.
  const UINT largeIds[] = {5};
  store->AddBitmapHandles(nullptr, onlyLarge, largeIds, 1);
  // Every switch the toolbars make: large buttons on and off, both kept,
  // a colour change.
  store->SetUseNormalImages(FALSE);
  HBITMAP shown = nullptr;
  ASSERT_TRUE(store->GetImage(1, &shown, nullptr));
  EXPECT_EQ(shown, large);
  ASSERT_TRUE(store->GetImage(3, &shown, nullptr));
  EXPECT_NE(shown, nullptr);  // stretched from the caller's normal bitmap
  EXPECT_NE(shown, onlyNormal);
  store->SetKeepBoth(TRUE);
  store->ReloadAll(TRUE);
  store->SetKeepBoth(FALSE);
  store->SetUseNormalImages(TRUE);
  store->ReloadAll(TRUE);
  ASSERT_TRUE(store->GetImage(1, &shown, nullptr));
  EXPECT_EQ(shown, normal);
  store->Release();
  EXPECT_TRUE(Alive(normal) && Alive(large) && Alive(onlyNormal));
  store->Release();  // the last sharer: the store goes
  EXPECT_TRUE(Alive(normal));
  EXPECT_TRUE(Alive(large));
  EXPECT_TRUE(Alive(onlyNormal));
  EXPECT_TRUE(Alive(onlyLarge));
  for (HBITMAP bitmap : {normal, large, onlyNormal, onlyLarge}) DeleteObject(bitmap);
}

TEST(QVTBmpMgrTest, ToolBarResourceIsMappedToTheSystemColours) {
  // Four table entries only: the pixel rows start right after them.
  RegisterToolbar(kResource, {100, 0, 101, 102, 103}, 4, 4);
  QVTBmpMgr store;
  ASSERT_TRUE(store.AddToolBarResource(kResource, 0, TRUE));
  EXPECT_EQ(store.GetNormalImageSize().cx, 8);
  EXPECT_EQ(store.GetNormalImageSize().cy, 6);
  HBITMAP bitmap = nullptr;
  int index = -1;
  ASSERT_TRUE(store.GetImage(102, &bitmap, &index));
  EXPECT_EQ(index, 2);  // the separator has no image
  struct Case {
    int image;
    int colour;
  } cases[] = {{0, COLOR_BTNTEXT}, {1, COLOR_BTNSHADOW}, {2, COLOR_BTNFACE}, {3, COLOR_BTNHIGHLIGHT}};
  for (const Case& c : cases) {
    EXPECT_EQ(GetBitmapPixel(bitmap, c.image * 8 + 3, 3), GetSysColor(c.colour)) << c.image;
    EXPECT_EQ(GetBitmapPixel(bitmap, c.image * 8, 0), GetSysColor(cases[(c.image + 1) % 4].colour)) << c.image;
  }
}

TEST(QVTBmpMgrTest, ColourTableIsBoundedByItsStoredEntries) {
  // The header promises sixteen entries, the resource stores four and then
  // ends: refused, nothing is read past the end.
  std::vector<BYTE> cut = FourBitDib(1, 16, 4);
  cut.resize(sizeof(BITMAPINFOHEADER) + 4 * sizeof(RGBQUAD));
  RegisterBitmapResource(kResource + 1, cut);
  EXPECT_EQ(LoadBitmapMappedToSysColors(kResource + 1), nullptr);
  EXPECT_EQ(LoadBitmapMappedToSysColors(kResource + 99), nullptr);  // missing
  // Two entries of a 4-bit table: still read right.
  RegisterBitmapResource(kResource + 2, FourBitDib(2, 2, 2));
  HBITMAP two = LoadBitmapMappedToSysColors(kResource + 2);
  ASSERT_NE(two, nullptr);
  EXPECT_EQ(GetBitmapPixel(two, 3, 3), GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(GetBitmapPixel(two, 11, 3), GetSysColor(COLOR_BTNSHADOW));
  DeleteObject(two);
}

TEST(QVTBmpMgrTest, ASystemColourChangeReloadsTheMappedFace) {
  RegisterToolbar(kResource + 3, {200, 201, 202}, 3, 4);
  QVTBmpMgr store;
  ASSERT_TRUE(store.AddToolBarResource(kResource + 3, 0, TRUE));
  const COLORREF before = GetSysColor(COLOR_BTNFACE);
  const int index = COLOR_BTNFACE;
  const COLORREF changed = RGB(10, 200, 30);
  SetSysColors(1, &index, &changed);
  store.ReloadAll(TRUE);
  HBITMAP bitmap = nullptr;
  ASSERT_TRUE(store.GetImage(202, &bitmap, nullptr));
  EXPECT_EQ(GetBitmapPixel(bitmap, 2 * 8 + 3, 3), changed);
  SetSysColors(1, &index, &before);
}

TEST(QVTBmpMgrTest, LargeImagesAreStretchedWithoutALargeResource) {
  RegisterToolbar(kResource + 4, {300, 301}, 2, 4);
  QVTBmpMgr store;
  ASSERT_TRUE(store.AddToolBarResource(kResource + 4, 0, TRUE));
  store.SetLargeImageSize(16, 12);  // twice the normal size
  store.SetUseNormalImages(FALSE);
  EXPECT_EQ(store.GetImageWidth(), 16);
  HBITMAP large = nullptr;
  ASSERT_TRUE(store.GetImage(301, &large, nullptr));
  SIZE size{0, 0};
  ASSERT_TRUE(GetBitmapDimensionEx(large, &size));
  EXPECT_EQ(size.cx, 32);
  EXPECT_EQ(size.cy, 12);
  EXPECT_EQ(GetBitmapPixel(large, 16 + 8, 6), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetBitmapPixel(large, 16, 0), GetSysColor(COLOR_BTNFACE));  // the corner pixel, doubled
  EXPECT_EQ(GetBitmapPixel(large, 17, 1), GetSysColor(COLOR_BTNFACE));
  // Only the size in use is kept.
  EXPECT_EQ(store.GetBitmaps()[0]->normal, nullptr);
  HBITMAP normal = nullptr;
  store.SetUseNormalImages(TRUE);
  ASSERT_TRUE(store.GetImage(301, &normal, nullptr));
  EXPECT_NE(normal, nullptr);
  EXPECT_EQ(store.GetBitmaps()[0]->large, nullptr);
  EXPECT_FALSE(store.AddToolBarResource(kResource + 98, 0, TRUE));
}

}  // namespace
}  // namespace docking
