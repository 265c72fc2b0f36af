// The view's window, its messages and commands, and its first display.
#include "app/BrivenView.h"

#include "app/AppResources.h"
#include "app/ConversionDlg.h"
#include "app/DialogPictures.h"
#include "app/InstrumentPackage.h"
#include "app/MainFrame.h"
#include "app/OverwriteMessageBox.h"
#include "app/RunMode.h"
#include "app/SettingsCommands.h"
#include "core/conversion/BrivenDoc.h"
#include "platform/afx/FrameWnd.h"
#include "platform/sys/Format.h"
#include "platform/sys/Notify.h"
#include "platform/sys/Profile.h"
#include "platform/sys/Version.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/ImageResources.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"

// The framework's message-map macros name its types unqualified.
using namespace afx;


IMPLEMENT_DYNCREATE(CBrivenView, afx::CFormView)

BEGIN_MESSAGE_MAP(CBrivenView, afx::CFormView)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_TIMER()
  ON_WM_SETCURSOR()
  ON_MESSAGE(CBrivenView::kMsgCancelConversion, OnCancelMessage)
  ON_MESSAGE(CBrivenView::kMsgConversionEnded, OnEndedMessage)
  ON_MESSAGE(CBrivenView::kMsgLogWindowClosed, OnLogClosedMessage)
  ON_MESSAGE(CBrivenView::kMsgStartConversion, OnStartMessage)
  ON_MESSAGE(CBrivenView::kMsgConversionDue, OnDueMessage)
  ON_MESSAGE(afx::WM_COMMANDHELP, OnCommandHelp)
  ON_MESSAGE(afx::WM_HELPHITTEST, OnHelpHitTest)
  ON_MESSAGE(CBrivenView::kMsgFilesAdded, OnFilesAddedMessage)
  ON_LBN_SELCHANGE(app::kLogList, OnLogSelectionChanged)
  ON_LBN_SELCHANGE(app::kInstrumentList, OnInstrumentSelectionChanged)
  ON_LBN_SELCHANGE(app::kOutputList, OnOutputSelectionChanged)
  ON_COMMAND(app::kCmdConvert, OnConvertCommand)
  ON_COMMAND(app::kCmdEnterConvert, OnConvertCommand)
  ON_UPDATE_COMMAND_UI(app::kCmdConvert, OnUpdateConvert)
  ON_COMMAND(app::kCmdHeader, OnConversionHeader)
  ON_UPDATE_COMMAND_UI(app::kCmdHeader, OnUpdateConversionHeader)
  ON_COMMAND(app::kCmdConversionLog, OnViewConversionLog)
  ON_UPDATE_COMMAND_UI(app::kCmdConversionLog, OnUpdateConversionLog)
  ON_COMMAND(app::kCmdRefresh, OnViewRefresh)
  ON_UPDATE_COMMAND_UI(app::kCmdRefresh, OnUpdateWhenIdle)
  ON_COMMAND(app::kCmdViewProperties, OnViewProperties)
  ON_UPDATE_COMMAND_UI(app::kCmdViewProperties, OnUpdateWhenIdle)
  ON_COMMAND(app::kCmdParameters, OnConversionParameters)
  ON_UPDATE_COMMAND_UI(app::kCmdParameters, OnUpdateWhenIdle)
  ON_COMMAND(app::kCmdFileNaming, OnConversionFileNaming)
  ON_UPDATE_COMMAND_UI(app::kCmdFileNaming, OnUpdateWhenIdle)
  ON_COMMAND(app::kCmdDocumentProperties, OnDocumentProperties)
END_MESSAGE_MAP()

namespace {

constexpr int kListControls[3] = {app::kLogList, app::kInstrumentList, app::kOutputList};
// Room reserved in each list: many logs and outputs, fewer instruments.
constexpr int kReservedItems[3] = {256, 64, 256};
constexpr UINT kReservedItemBytes = 64;

}  // namespace

CBrivenView::CBrivenView() : afx::CFormView(app::kFormView) {
  m_strPackageFolder = app::DefaultPackageFolder();
  for (int kind = 0; kind < 3; ++kind) {
    m_lists[kind].SetKind(kind, m_strPackageFolder);
    m_lists[kind].SetSettings(&m_listSettings[kind]);
    // A drop would change what a running conversion reads.
    m_lists[kind].SetDropGuard([this] { return IsConverting(); });
  }
  sys::Profile& profile = sys::AppProfile();
  const std::string default_output = profile.GetString("View", "Default Outfile", "-1");
  if (default_output != "-1") m_strDefaultOutputName = default_output;
  const int header = profile.GetInt("View", "ConvertHeader", -1);
  if (header != -1) m_bHeaderConversion = header != 0;
}

