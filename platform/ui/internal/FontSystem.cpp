#include "platform/ui/internal/FontSystem.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <strings.h>
#include "platform/ui/internal/DrawingLibraries.h"

namespace ui::internal {

namespace {

std::atomic<bool> g_loaded{false};

// The em size Pango is asked for. A negative height is a character height
// that came from a whole point size rounded to whole pixels at 96 dpi:
// the nearest whole point gives that size back, so an 8 pt font (-11)
// measures as 8 pt does. A positive height is the cell height; 0 is the 8 pt
// default.
double EmPixels(LONG height, double cell_per_em) {
  if (height == 0) return 8.0 * 96.0 / 72.0;
  if (height < 0) {
    const double points = std::max(1.0, std::round(-height * 72.0 / 96.0));
    return points * 96.0 / 72.0;
  }
  return height / cell_per_em;
}

std::string KeyOf(const LOGFONT& f) {
  LOGFONT copy = f;
  copy.lfFaceName[LF_FACESIZE - 1] = 0;
  // Only the fields that change the face take part.
  char key[LF_FACESIZE + 64];
  std::snprintf(key, sizeof key, "%d/%d/%d/%d/%d/%s", static_cast<int>(copy.lfHeight), static_cast<int>(copy.lfWeight),
                copy.lfItalic, copy.lfUnderline, copy.lfStrikeOut, copy.lfFaceName);
  return key;
}

}  // namespace

FontSystem::Face::~Face() {
  for (auto& [text, shaped_layout] : shaped) g_object_unref(shaped_layout);
  if (layout) g_object_unref(layout);
  if (description) pango_font_description_free(description);
}

FontSystem& FontSystem::Get() {
  static FontSystem* system = new FontSystem;  // Pango objects are never torn down at exit
  return *system;
}

bool FontSystem::Loaded() { return g_loaded.load(); }

FontSystem::FontSystem() {
  map_ = pango_cairo_font_map_new();
  pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(map_), 96.0);
  context_ = pango_font_map_create_context(map_);
  g_loaded = true;
}

std::string FontSystem::MapFamily(const char* requested) {
  struct Alias {
    const char* name;
    const char* family;
  };
  // The classic dialog and UI faces are drawn with the condensed face,
  // whose widths match the dialog base units.
  static constexpr Alias kAliases[] = {
      {"", "DejaVu Sans Condensed"},
      {"MS Shell Dlg", "DejaVu Sans Condensed"},
      {"MS Shell Dlg 2", "DejaVu Sans Condensed"},
      {"MS Sans Serif", "DejaVu Sans Condensed"},
      {"Microsoft Sans Serif", "DejaVu Sans Condensed"},
      {"Tahoma", "DejaVu Sans Condensed"},
      {"System", "DejaVu Sans Condensed"},
      {"Arial", "DejaVu Sans"},
      {"Helvetica", "DejaVu Sans"},
      {"Verdana", "DejaVu Sans"},
      {"Segoe UI", "DejaVu Sans"},
      {"Courier", "DejaVu Sans Mono"},
      {"Courier New", "DejaVu Sans Mono"},
      {"Fixedsys", "DejaVu Sans Mono"},
      {"Terminal", "DejaVu Sans Mono"},
      {"Lucida Console", "DejaVu Sans Mono"},
      {"Times New Roman", "DejaVu Serif"},
  };
  const char* name = requested ? requested : "";
  for (const Alias& alias : kAliases)
    if (strcasecmp(alias.name, name) == 0) return alias.family;
  return name;
}

