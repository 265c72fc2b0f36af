// The program's top-level window. For now a plain frame window that holds
// the view and ends the program when it is closed; the docking frame with
// its bars, menu bar and saved placement replaces it later.
#pragma once

#include "platform/ui/Types.h"

class CMainFrame {
 public:
  CMainFrame() = default;
  ~CMainFrame();
  CMainFrame(const CMainFrame&) = delete;
  CMainFrame& operator=(const CMainFrame&) = delete;

  // Created hidden; an unattended run never shows it.
  bool Create(const char* title);
  ui::HWND GetSafeHwnd() const { return m_hWnd; }
  bool IsClosed() const { return m_bClosed; }

 private:
  static ui::LRESULT StaticWindowProc(ui::HWND hwnd, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam);
  ui::LRESULT WindowProc(ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam);

  ui::HWND m_hWnd = nullptr;
  bool m_bClosed = false;
};
