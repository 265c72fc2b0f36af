// The off-screen drawing context toolbar buttons paint through: a mask,
// an image and a button memory context, a colour and a monochrome bitmap
// of the largest button's size, and the 8 x 8 dither brush of single
// pixels in the face and highlight colours. One per toolbar manager (or
// per bar without one); a button is drawn into it and copied out in one
// transfer.
#pragma once

#include "platform/afx/AfxIds.h"
#include "platform/ui/Gdi.h"

namespace docking {

using namespace afx;

class QVTButtonDrawContext {
 public:
  QVTButtonDrawContext();
  ~QVTButtonDrawContext();
  QVTButtonDrawContext(const QVTButtonDrawContext&) = delete;
  QVTButtonDrawContext& operator=(const QVTButtonDrawContext&) = delete;

  // False when a context or the brush could not be made.
  bool IsReady() const { return mask_ && image_ && button_ && dither_; }
  // Makes the bitmaps at least this large (kept when they already are).
  bool Prepare(SIZE largestButton);
  // Selects the bitmap holding a button's image into the image context;
  // null selects the context's own again.
  void SelectImage(HBITMAP bitmap);
  // After a system-colour change.
  void RebuildDitherBrush();

  HDC MaskDC() const { return mask_; }
  HDC ImageDC() const { return image_; }
  HDC ButtonDC() const { return button_; }
  HBRUSH DitherBrush() const { return dither_; }
  SIZE Size() const { return size_; }

 private:
  void DropBitmaps();

  HDC mask_ = nullptr;
  HDC image_ = nullptr;
  HDC button_ = nullptr;
  HBRUSH dither_ = nullptr;
  HBITMAP colour_ = nullptr;
  HBITMAP mono_ = nullptr;
  HGDIOBJ imageBefore_ = nullptr;
  HGDIOBJ buttonBefore_ = nullptr;
  HGDIOBJ maskBefore_ = nullptr;
  bool imageSelected_ = false;
  SIZE size_{0, 0};
};

}  // namespace docking
