// The view's window, its messages and its first display.
#include "app/BrivenView.h"

#include "app/AppResources.h"
#include "app/ConversionDlg.h"
#include "core/conversion/BrivenDoc.h"
#include "platform/sys/Format.h"
#include "platform/sys/Notify.h"
#include "platform/sys/Profile.h"
#include "platform/sys/Version.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"

namespace {

constexpr const char kViewClass[] = "BrivenView";

bool RegisterViewClass(ui::WNDPROC proc) {
  ui::WNDCLASS existing;
  if (ui::GetClassInfo(kViewClass, &existing)) return true;
  ui::WNDCLASS wc;
  wc.lpfnWndProc = proc;
  wc.lpszClassName = kViewClass;
  return ui::RegisterClass(wc) != 0;
}

std::string ProgramFolder() {
  std::string folder = sys::GetProgramFolder();
  if (folder.empty()) return "/";
  return folder + "/";
}

}  // namespace

CBrivenView::CBrivenView(CBrivenDoc& doc) : m_doc(doc) {
  m_strPackageFolder = ProgramFolder() + "TEMP/";
  m_doc.SetProgressFactory([this] { return std::make_unique<CConversionDlg>(m_doc); });
  // Without this a run would only be seen to end at the progress timer's
  // next tick, a tenth of a second after its last frame.
  m_doc.SetEndListener([this] {
    if (m_hWnd != nullptr) ui::PostMessage(m_hWnd, kMsgConversionDue, 0, 0);
  });
  sys::Profile& profile = sys::AppProfile();
  const std::string default_output = profile.GetString("View", "Default Outfile", "-1");
  if (default_output != "-1") m_strDefaultOutputName = default_output;
  const int header = profile.GetInt("View", "ConvertHeader", -1);
  if (header != -1) m_bHeaderConversion = header != 0;
}

CBrivenView::~CBrivenView() {
  if (m_bInitialised && m_doc.GetSaveSettings() == 1) {
    m_doc.GetParameters().SaveSettings();
    m_instrumentNaming.SaveSettings(CFileNaming::kInstrumentSection);
    m_headerNaming.SaveSettings(CFileNaming::kHeaderSection);
    sys::AppProfile().WriteString("View", "Default Outfile", m_strDefaultOutputName);
    sys::AppProfile().WriteInt("View", "ConvertHeader", m_bHeaderConversion ? 1 : 0);
  }
  // The progress window notifies this view; it must not outlive it.
  m_doc.DestroyProgressDialog();
  m_doc.SetProgressFactory({});
  m_doc.SetEndListener({});
  if (m_hWnd != nullptr && ui::IsWindow(m_hWnd)) {
    ui::SetWindowLongPtr(m_hWnd, ui::GWLP_USERDATA, 0);
    ui::DestroyWindow(m_hWnd);
  }
}

bool CBrivenView::Create(ui::HWND main_window) {
  if (m_hWnd != nullptr || !RegisterViewClass(&CBrivenView::StaticWindowProc)) return false;
  m_hMainWnd = main_window;
  m_hWnd = ui::CreateWindowEx(0, kViewClass, "", ui::WS_CHILD, 0, 0, 0, 0, main_window, nullptr, nullptr);
  if (m_hWnd == nullptr) return false;
  ui::SetWindowLongPtr(m_hWnd, ui::GWLP_USERDATA, reinterpret_cast<ui::LONG_PTR>(this));
  return true;
}

void CBrivenView::OnInitialUpdate() {
  m_instrumentNaming.LoadSettings(CFileNaming::kInstrumentSection);
  m_headerNaming.LoadSettings(CFileNaming::kHeaderSection);
  m_doc.GetParameters().LoadSettings();
  m_bInitialised = true;
  m_conversionLog.Clear();
  if (m_nLogTimer != 0) ui::KillTimer(m_hWnd, m_nLogTimer);
  m_nLogTimer = ui::SetTimer(m_hWnd, kLogTimerId, kLogTimerMs, nullptr);
  if (m_nLogTimer == 0)
    sys::Notify("Unable to establish a refresh timer for the Briven Conversion Log Output window.");
}

