#include "platform/afx/WinApp.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "platform/afx/DocTemplate.h"
#include "platform/afx/Document.h"
#include "platform/afx/Wnd.h"
#include "platform/sys/Format.h"
#include "platform/sys/RegistryProfile.h"

namespace afx {

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
  ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

namespace {

CWinApp* the_app = nullptr;

CWinApp::ProfileFactory& Factory() {
  static CWinApp::ProfileFactory factory = [](const std::string& company, const std::string& application) {
    return std::unique_ptr<sys::Profile>(std::make_unique<sys::RegistryProfile>(company, application));
  };
  return factory;
}

constexpr const char* kRecentFileSection = "Recent File List";

std::string ProgramPath() {
  char path[4096];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

std::string ProgramFolder() {
  const std::string full = ProgramPath();
  const std::size_t slash = full.rfind('/');
  return slash == std::string::npos ? std::string() : full.substr(0, slash + 1);
}

std::string ExeName(const char* argv0) {
  std::string name = argv0 ? argv0 : "";
  const std::size_t slash = name.find_last_of("/\\");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  return name;
}

}  // namespace

CWinApp::CWinApp(const char* app_name) {
  if (app_name) m_pszAppName = app_name;
  the_app = this;
}

CWinApp::~CWinApp() {
  m_templates.clear();
  if (m_profile && &sys::AppProfile() == m_profile.get()) sys::SetAppProfile(nullptr);
  if (the_app == this) the_app = nullptr;
}

CWinApp* AfxGetApp() { return the_app; }

CWnd* AfxGetMainWnd() { return the_app ? the_app->GetMainWnd() : nullptr; }

void AfxEnableControlContainer() {}

BOOL AfxGetModuleShortFileName(std::string& path) {
  path = ProgramPath();
  return path.empty() ? FALSE : TRUE;
}

BOOL Enable3dControls() { return TRUE; }

void CWinApp::SetProfileFactory(ProfileFactory factory) { Factory() = std::move(factory); }

void CWinApp::SetRegistryKey(const std::string& company) {
  m_pszRegistryKey = company;
  m_pszProfileName = m_pszAppName;
  std::unique_ptr<sys::Profile> profile = Factory() ? Factory()(company, m_pszProfileName) : nullptr;
  if (!profile) return;
  sys::SetAppProfile(profile.get());
  m_profile = std::move(profile);
}

UINT CWinApp::GetProfileInt(const std::string& section, const std::string& entry, int default_value) {
  return static_cast<UINT>(sys::AppProfile().GetInt(section, entry, default_value));
}

std::string CWinApp::GetProfileString(const std::string& section, const std::string& entry,
                                      const std::string& default_value) {
  return sys::AppProfile().GetString(section, entry, default_value);
}

BOOL CWinApp::GetProfileBinary(const std::string& section, const std::string& entry, std::vector<unsigned char>& data) {
  return sys::AppProfile().GetBinary(section, entry, data) ? TRUE : FALSE;
}

BOOL CWinApp::WriteProfileInt(const std::string& section, const std::string& entry, int value) {
  return sys::AppProfile().WriteInt(section, entry, value) ? TRUE : FALSE;
}

BOOL CWinApp::WriteProfileString(const std::string& section, const std::string& entry, const std::string& value) {
  return sys::AppProfile().WriteString(section, entry, value) ? TRUE : FALSE;
}

BOOL CWinApp::WriteProfileBinary(const std::string& section, const std::string& entry,
                                 const std::vector<unsigned char>& data) {
  return sys::AppProfile().WriteBinary(section, entry, data) ? TRUE : FALSE;
}

void CWinApp::LoadStdProfileSettings(UINT max_files) {
  m_nMaxRecentFiles = max_files;
  m_recentFiles.clear();
  for (UINT i = 1; i <= max_files; ++i) {
    const std::string path = GetProfileString(kRecentFileSection, sys::Format("File%u", i));
    if (!path.empty()) m_recentFiles.push_back(path);
  }
}

void CWinApp::AddToRecentFileList(const std::string& path) {
  if (!m_nMaxRecentFiles || path.empty()) return;
  std::erase(m_recentFiles, path);
  m_recentFiles.insert(m_recentFiles.begin(), path);
  if (m_recentFiles.size() > m_nMaxRecentFiles) m_recentFiles.resize(m_nMaxRecentFiles);
}

void CWinApp::SaveStdProfileSettings() {
  for (UINT i = 1; i <= m_nMaxRecentFiles; ++i) {
    const std::string key = sys::Format("File%u", i);
    if (i <= m_recentFiles.size()) WriteProfileString(kRecentFileSection, key, m_recentFiles[i - 1]);
  }
}

int CWinApp::ExitInstance() {
  SaveStdProfileSettings();
  return CWinThread::ExitInstance();
}

void CWinApp::AddDocTemplate(CDocTemplate* doc_template) {
  if (doc_template) m_templates.emplace_back(doc_template);
}

CDocTemplate* CWinApp::GetDocTemplate(std::size_t index) const {
  return index < m_templates.size() ? m_templates[index].get() : nullptr;
}

CDocument* CWinApp::OpenDocumentFile(const char* path) {
  if (m_templates.empty()) return nullptr;
  CDocument* document = m_templates.front()->OpenDocumentFile(path);
  if (document && path) AddToRecentFileList(path);
  return document;
}

void CWinApp::CloseAllDocuments(BOOL end_session) {
  for (const auto& doc_template : m_templates) doc_template->CloseAllDocuments(end_session);
}

BOOL CWinApp::SaveAllModified() {
  for (const auto& doc_template : m_templates)
    if (!doc_template->SaveAllModified()) return FALSE;
  return TRUE;
}

void CWinApp::OnFileNew() {
  if (!m_templates.empty()) m_templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
  std::string path;
  if (DoPromptFileName(path)) OpenDocumentFile(path.c_str());
}

void CWinApp::OnAppExit() {
  if (m_pMainWnd && m_pMainWnd->m_hWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::WinHelp(UINT_PTR, UINT) {}

BOOL CWinApp::DoPromptFileName(std::string&) { return FALSE; }

int AfxWinMain(int argc, char** argv) {
  CWinApp* app = AfxGetApp();
  if (!app) {
    std::fputs("no application object\n", stderr);
    return 1;
  }
  app->m_args.assign(argv, argv + argc);
  app->m_pszExeName = ExeName(argc > 0 ? argv[0] : nullptr);
  if (app->m_pszAppName.empty() && !::ui::LoadStringResource(AFX_IDS_APP_TITLE, app->m_pszAppName))
    app->m_pszAppName = app->m_pszExeName;
  if (app->m_pszHelpFilePath.empty()) app->m_pszHelpFilePath = ProgramFolder() + app->m_pszExeName + ".hlp";
  if (!app->InitApplication() || !app->InitInstance()) {
    if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd) app->m_pMainWnd->DestroyWindow();
    return app->ExitInstance();
  }
  return app->Run();
}

}  // namespace afx