const FontSystem::Face& FontSystem::Resolve(const LOGFONT& font) {
  const std::string key = KeyOf(font);
  auto found = faces_.find(key);
  if (found != faces_.end()) return *found->second;

  auto face = std::make_unique<Face>();
  char name[LF_FACESIZE];
  std::memcpy(name, font.lfFaceName, LF_FACESIZE);
  name[LF_FACESIZE - 1] = 0;
  face->family = MapFamily(name);
  face->description = pango_font_description_new();
  pango_font_description_set_family(face->description, face->family.c_str());
  pango_font_description_set_weight(face->description,
                                    font.lfWeight >= 600 ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(face->description, font.lfItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  double cell_per_em = 1.0;
  if (font.lfHeight > 0) {
    // Measure the face once at a known size to turn a cell height into an em.
    pango_font_description_set_absolute_size(face->description, 100.0 * PANGO_SCALE);
    PangoFontMetrics* probe = pango_context_get_metrics(context_, face->description, nullptr);
    cell_per_em = (pango_font_metrics_get_ascent(probe) + pango_font_metrics_get_descent(probe)) /
                  (100.0 * PANGO_SCALE);
    pango_font_metrics_unref(probe);
    if (cell_per_em <= 0) cell_per_em = 1.0;
  }
  pango_font_description_set_absolute_size(face->description, EmPixels(font.lfHeight, cell_per_em) * PANGO_SCALE);

  PangoFontMetrics* m = pango_context_get_metrics(context_, face->description, nullptr);
  TEXTMETRIC& tm = face->metrics;
  tm.tmAscent = PANGO_PIXELS(pango_font_metrics_get_ascent(m));
  tm.tmDescent = PANGO_PIXELS(pango_font_metrics_get_descent(m));
  tm.tmHeight = tm.tmAscent + tm.tmDescent;
  const double em = pango_font_description_get_size(face->description) / static_cast<double>(PANGO_SCALE);
  tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - static_cast<LONG>(std::lround(em)));
  tm.tmExternalLeading = 0;
  tm.tmAveCharWidth = PANGO_PIXELS(pango_font_metrics_get_approximate_char_width(m));
  tm.tmWeight = font.lfWeight == FW_DONTCARE ? FW_NORMAL : font.lfWeight;
  tm.tmItalic = font.lfItalic ? 1 : 0;
  tm.tmUnderlined = font.lfUnderline ? 1 : 0;
  tm.tmStruckOut = font.lfStrikeOut ? 1 : 0;
  pango_font_metrics_unref(m);

  face->layout = pango_layout_new(context_);
  pango_layout_set_font_description(face->layout, face->description);
  if (font.lfUnderline || font.lfStrikeOut) {
    PangoAttrList* attrs = pango_attr_list_new();
    if (font.lfUnderline) pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (font.lfStrikeOut) pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
    pango_layout_set_attributes(face->layout, attrs);
    pango_attr_list_unref(attrs);
  }
  face->underline = font.lfUnderline != 0;
  face->strike_out = font.lfStrikeOut != 0;
  // The widest character of the printable ASCII range.
  LONG widest = 0;
  for (char c = 0x20; c < 0x7F; ++c) widest = std::max(widest, Measure(*face, std::string_view(&c, 1)).cx);
  tm.tmMaxCharWidth = widest;

  return *faces_.emplace(key, std::move(face)).first->second;
}

PangoLayout* FontSystem::Shaped(const Face& face, std::string_view text) {
  auto& cache = const_cast<Face&>(face).shaped;
  // A bound on what is kept: past it the cache starts again.
  constexpr std::size_t kMostTexts = 512;
  auto found = cache.find(std::string(text));
  if (found != cache.end()) return found->second;
  if (cache.size() >= kMostTexts) {
    for (auto& [key, old] : cache) g_object_unref(old);
    cache.clear();
  }
  PangoLayout* layout = pango_layout_copy(face.layout);
  pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
  cache.emplace(std::string(text), layout);
  return layout;
}

SIZE FontSystem::Measure(const Face& face, std::string_view text) {
  if (text.empty()) return SIZE{0, face.metrics.tmHeight};
  PangoRectangle logical;
  pango_layout_get_extents(Shaped(face, text), nullptr, &logical);
  return SIZE{PANGO_PIXELS_CEIL(logical.width), face.metrics.tmHeight};
}

void FontSystem::Draw(cairo_t* cr, const Face& face, std::string_view text, double x, double y) {
  if (text.empty()) return;
  PangoLayout* layout = Shaped(face, text);
  // Place the baseline at the cell's ascent, whatever line spacing Pango
  // chose. The layout stays shaped for the private context: contexts only
  // translate, so nothing about the target changes the glyphs.
  const int baseline = pango_layout_get_baseline(layout);
  cairo_move_to(cr, x, y + face.metrics.tmAscent - baseline / static_cast<double>(PANGO_SCALE));
  pango_cairo_show_layout(cr, layout);
}

}  // namespace ui::internal

// Fontconfig keeps its configuration and caches until the process ends
// and offers no safe way to free them while Pango still holds fonts; leak
// checks of sanitizer builds are told so instead of failing every run
// that drew text.
#if defined(__SANITIZE_ADDRESS__)
#define BRIVEN_LSAN_SUPPRESSIONS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRIVEN_LSAN_SUPPRESSIONS 1
#endif
#endif
#ifdef BRIVEN_LSAN_SUPPRESSIONS
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif
