#include "platform/wxhost/DragOutlineStrips.h"

#include <cairo.h>

#include <algorithm>
#include <cstdint>

// GTK's headers define TRUE and FALSE as macros: they come after ours.
#include <wx/dcclient.h>
#include <wx/popupwin.h>

namespace wxhost {

namespace {

bool Drawn(std::uint32_t pixel) { return (pixel & 0xFFFFFFu) != 0; }

// The halftone in screen coordinates: neighbouring strips line up.
void PaintHalftone(wxWindow* strip) {
  wxPaintDC dc(strip);
  auto* cr = static_cast<cairo_t*>(dc.GetHandle());
  if (cr == nullptr) return;
  const wxPoint origin = strip->GetScreenPosition();
  cairo_surface_t* checker = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 2, 2);
  cairo_surface_flush(checker);
  auto* data = cairo_image_surface_get_data(checker);
  const int stride = cairo_image_surface_get_stride(checker);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x)
      reinterpret_cast<std::uint32_t*>(data + y * stride)[x] = ((x + y) % 2 == 0) ? 0x000000u : 0xFFFFFFu;
  cairo_surface_mark_dirty(checker);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(checker);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
  cairo_matrix_t matrix;
  cairo_matrix_init_translate(&matrix, origin.x, origin.y);
  cairo_pattern_set_matrix(pattern, &matrix);
  cairo_set_source(cr, pattern);
  cairo_paint(cr);
  cairo_pattern_destroy(pattern);
  cairo_surface_destroy(checker);
}

}  // namespace

DragOutlineStrips::~DragOutlineStrips() {
  for (wxPopupWindow*& strip : strips_)
    if (strip != nullptr) strip->Destroy();
}

DragOutlineStrips::Outline DragOutlineStrips::Find(cairo_surface_t* overlay) {
  Outline outline{};
  cairo_surface_flush(overlay);
  const int width = cairo_image_surface_get_width(overlay), height = cairo_image_surface_get_height(overlay);
  const int stride = cairo_image_surface_get_stride(overlay);
  const unsigned char* data = cairo_image_surface_get_data(overlay);
  auto pixel = [&](int x, int y) { return reinterpret_cast<const std::uint32_t*>(data + y * stride)[x]; };
  int left = width, top = height, right = -1, bottom = -1;
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
    const auto* first = std::find_if(row, row + width, Drawn);
    if (first == row + width) continue;
    const auto last = std::find_if(std::make_reverse_iterator(row + width), std::make_reverse_iterator(row), Drawn);
    left = std::min(left, static_cast<int>(first - row));
    right = std::max(right, static_cast<int>(last.base() - row) - 1);
    top = std::min(top, y);
    bottom = y;
  }
  if (right < left) return outline;
  outline.rect = ui::RECT{left, top, right + 1, bottom + 1};
  // The outline's width: the drawn run down from the top edge's middle. The
  // halftone leaves every other pixel undrawn, so a gap of one does not end it.
  const int middle = (left + right) / 2;
  int thickness = 0;
  for (int y = top; y <= bottom && (Drawn(pixel(middle, y)) || (middle + 1 <= right && Drawn(pixel(middle + 1, y))));
       ++y)
    ++thickness;
  outline.thickness = std::max(1, std::min(thickness, (bottom - top + 1) / 2));
  return outline;
}

void DragOutlineStrips::Show(cairo_surface_t* overlay, const ui::POINT& screen_origin) {
  const Outline outline = Find(overlay);
  const ui::RECT& r = outline.rect;
  const int t = outline.thickness;
  if (r.right <= r.left) {
    for (wxPopupWindow* strip : strips_)
      if (strip != nullptr) strip->Hide();
    return;
  }
  const int x = r.left + screen_origin.x, y = r.top + screen_origin.y;
  const int w = r.right - r.left, h = r.bottom - r.top;
  const wxRect places[4] = {{x, y, w, t}, {x, y + h - t, w, t}, {x, y + t, t, h - 2 * t}, {x + w - t, y + t, t, h - 2 * t}};
  for (std::size_t i = 0; i < strips_.size(); ++i) {
    wxPopupWindow*& strip = strips_[i];
    if (strip == nullptr) {
      strip = new wxPopupWindow(nullptr, wxBORDER_NONE);
      strip->SetBackgroundStyle(wxBG_STYLE_PAINT);
      wxPopupWindow* self = strip;
      strip->Bind(wxEVT_PAINT, [self](wxPaintEvent&) { PaintHalftone(self); });
    }
    if (places[i].width <= 0 || places[i].height <= 0) {
      strip->Hide();
      continue;
    }
    strip->SetSize(places[i]);
    strip->Show();
    strip->Refresh(false);
  }
}

}  // namespace wxhost
