#include "app/DialogPictures.h"

#include <cstdlib>
#include <string>

#include "app/AppResources.h"
#include "app/ResourceRegistration.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/ImageResources.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"

namespace app {

namespace {

constexpr ui::WPARAM kImageBitmap = 0;  // STM_SETIMAGE's kind of picture

// The resource number a picture static's text names, 0 for none.
unsigned PictureNumber(const std::string& text) {
  if (text.size() < 2 || text[0] != '#') return 0;
  char* end = nullptr;
  const unsigned long number = std::strtoul(text.c_str() + 1, &end, 10);
  return *end == '\0' && number <= 0xFFFF ? static_cast<unsigned>(number) : 0;
}

}  // namespace

void LoadDialogPictures(ui::HWND dialog) {
  RegisterResources();
  RegisterIconResources();
  for (ui::HWND child = ui::GetWindow(dialog, ui::GW_CHILD); child; child = ui::GetWindow(child, ui::GW_HWNDNEXT)) {
    if (ui::GetClassName(child) != "Static") continue;
    const ui::DWORD type = static_cast<ui::DWORD>(ui::GetWindowLongPtr(child, ui::GWL_STYLE)) & ui::SS_TYPEMASK;
    const unsigned number = PictureNumber(ui::GetWindowTextString(child));
    if (number == 0) continue;
    if (type == ui::SS_ICON) {
      if (const ui::HICON icon = ui::LoadIcon(number))
        ui::SendMessage(child, ui::STM_SETICON, reinterpret_cast<ui::WPARAM>(icon), 0);
    } else if (type == ui::SS_BITMAP) {
      // The static owns nothing: the bitmap lives as long as the program.
      if (const ui::HBITMAP bitmap = ui::LoadBitmap(number))
        ui::SendMessage(child, ui::STM_SETIMAGE, kImageBitmap, reinterpret_cast<ui::LPARAM>(bitmap));
    }
  }
}

}  // namespace app
