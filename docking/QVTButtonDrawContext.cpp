#include "docking/QVTButtonDrawContext.h"

#include <algorithm>

#include "docking/QVTToolBarDrawingData.h"

namespace docking {

QVTButtonDrawContext::QVTButtonDrawContext()
    : mask_(CreateCompatibleDC(nullptr)), image_(CreateCompatibleDC(nullptr)), button_(CreateCompatibleDC(nullptr)) {
  RebuildDitherBrush();
}

QVTButtonDrawContext::~QVTButtonDrawContext() {
  SelectImage(nullptr);
  DropBitmaps();
  for (HDC dc : {mask_, image_, button_})
    if (dc) DeleteDC(dc);
  if (dither_) DeleteObject(dither_);
}

void QVTButtonDrawContext::RebuildDitherBrush() {
  const ToolkitDrawingData& data = ToolkitDrawingData::Get();
  HBITMAP pattern = CreateBitmap(8, 8, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  if (pattern && dc) {
    HGDIOBJ before = SelectObject(dc, pattern);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) SetPixel(dc, x, y, (x + y) % 2 ? data.clrBtnHilite : data.clrBtnFace);
    SelectObject(dc, before);
  }
  if (dc) DeleteDC(dc);
  HBRUSH brush = pattern ? CreatePatternBrush(pattern) : nullptr;
  if (pattern) DeleteObject(pattern);  // the brush keeps its own copy
  if (!brush) return;                  // the old brush stays in use
  if (dither_) DeleteObject(dither_);
  dither_ = brush;
}

void QVTButtonDrawContext::DropBitmaps() {
  if (button_ && buttonBefore_) SelectObject(button_, buttonBefore_);
  if (mask_ && maskBefore_) SelectObject(mask_, maskBefore_);
  buttonBefore_ = maskBefore_ = nullptr;
  if (colour_) DeleteObject(colour_);
  if (mono_) DeleteObject(mono_);
  colour_ = mono_ = nullptr;
  size_ = {0, 0};
}

bool QVTButtonDrawContext::Prepare(SIZE largestButton) {
  if (!IsReady()) return false;
  if (colour_ && largestButton.cx <= size_.cx && largestButton.cy <= size_.cy) return true;
  const SIZE size{std::max(largestButton.cx, size_.cx), std::max(largestButton.cy, size_.cy)};
  DropBitmaps();
  colour_ = CreateBitmap(size.cx, size.cy, 1, 32, nullptr);
  mono_ = CreateBitmap(size.cx, size.cy, 1, 1, nullptr);
  if (!colour_ || !mono_) {
    DropBitmaps();
    return false;
  }
  buttonBefore_ = SelectObject(button_, colour_);
  maskBefore_ = SelectObject(mask_, mono_);
  size_ = size;
  return true;
}

void QVTButtonDrawContext::SelectImage(HBITMAP bitmap) {
  if (!image_) return;
  if (!bitmap) {
    if (imageSelected_) SelectObject(image_, imageBefore_);
    imageSelected_ = false;
    imageBefore_ = nullptr;
    return;
  }
  HGDIOBJ before = SelectObject(image_, bitmap);
  if (!imageSelected_) imageBefore_ = before;
  imageSelected_ = true;
}

}  // namespace docking