ui::LRESULT CBrivenView::StaticWindowProc(ui::HWND hwnd, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
  auto* view = reinterpret_cast<CBrivenView*>(ui::GetWindowLongPtr(hwnd, ui::GWLP_USERDATA));
  if (view == nullptr) return ui::DefWindowProc(hwnd, message, wParam, lParam);
  return view->WindowProc(message, wParam, lParam);
}

ui::LRESULT CBrivenView::WindowProc(ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
  switch (message) {
    case kMsgCancelConversion:
      OnCancelConversion();
      return 0;
    case kMsgConversionEnded:
      OnConversionEnded();
      return 0;
    case kMsgStartConversion:
      OnStartConversion(wParam);
      return 0;
    case kMsgLogWindowClosed:
      OnLogWindowClosed();
      return 0;
    case ui::WM_TIMER:
      OnTimer(wParam);
      return 0;
    case kMsgConversionDue:
      OnConversionDue();
      return 0;
    case ui::WM_COMMAND:
      if (OnCommand(static_cast<unsigned>(wParam & 0xFFFF))) return 0;
      return ui::DefWindowProc(m_hWnd, message, wParam, lParam);
    default:
      return ui::DefWindowProc(m_hWnd, message, wParam, lParam);
  }
}

bool CBrivenView::OnCommand(unsigned id) {
  switch (id) {
    case app::kCmdConvert:
    case app::kCmdEnterConvert:
      // Refused while a conversion runs, as the command is greyed then.
      if (m_doc.GetProgressDialog() == nullptr) OnConvert();
      return true;
    case app::kCmdConversionLog:
      OnViewConversionLog();
      return true;
    default:
      return false;
  }
}

void CBrivenView::OnViewConversionLog() {
  m_conversionLog.SetShown(!m_conversionLog.IsShown());
  m_conversionLog.SaveShowSetting();
}

void CBrivenView::OnLogWindowClosed() {
  m_conversionLog.SetShown(false);
  m_conversionLog.SaveShowSetting();
  if (m_hWnd != nullptr) ui::SetFocus(m_hWnd);
}

CConversionDlg* CBrivenView::GetProgressWindow() const {
  return dynamic_cast<CConversionDlg*>(m_doc.GetProgressDialog());
}

void CBrivenView::PostToSelf(ui::UINT message, ui::WPARAM wParam) { ui::PostMessage(m_hWnd, message, wParam, 0); }

void CBrivenView::CloseMainWindow() {
  if (m_hMainWnd != nullptr) ui::PostMessage(m_hMainWnd, ui::WM_CLOSE, 0, 0);
}

void CBrivenView::OnTimer(ui::UINT_PTR id) {
  if (id == kLogTimerId) {
    std::string text;
    m_doc.TakePendingLogText(text);
    if (!text.empty()) m_conversionLog.AppendText(text);
    return;
  }
  if (id == kProgressTimerId) OnProgressTimer();
}

void CBrivenView::OnCancelConversion() {
  m_bCancelled = true;
  m_doc.RequestStop();
}

void CBrivenView::OnConversionEnded() {
  m_nLogIndex = m_nInstrumentIndex = m_nLogCount = m_nInstrumentCount = m_nTotal = m_nFileNumber = 0;
  m_bCancelled = false;
  m_bSeries = false;
  if (m_nProgressTimer != 0) {
    ui::KillTimer(m_hWnd, m_nProgressTimer);
    m_nProgressTimer = 0;
  }
  m_doc.DestroyProgressDialog();
  if (m_bInitialised) {
    if (m_hMainWnd != nullptr) ui::SetWindowText(m_hMainWnd, app::LoadAppString(app::kStringAppTitle).c_str());
  } else {
    CloseMainWindow();
  }
}

void CBrivenView::UpdateTitle(int percent) {
  if (!m_bInitialised || m_hMainWnd == nullptr) return;
  const std::string app_title = app::LoadAppString(app::kStringAppTitle);
  const char* title = app_title.c_str();
  std::string text = m_bSeries ? sys::Format("%s - Conversion in Progress - %d/%d ", title, m_nFileNumber + 1, m_nTotal)
                               : sys::Format("%s - Conversion in Progress - ", title);
  if (percent != 0) sys::AppendFormat(text, "(%d%%)", percent);
  if (ui::GetWindowTextString(m_hMainWnd) != text) ui::SetWindowText(m_hMainWnd, text.c_str());
}