CBrivenView::~CBrivenView() {
  if (m_outcomeSink) m_outcomeSink(m_outcome);
}

CBrivenDoc* CBrivenView::GetDocument() const { return static_cast<CBrivenDoc*>(m_pDocument); }

BOOL CBrivenView::Create(const char* class_name, const char* window_name, DWORD style, const RECT& rect,
                         CWnd* parent, UINT id, CCreateContext* context) {
  if (!app::IsWindowlessRun()) return CFormView::Create(class_name, window_name, style, rect, parent, id, context);
  // A plain hidden child: no controls, so nothing is ever laid out or drawn.
  m_pCreateContext = context;
  const BOOL created = CWnd::Create(CWnd::AfxFrameOrViewClass(), "", WS_CHILD, RECT{0, 0, 0, 0}, parent, id, context);
  m_pCreateContext = nullptr;
  return created;
}

int CBrivenView::OnCreate(afx::CREATESTRUCT* create) {
  if (afx::CFormView::OnCreate(create) == -1) return -1;
  AttachToDocument();
  return 0;
}

void CBrivenView::AttachToDocument() {
  CBrivenDoc* doc = GetDocument();
  if (doc == nullptr) return;
  doc->SetProgressFactory([doc] { return std::make_unique<CConversionDlg>(*doc); });
  // Without this a run would only be seen to end at the progress timer's
  // next tick, a tenth of a second after its last frame.
  const ui::HWND self = m_hWnd;
  doc->SetEndListener([self] { ui::PostMessage(self, kMsgConversionDue, 0, 0); });
}

void CBrivenView::DetachFromDocument() {
  CBrivenDoc* doc = GetDocument();
  if (doc == nullptr) return;
  // The progress window notifies this view; it must not outlive it.
  doc->DestroyProgressDialog();
  doc->SetProgressFactory({});
  doc->SetEndListener({});
  doc->SetOverwriteQuestion(nullptr);
}

void CBrivenView::OnDestroy() {
  CBrivenDoc* doc = GetDocument();
  if (m_bInitialised && doc != nullptr && doc->GetSaveSettings() == 1) {
    doc->GetParameters().SaveSettings();
    m_instrumentNaming.SaveSettings(CFileNaming::kInstrumentSection);
    m_headerNaming.SaveSettings(CFileNaming::kHeaderSection);
    SaveListSettings();
    sys::AppProfile().WriteString("View", "Default Outfile", m_strDefaultOutputName);
    sys::AppProfile().WriteInt("View", "ConvertHeader", m_bHeaderConversion ? 1 : 0);
  }
  if (m_conversionLog.m_hWnd) m_conversionLog.DestroyWindow();
  DetachFromDocument();
  afx::CFormView::OnDestroy();
}

void CBrivenView::OnInitialUpdate() {
  afx::CFormView::OnInitialUpdate();
  // The headings over the lists (a windowless run's view has no controls).
  if (!app::IsWindowlessRun()) app::LoadDialogPictures(m_hWnd);
  LoadListSettings();
  m_instrumentNaming.LoadSettings(CFileNaming::kInstrumentSection);
  m_headerNaming.LoadSettings(CFileNaming::kHeaderSection);
  GetDocument()->GetParameters().LoadSettings();
  m_bInitialised = true;
  for (int kind = 0; kind < 3; ++kind) {
    CFileListBox& list = m_lists[kind];
    if (list.m_hWnd == nullptr && GetDlgItem(kListControls[kind]) != nullptr)
      list.SubclassDlgItem(static_cast<UINT>(kListControls[kind]), this);
    if (list.m_hWnd == nullptr) continue;
    list.InitStorage(kReservedItems[kind], kReservedItemBytes);
    ui::DragAcceptFiles(list.m_hWnd, TRUE);
  }
  // A displayed view asks before an output is replaced.
  m_pOverwriteQuestion = CreateOverwriteDialog(this);
  if (!m_pOverwriteQuestion) m_pOverwriteQuestion = std::make_unique<OverwriteMessageBox>();
  GetDocument()->SetOverwriteQuestion(m_pOverwriteQuestion.get());
  m_conversionLog.Clear();
  ShowConversionLogWindow();
  OnViewRefresh();
  ApplyHeaderMode();
  if (m_nLogTimer != 0) KillTimer(m_nLogTimer);
  m_nLogTimer = SetTimer(kLogTimerId, kLogTimerMs);
  if (m_nLogTimer == 0)
    sys::Notify("Unable to establish a refresh timer for the Briven Conversion Log Output window.");
}

