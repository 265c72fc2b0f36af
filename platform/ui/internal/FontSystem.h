// Fonts through a private Pango font map at 96 dpi, independent of any
// desktop setting. Nothing is loaded until the first text is measured or
// drawn, so runs that never draw never pay for fonts.
#pragma once

#include <cairo.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/ui/GdiTypes.h"

typedef struct _PangoFontDescription PangoFontDescription;
typedef struct _PangoLayout PangoLayout;
typedef struct _PangoContext PangoContext;
typedef struct _PangoFontMap PangoFontMap;

namespace ui::internal {

class FontSystem {
 public:
  struct Face {
    ~Face();
    PangoFontDescription* description = nullptr;
    PangoLayout* layout = nullptr;  // the face's settings, copied into each text's layout
    // Shaped layouts of the texts seen lately: controls repaint the same
    // labels again and again, and shaping is most of what text costs.
    std::unordered_map<std::string, PangoLayout*> shaped;
    TEXTMETRIC metrics;
    bool underline = false;
    bool strike_out = false;
    std::string family;
  };

  static FontSystem& Get();
  // Whether any font has been loaded yet (start-up stays font-free).
  static bool Loaded();

  // Pango is not thread-safe: hold this around Resolve and the calls below.
  std::mutex& mutex() { return mutex_; }
  const Face& Resolve(const LOGFONT& font);
  // The logical width and the line height of one line of text.
  SIZE Measure(const Face& face, std::string_view text);
  // Draws one line with its top-left cell corner at (x, y) in the current
  // source of `cr`.
  void Draw(cairo_t* cr, const Face& face, std::string_view text, double x, double y);

  // The face name text is drawn with for a requested one.
  static std::string MapFamily(const char* requested);

 private:
  FontSystem();
  // The shaped layout of `text`, made on first use.
  PangoLayout* Shaped(const Face& face, std::string_view text);

  std::mutex mutex_;
  PangoFontMap* map_ = nullptr;
  PangoContext* context_ = nullptr;
  std::map<std::string, std::unique_ptr<Face>> faces_;
};

}  // namespace ui::internal
