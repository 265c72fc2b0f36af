// Start-up: identity, settings key, shell verb and the command line.
#include "app/BrivenApp.h"

#include <unistd.h>

#include "app/AboutDlg.h"
#include "app/AppResources.h"
#include "app/CommandLine.h"
#include "app/DesktopHandOver.h"
#include "app/MainFrame.h"
#include "app/ResourceRegistration.h"
#include "app/RunMode.h"
#include "app/SettingsCommands.h"
#include "core/conversion/BrivenDoc.h"
#include "fsutil/QVTFileSystem.h"
#include "fsutil/QVTRegistry.h"
#include "platform/afx/SingleDocTemplate.h"
#include "platform/sys/DisplayProbe.h"
#include "platform/sys/Format.h"
#include "platform/sys/Notify.h"
#include "platform/sys/Profile.h"
#include "platform/sys/Version.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"

// The framework's message-map macros name its types unqualified.
using namespace afx;

namespace {

constexpr const char kDefaultCompany[] = "Harwendel";
constexpr const char kHelpFile[] = "Briven.chm";
constexpr const char kHeaderDefinition[] = "qelhdr1.tdf";
constexpr const char kVerbKey[] = "RawFile\\shell\\convert";
constexpr const char kVerbCommandKey[] = "RawFile\\shell\\convert\\command";

std::string WithSeparator(std::string folder) {
  if (folder.empty()) return "/";
  if (folder.back() != '/') folder += '/';
  return folder;
}

std::string ProgramPath() {
  const std::string folder = sys::GetProgramFolder();
  char buffer[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return folder + "/briven";
  buffer[n] = '\0';
  return buffer;
}

}  // namespace

BEGIN_MESSAGE_MAP(CBrivenApp, afx::CWinApp)
  ON_COMMAND(app::kCmdAppAbout, OnAppAbout)
END_MESSAGE_MAP()

CBrivenApp::CBrivenApp() {
  app::RegisterResources();
  m_pszAppName = app::LoadAppString(app::kStringAppTitle);
}

CBrivenApp::~CBrivenApp() {
  // The view lets go of the progress window while the document still
  // exists; the document then goes with its template and writes its
  // settings while the profile still exists.
  if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr) m_pMainWnd->DestroyWindow();
  app::SetWindowlessRun(false);
}

CBrivenDoc* CBrivenApp::GetDocument() const {
  afx::CDocTemplate* doc_template = GetDocTemplate(0);
  if (doc_template == nullptr) return nullptr;
  afx::POSITION position = doc_template->GetFirstDocPosition();
  return dynamic_cast<CBrivenDoc*>(doc_template->GetNextDoc(position));
}

CBrivenView* CBrivenApp::GetView() const {
  CBrivenDoc* doc = GetDocument();
  if (doc == nullptr) return nullptr;
  afx::POSITION position = doc->GetFirstViewPosition();
  return dynamic_cast<CBrivenView*>(doc->GetNextView(position));
}

CMainFrame* CBrivenApp::GetMainFrame() const { return dynamic_cast<CMainFrame*>(m_pMainWnd); }

bool CBrivenApp::Start(const std::vector<std::string>& argv) {
  m_args = argv;
  m_pszExeName = argv.empty() ? std::string("briven") : QVTFileSystem::GetFileName(argv.front());
  if (InitInstance()) return true;
  // Whatever start-up made goes before the program ends.
  if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr) m_pMainWnd->DestroyWindow();
  return false;
}

afx::BOOL CBrivenApp::InitInstance() {
  m_strProgramFolder = WithSeparator(sys::GetProgramFolder());
  m_pszHelpFilePath = m_strProgramFolder + kHelpFile;
  ReadVersionInfo();
  SetRegistryKey(m_strCompanyName.empty() ? std::string(kDefaultCompany) : m_strCompanyName);
  AddDocTemplate(new afx::CSingleDocTemplate(app::kMainResource, RUNTIME_CLASS(CBrivenDoc),
                                             RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CBrivenView)));
  RegisterConvertVerb();
  const std::vector<std::string> arguments(m_args.size() > 1 ? m_args.begin() + 1 : m_args.end(), m_args.end());
  switch (app::ClassifyStart(static_cast<int>(m_args.size()))) {
    case app::StartKind::kConvert:
      return StartConversion(arguments);
    case app::StartKind::kOpenFile:
    case app::StartKind::kInteractive:
      return StartInteractive(m_args);
  }
  return FALSE;
}

bool CBrivenApp::Fail(const std::string& message, int exit_code) {
  sys::Notify(message, sys::NoticeIcon::exclamation);
  m_nExitCode = exit_code;
  return false;
}

