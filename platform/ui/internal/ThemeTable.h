// The one table of system colours and metrics: a classic Windows-like
// theme. Colours may be changed at run time (SetSysColors); the brushes
// of GetSysColorBrush follow.
#pragma once

#include <array>
#include <functional>
#include <mutex>

#include "platform/ui/GdiTypes.h"
#include "platform/ui/SystemMetrics.h"

namespace ui::internal {

class ThemeTable {
 public:
  static ThemeTable& Get();

  COLORREF Color(int index);
  bool SetColor(int index, COLORREF color);
  HBRUSH ColorBrush(int index);
  // 0 for an unknown index; the screen from the host.
  int Metric(int index);
  void SetListener(std::function<void(bool)> listener);
  void NotifyChanged(bool colours);

 private:
  ThemeTable();
  std::mutex mutex_;
  std::array<COLORREF, kSysColorCount> colors_{};
  std::array<HBRUSH, kSysColorCount> brushes_{};
  std::function<void(bool)> listener_;
};

}  // namespace ui::internal
