// The mouse cursor on the display follows the window system's: each cursor
// our windows set (WM_SETCURSOR) is drawn from its mask and image into a
// cursor of the display's.
#pragma once

#include <memory>

#include "platform/ui/GdiTypes.h"

class wxCursor;
class wxImage;

namespace wxhost {

class DisplayCursor {
 public:
  DisplayCursor();
  ~DisplayCursor();
  DisplayCursor(const DisplayCursor&) = delete;
  DisplayCursor& operator=(const DisplayCursor&) = delete;

  // Shows `cursor` over every window of ours; null shows the display's own.
  void Show(ui::HCURSOR cursor);

  // The picture of `cursor`, with the parts the mask keeps transparent and
  // its hot spot; an empty image when it is not a cursor. Exposed for tests.
  static wxImage Picture(ui::HCURSOR cursor);

 private:
  // Kept while shown: the display refers to it.
  std::unique_ptr<wxCursor> shown_;
};

}  // namespace wxhost
