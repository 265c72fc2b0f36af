// Start-up: identity, settings key, shell verb and the command line.
#include "app/BrivenApp.h"

#include <unistd.h>

#include "app/AboutDlg.h"
#include "app/AppResources.h"
#include "app/CommandLine.h"
#include "app/DesktopHandOver.h"
#include "core/conversion/BrivenDoc.h"
#include "fsutil/QVTFileSystem.h"
#include "fsutil/QVTRegistry.h"
#include "platform/sys/DisplayProbe.h"
#include "platform/sys/Format.h"
#include "platform/sys/Notify.h"
#include "platform/sys/Profile.h"
#include "platform/sys/Version.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"

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

CBrivenApp::CBrivenApp() = default;

CBrivenApp::~CBrivenApp() {
  // The view lets go of the progress window before the document goes, and
  // the document writes its settings while the profile still exists.
  m_pView.reset();
  m_pDoc.reset();
  if (m_pProfile && &sys::AppProfile() == m_pProfile.get()) sys::SetAppProfile(nullptr);
}

bool CBrivenApp::InitInstance(const std::vector<std::string>& argv) {
  m_strProgramFolder = WithSeparator(sys::GetProgramFolder());
  m_strHelpFilePath = m_strProgramFolder + kHelpFile;
  ReadVersionInfo();
  m_pProfile = std::make_unique<sys::RegistryProfile>(
      m_strCompanyName.empty() ? std::string(kDefaultCompany) : m_strCompanyName,
      app::LoadAppString(app::kStringAppTitle).c_str());
  sys::SetAppProfile(m_pProfile.get());
  RegisterConvertVerb();
  const std::vector<std::string> arguments(argv.size() > 1 ? argv.begin() + 1 : argv.end(), argv.end());
  switch (app::ClassifyStart(static_cast<int>(argv.size()))) {
    case app::StartKind::kConvert:
      return StartConversion(arguments);
    case app::StartKind::kOpenFile:
    case app::StartKind::kInteractive:
      return StartInteractive(argv);
  }
  return false;
}

bool CBrivenApp::Fail(const std::string& message, int exit_code) {
  sys::Notify(message, sys::NoticeIcon::exclamation);
  m_nExitCode = exit_code;
  return false;
}

bool CBrivenApp::CreateDocumentAndView() {
  m_pDoc = std::make_unique<CBrivenDoc>();
  if (!m_pDoc->OnNewDocument()) return false;
  // Header conversion reads its definition beside the program, or where
  // the installation put the shared data.
  const std::string header_definition = sys::FindDataFile(kHeaderDefinition);
  m_pDoc->SetProgramDirectory(header_definition.empty() ? m_strProgramFolder
                                                        : WithSeparator(QVTFileSystem::GetPath(header_definition)));
  if (!m_frame.Create(app::LoadAppString(app::kStringAppTitle).c_str())) return false;
  m_pView = std::make_unique<CBrivenView>(*m_pDoc);
  return m_pView->Create(m_frame.GetSafeHwnd());
}

bool CBrivenApp::StartConversion(const std::vector<std::string>& arguments) {
  if (!CreateDocumentAndView()) return Fail("Fatal error executing Briven!", app::kExitFailed);
  std::string message;
  std::string refusal;
  if (!app::TakeConversionArguments(arguments, *m_pDoc, message, refusal)) {
    Fail(message, app::kExitUsage);
    if (!refusal.empty()) sys::Notify(refusal, sys::NoticeIcon::exclamation);
    return false;
  }
  m_pDoc->SetCommandLine(true);
  m_pView->SetCommandLine(true);
  PrepareUnattendedRun();
  ui::PostMessage(m_pView->GetSafeHwnd(), CBrivenView::kMsgStartConversion, 0, 0);
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
  // The main window and its file lists are not built yet.
  return Fail("The interactive program is not available in this build; convert from the command line instead.",
              app::kExitUsage);
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
  CAboutDlg about(this);
  about.DoModal(m_frame.GetSafeHwnd());
}
