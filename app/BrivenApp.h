// The application object: the program's identity and settings key, the
// shell verb, and the decision from the command line whether the program
// runs interactively, opens one file for the user, or runs one conversion
// without any window and ends with it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/BrivenView.h"
#include "app/MainFrame.h"
#include "app/TerminalProgress.h"
#include "platform/sys/RegistryProfile.h"

class CBrivenDoc;

class CBrivenApp {
 public:
  CBrivenApp();
  ~CBrivenApp();
  CBrivenApp(const CBrivenApp&) = delete;
  CBrivenApp& operator=(const CBrivenApp&) = delete;

  // False when the program must end at once; GetExitCode then says why.
  bool InitInstance(const std::vector<std::string>& argv);
  // The message loop; returns the exit status of the run.
  int Run();
  int GetExitCode() const { return m_nExitCode; }
  // A display host is installed: an interactive start runs here instead of
  // being handed over to the interactive program.
  void SetInteractiveHost(bool installed) { m_bInteractiveHost = installed; }

  void ReadVersionInfo();
  void RegisterConvertVerb();
  // The About command: the About box, modally over the main window.
  void OnAppAbout();

  const std::string& GetProgramFolder() const { return m_strProgramFolder; }
  const std::string& GetHelpFilePath() const { return m_strHelpFilePath; }
  const std::string& GetCompanyName() const { return m_strCompanyName; }
  const std::string& GetProductName() const { return m_strProductName; }
  const std::string& GetProductVersion() const { return m_strProductVersion; }
  const std::string& GetCopyright() const { return m_strCopyright; }
  const std::string& GetInstallationCompany() const { return m_strInstallCompany; }
  const std::string& GetInstallationUserName() const { return m_strInstallUserName; }
  CBrivenDoc* GetDocument() const { return m_pDoc.get(); }
  CBrivenView* GetView() const { return m_pView.get(); }

 private:
  bool CreateDocumentAndView();
  bool StartConversion(const std::vector<std::string>& arguments);
  bool StartInteractive(const std::vector<std::string>& argv);
  bool Fail(const std::string& message, int exit_code);
  // The unattended run: signals, the terminal progress line, and after the
  // loop the exit status and the conversion log of a run that failed.
  void PrepareUnattendedRun();
  int EndUnattendedRun();
  void ReportFailedRun(const std::string& log_text);

  // In member order of the program's identity.
  std::string m_strProgramFolder;
  std::string m_strCompanyName;
  std::string m_strFileDescription;
  std::string m_strProductVersion;
  std::string m_strProductName;
  std::string m_strCopyright;
  std::string m_strInstallCompany;
  std::string m_strInstallUserName;
  std::string m_strHelpFilePath;

  std::unique_ptr<sys::RegistryProfile> m_pProfile;
  CMainFrame m_frame;
  std::unique_ptr<CBrivenDoc> m_pDoc;
  std::unique_ptr<CBrivenView> m_pView;
  std::unique_ptr<TerminalProgress> m_pTerminalProgress;
  bool m_bUnattended = false;
  bool m_bInteractiveHost = false;
  int m_nExitCode = 0;
};