LRESULT CBrivenView::OnCancelMessage(WPARAM, LPARAM) {
  OnCancelConversion();
  return 0;
}

LRESULT CBrivenView::OnEndedMessage(WPARAM, LPARAM) {
  OnConversionEnded();
  return 0;
}

LRESULT CBrivenView::OnLogClosedMessage(WPARAM, LPARAM) {
  OnLogWindowClosed();
  return 0;
}

LRESULT CBrivenView::OnStartMessage(WPARAM first, LPARAM) {
  OnStartConversion(first);
  return 0;
}

LRESULT CBrivenView::OnDueMessage(WPARAM, LPARAM) {
  OnConversionDue();
  return 0;
}

LRESULT CBrivenView::OnCommandHelp(WPARAM, LPARAM) {
  afx::CWnd* main = MainWindow();
  if (main != nullptr) main->WinHelp(0x20080, afx::HELP_CONTEXT);
  return TRUE;
}

LRESULT CBrivenView::OnHelpHitTest(WPARAM, LPARAM point) {
  const ui::POINT at{ui::GET_X_LPARAM(point), ui::GET_Y_LPARAM(point)};
  const afx::CWnd* child = ChildWindowFromPoint(at);
  if (child == nullptr || child == this) return 0;
  const int id = child->GetDlgCtrlID();
  if (id == 0 || id == 0xFFFF) return 0;
  return static_cast<LRESULT>(id) + afx::HID_BASE_RESOURCE;
}

BOOL CBrivenView::OnSetCursor(CWnd* window, UINT hit_test, UINT message) {
  if (!IsConverting()) return CFormView::OnSetCursor(window, hit_test, message);
  ui::SetCursor(ui::LoadCursor(ui::IDC_WAIT));
  return TRUE;
}

bool CBrivenView::IsConverting() const {
  const CBrivenDoc* doc = GetDocument();
  return doc != nullptr && const_cast<CBrivenDoc*>(doc)->GetProgressDialog() != nullptr;
}

void CBrivenView::OnConvertCommand() {
  // Refused while a conversion runs, as the command is greyed then.
  if (!IsConverting()) OnConvert();
}

void CBrivenView::OnUpdateConvert(afx::CCmdUI* item) {
  // The name last typed is what "Default Outfile" keeps.
  if (CurrentNaming().m_nMode == CFileNaming::kModeUserDefined && GetDlgItem(app::kNextOutputEdit) != nullptr)
    m_strDefaultOutputName = GetNextOutputText();
  const bool converting = IsConverting();
  item->Enable(!converting);
  for (const int kind : {CListProperties::kLogList, CListProperties::kOutputList, CListProperties::kInstrumentList}) {
    if (kind == CListProperties::kInstrumentList && m_bHeaderConversion) continue;
    if (m_lists[kind].m_hWnd && (m_lists[kind].IsWindowEnabled() != 0) == converting)
      m_lists[kind].EnableWindow(!converting);
  }
  if (auto* frame = dynamic_cast<CMainFrame*>(GetParentFrame())) {
    const std::string pane = converting ? app::LoadAppString(app::kStringConvertingPane) : std::string();
    frame->SetPaneText(CMainFrame::kConvertingPane, pane);
  }
}

void CBrivenView::OnUpdateWhenIdle(afx::CCmdUI* item) { item->Enable(!IsConverting()); }

void CBrivenView::OnConversionHeader() {
  m_bHeaderConversion = !m_bHeaderConversion;
  ApplyHeaderMode();
}

void CBrivenView::OnUpdateConversionHeader(afx::CCmdUI* item) {
  item->SetCheck(m_bHeaderConversion ? 1 : 0);
  item->Enable(!IsConverting());
}

void CBrivenView::OnUpdateConversionLog(afx::CCmdUI* item) {
  // Always available: said outright, since a toolbar button made before
  // the view was active starts out disabled for want of a handler.
  item->Enable(TRUE);
  item->SetCheck(m_conversionLog.IsShown() ? 1 : 0);
}

