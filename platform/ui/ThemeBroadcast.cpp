// When the system colours or metrics change, every top-level window hears
// of it (WM_SYSCOLORCHANGE or WM_SETTINGCHANGE) and is repainted whole,
// frame and children included.
#include <mutex>

#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/internal/Painting.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

namespace {

void Broadcast(bool colours) {
  std::vector<HWND> tops;
  {
    TableLock lock(WindowTable::Get().mutex());
    tops = WindowTable::Get().top_levels();
  }
  for (HWND top : tops) {
    if (!IsWindow(top)) continue;
    SendMessage(top, colours ? WM_SYSCOLORCHANGE : WM_SETTINGCHANGE, 0, 0);
    RedrawRegion(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

}  // namespace

void InstallThemeListener() {
  static std::once_flag once;
  std::call_once(once, [] { SetThemeChangeListener(Broadcast); });
}

}  // namespace ui::internal
