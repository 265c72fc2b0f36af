#include "app/MainFrame.h"

#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"

namespace {
constexpr const char kFrameClass[] = "BrivenMainFrame";
}

CMainFrame::~CMainFrame() {
  if (m_hWnd != nullptr && ui::IsWindow(m_hWnd)) {
    ui::SetWindowLongPtr(m_hWnd, ui::GWLP_USERDATA, 0);
    ui::DestroyWindow(m_hWnd);
  }
}

bool CMainFrame::Create(const char* title) {
  if (m_hWnd != nullptr) return false;
  ui::WNDCLASS existing;
  if (!ui::GetClassInfo(kFrameClass, &existing)) {
    ui::WNDCLASS wc;
    wc.lpfnWndProc = &CMainFrame::StaticWindowProc;
    wc.lpszClassName = kFrameClass;
    if (!ui::RegisterClass(wc)) return false;
  }
  m_hWnd = ui::CreateWindowEx(0, kFrameClass, title, ui::WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                              nullptr);
  if (m_hWnd == nullptr) return false;
  ui::SetWindowLongPtr(m_hWnd, ui::GWLP_USERDATA, reinterpret_cast<ui::LONG_PTR>(this));
  return true;
}

ui::LRESULT CMainFrame::StaticWindowProc(ui::HWND hwnd, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
  auto* frame = reinterpret_cast<CMainFrame*>(ui::GetWindowLongPtr(hwnd, ui::GWLP_USERDATA));
  if (frame == nullptr) return ui::DefWindowProc(hwnd, message, wParam, lParam);
  return frame->WindowProc(message, wParam, lParam);
}

ui::LRESULT CMainFrame::WindowProc(ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
  switch (message) {
    case ui::WM_CLOSE:
      // Closing the main window ends the program's message loop.
      m_bClosed = true;
      ui::SetWindowLongPtr(m_hWnd, ui::GWLP_USERDATA, 0);
      ui::DestroyWindow(m_hWnd);
      m_hWnd = nullptr;
      ui::PostQuitMessage(0);
      return 0;
    default:
      return ui::DefWindowProc(m_hWnd, message, wParam, lParam);
  }
}