void CBrivenView::OnViewProperties() {
  CListProperties lists[3] = {m_listSettings[0], m_listSettings[1], m_listSettings[2]};
  if (!RunListPropertiesDialog(this, lists[0], lists[1], lists[2])) return;
  for (int kind = 0; kind < 3; ++kind) m_listSettings[kind] = lists[kind];
  CListProperties& instruments = m_listSettings[CListProperties::kInstrumentList];
  if (!instruments.m_bUseWorkingFolder && !instruments.m_strPackageFile.empty()) {
    const std::string first = app::ExtractInstrumentPackage(instruments.m_strPackageFile, m_strPackageFolder);
    if (!first.empty()) instruments.m_strFileSelected = first;
  }
  OnViewRefresh();
  ApplySelections();
}

void CBrivenView::OnConversionParameters() {
  RunParametersDialog(this, GetDocument()->GetParameters(), m_bHeaderConversion);
}

// The program's properties are the document's settings; the document
// knows no windows, so the view lends it the dialog.
void CBrivenView::OnDocumentProperties() {
  GetDocument()->OnProperties([this](DocumentSettings& settings) { return RunProgramPropertiesDialog(this, settings); });
}

void CBrivenView::OnConversionFileNaming() {
  if (!RunFileNamingDialog(this, m_nNamingPage, m_instrumentNaming, m_headerNaming)) return;
  UpdateSelectionModes();
  ApplySelections();
}

void CBrivenView::OnViewConversionLog() {
  m_conversionLog.SetShown(!m_conversionLog.IsShown());
  m_conversionLog.SaveShowSetting();
  ShowConversionLogWindow();
}

void CBrivenView::OnLogWindowClosed() {
  m_conversionLog.SetShown(false);
  m_conversionLog.SaveShowSetting();
  ShowConversionLogWindow();
  if (m_hWnd != nullptr) SetFocus();
}

void CBrivenView::ShowConversionLogWindow() {
  // Only a displayed view has windows beside it.
  if (!m_bInitialised) return;
  if (!m_conversionLog.IsShown()) {
    if (m_conversionLog.m_hWnd) m_conversionLog.DestroyWindow();
    return;
  }
  if (!m_conversionLog.m_hWnd) m_conversionLog.CreateWindowFor(this);
}

CConversionDlg* CBrivenView::GetProgressWindow() const {
  CBrivenDoc* doc = GetDocument();
  return doc == nullptr ? nullptr : dynamic_cast<CConversionDlg*>(doc->GetProgressDialog());
}

afx::CWnd* CBrivenView::MainWindow() const { return GetParentFrame(); }

void CBrivenView::PostToSelf(ui::UINT message, ui::WPARAM wParam) { ui::PostMessage(m_hWnd, message, wParam, 0); }

void CBrivenView::CloseMainWindow() {
  if (afx::CWnd* main = MainWindow()) main->PostMessage(ui::WM_CLOSE);
}

void CBrivenView::OnTimer(ui::UINT_PTR id) {
  if (id == kLogTimerId) {
    std::string text;
    GetDocument()->TakePendingLogText(text);
    if (!text.empty()) m_conversionLog.AppendText(text);
    return;
  }
  if (id == kProgressTimerId) OnProgressTimer();
}

void CBrivenView::OnCancelConversion() {
  m_bCancelled = true;
  GetDocument()->RequestStop();
}

void CBrivenView::OnConversionEnded() {
  m_nLogIndex = m_nInstrumentIndex = m_nLogCount = m_nInstrumentCount = m_nTotal = m_nFileNumber = 0;
  m_bCancelled = false;
  m_bSeries = false;
  if (m_nProgressTimer != 0) {
    KillTimer(m_nProgressTimer);
    m_nProgressTimer = 0;
  }
  GetDocument()->DestroyProgressDialog();
  if (m_bInitialised) {
    if (afx::CWnd* main = MainWindow()) main->SetWindowText(app::LoadAppString(app::kStringAppTitle));
    SetFocus();
  } else {
    CloseMainWindow();
  }
}

void CBrivenView::UpdateTitle(int percent) {
  afx::CWnd* main = MainWindow();
  if (!m_bInitialised || main == nullptr) return;
  const std::string app_title = app::LoadAppString(app::kStringAppTitle);
  const char* title = app_title.c_str();
  std::string text = m_bSeries ? sys::Format("%s - Conversion in Progress - %d/%d ", title, m_nFileNumber + 1, m_nTotal)
                               : sys::Format("%s - Conversion in Progress - ", title);
  if (percent != 0) sys::AppendFormat(text, "(%d%%)", percent);
  if (main->GetWindowTextString() != text) main->SetWindowText(text);
}
