// The application object: start-up (InitInstance), the master loop (Run),
// exit, the document templates, the recent-file list and the profile
// settings kept under the registry key
// HKEY_CURRENT_USER\Software\<company>\<application>.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/afx/WinThread.h"
#include "platform/sys/Profile.h"

namespace afx {

class CDocTemplate;
class CDocument;

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)
 public:
  explicit CWinApp(const char* app_name = nullptr);
  ~CWinApp() override;

  // Names and paths, filled in by AfxWinMain before InitInstance.
  std::string m_pszAppName;       // the application title
  std::string m_pszExeName;       // the program's file name without folder
  std::string m_pszHelpFilePath;  // beside the program file
  std::string m_pszRegistryKey;   // the company key once SetRegistryKey ran
  std::string m_pszProfileName;   // the application's key under it
  int m_nCmdShow = SW_SHOWNORMAL;
  std::vector<std::string> m_args;  // argv, the program first

  virtual BOOL InitApplication() { return TRUE; }
  int ExitInstance() override;

  // Profile settings go to the profile that SetRegistryKey installed (an
  // in-memory one before that).
  void SetRegistryKey(const std::string& company);
  UINT GetProfileInt(const std::string& section, const std::string& entry, int default_value);
  std::string GetProfileString(const std::string& section, const std::string& entry,
                               const std::string& default_value = "");
  BOOL GetProfileBinary(const std::string& section, const std::string& entry, std::vector<unsigned char>& data);
  BOOL WriteProfileInt(const std::string& section, const std::string& entry, int value);
  BOOL WriteProfileString(const std::string& section, const std::string& entry, const std::string& value);
  BOOL WriteProfileBinary(const std::string& section, const std::string& entry,
                          const std::vector<unsigned char>& data);

  // Makes the profile for (company, application); the default builds the
  // settings-store profile. Tests and runs that must not touch the user's
  // settings install another.
  using ProfileFactory = std::function<std::unique_ptr<sys::Profile>(const std::string&, const std::string&)>;
  static void SetProfileFactory(ProfileFactory factory);

  // The recent-file list of `max_files` entries, read now and written at exit.
  void LoadStdProfileSettings(UINT max_files = 4);
  virtual void AddToRecentFileList(const std::string& path);
  const std::vector<std::string>& GetRecentFiles() const { return m_recentFiles; }

  // Document templates; the application owns them.
  void AddDocTemplate(CDocTemplate* doc_template);
  std::size_t GetDocTemplateCount() const { return m_templates.size(); }
  CDocTemplate* GetDocTemplate(std::size_t index) const;
  virtual CDocument* OpenDocumentFile(const char* path);
  void CloseAllDocuments(BOOL end_session);
  BOOL SaveAllModified();

  // Command handlers the application's map may name.
  void OnFileNew();
  void OnFileOpen();
  void OnAppExit();

  // Help: no help viewer exists at this level; a derived application or
  // frame that has one overrides this.
  virtual void WinHelp(UINT_PTR data, UINT command = HELP_CONTEXT);
  // Asks for a file name to open; the headless host has no chooser.
  virtual BOOL DoPromptFileName(std::string& path);

 protected:
  std::vector<std::unique_ptr<CDocTemplate>> m_templates;
  std::vector<std::string> m_recentFiles;
  UINT m_nMaxRecentFiles = 0;
  std::unique_ptr<sys::Profile> m_profile;

  DECLARE_MESSAGE_MAP()

 private:
  void SaveStdProfileSettings();
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The framework's entry: fills in the names, then InitApplication,
// InitInstance and Run. Returns the exit code.
int AfxWinMain(int argc, char** argv);
void AfxEnableControlContainer();
// The program file's path; Linux has no short (8.3) names, so it is the
// full path. FALSE when it cannot be found.
BOOL AfxGetModuleShortFileName(std::string& path);
BOOL Enable3dControls();

}  // namespace afx