bool CBrivenApp::CreateDocument(bool visible) {
  afx::CDocTemplate* doc_template = GetDocTemplate(0);
  if (doc_template == nullptr) return false;
  auto* doc = dynamic_cast<CBrivenDoc*>(doc_template->OpenDocumentFile(nullptr, visible ? TRUE : FALSE));
  if (doc == nullptr || GetView() == nullptr) return false;
  // Header conversion reads its definition beside the program, or where
  // the installation put the shared data.
  const std::string header_definition = sys::FindDataFile(kHeaderDefinition);
  doc->SetProgramDirectory(header_definition.empty() ? m_strProgramFolder
                                                     : WithSeparator(QVTFileSystem::GetPath(header_definition)));
  return true;
}

bool CBrivenApp::StartConversion(const std::vector<std::string>& arguments) {
  app::SetWindowlessRun(true);
  if (!CreateDocument(false)) return Fail("Fatal error executing Briven!", app::kExitFailed);
  m_pDoc = GetDocument();
  // The document outlives the hidden main window: the run's end is read
  // from it after the loop.
  m_pDoc->m_bAutoDelete = FALSE;
  std::string message;
  std::string refusal;
  if (!app::TakeConversionArguments(arguments, *m_pDoc, message, refusal)) {
    Fail(message, app::kExitUsage);
    if (!refusal.empty()) sys::Notify(refusal, sys::NoticeIcon::exclamation);
    return false;
  }
  CBrivenView* view = GetView();
  m_pDoc->SetCommandLine(true);
  view->SetCommandLine(true);
  view->SetOutcomeSink([this](const CBrivenView::Outcome& outcome) { m_outcome = outcome; });
  PrepareUnattendedRun();
  view->PostMessage(CBrivenView::kMsgStartConversion, 0, 0);
  return true;
}

bool CBrivenApp::StartInteractive(const std::vector<std::string>& argv) {
  if (!m_bInteractiveHost) {
    // Found out here, before the interactive program and its toolkit load.
    sys::DisplayProbe probe;
    const sys::DisplayProbe::Result display = probe.Open();
    if (display != sys::DisplayProbe::Result::kOpened)
      return Fail(sys::DisplayProbe::Message(display), app::kExitUsage);
    probe.Close();
    std::string message;
    app::HandOverToDesktopProgram(argv, message);
    return Fail(message, app::kExitUsage);
  }
  // Drawn, so only for a run that shows windows.
  app::RegisterCursorResources();
  if (!CreateDocument(true)) return Fail("Fatal error executing Briven!", app::kExitFailed);
  if (argv.size() == 2) {
    std::string message;
    if (!app::TakeOpenFileArgument(argv[1], *GetDocument(), message)) return Fail(message, app::kExitUsage);
    GetView()->SendMessage(CBrivenView::kMsgFilesAdded, 0, 0);
  }
  m_pMainWnd->SetWindowText(m_pszAppName);
  m_pMainWnd->ShowWindow(afx::SW_SHOW);
  m_pMainWnd->UpdateWindow();
  return true;
}

void CBrivenApp::ReadVersionInfo() {
  const sys::VersionBlock& block = sys::GetVersionBlock();
  m_strCompanyName = block.company_name ? block.company_name : "";
  m_strFileDescription = block.file_description ? block.file_description : "";
  m_strProductVersion = block.product_version ? block.product_version : "";
  m_strProductName = block.product_name ? block.product_name : "";
  m_strCopyright = block.legal_copyright ? block.legal_copyright : "";
  if (m_strCompanyName.empty() || m_strFileDescription.empty() || m_strProductVersion.empty()) return;
  QVTRegistry registry;
  if (!registry.Connect(sys::HKEY_LOCAL_MACHINE)) return;
  const std::string key = "Software\\" + m_strCompanyName + "\\" + m_strFileDescription + "\\" + m_strProductVersion;
  if (!registry.Open(key.c_str(), sys::KEY_READ)) return;
  if (!registry.GetStringValue("Company", m_strInstallCompany)) m_strInstallCompany.clear();
  if (!registry.GetStringValue("Name", m_strInstallUserName)) m_strInstallUserName.clear();
}

void CBrivenApp::RegisterConvertVerb() {
  QVTRegistry registry;
  if (!registry.Connect(sys::HKEY_CLASSES_ROOT)) return;
  if (registry.Create(kVerbKey)) {
    if (!registry.SetStringValue("", "Con&vert")) {
      registry.DeleteKey(kVerbKey);
      return;
    }
  }
  if (!registry.Create(kVerbCommandKey)) return;
  if (!registry.SetStringValue("", sys::Format("%s \"%%1\"", ProgramPath().c_str()))) registry.DeleteKey(kVerbKey);
}


void CBrivenApp::OnAppAbout() {
  CAboutDlg about(this, m_pMainWnd);
  about.DoModal();
}

void CBrivenApp::WinHelp(afx::UINT_PTR data, afx::UINT) {
  ShowHelpTopic(m_pMainWnd, static_cast<unsigned long>(data));
}
