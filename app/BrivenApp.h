// The application object: the program's identity and settings key, the
// shell verb, the document template that joins the conversion document,
// the main frame and the form view, and the decision from the command line
// whether the program runs interactively, opens one file for the user, or
// runs one conversion without any window and ends with it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/BrivenView.h"
#include "app/TerminalProgress.h"
#include "platform/afx/WinApp.h"

class CBrivenDoc;
class CMainFrame;

class CBrivenApp : public afx::CWinApp {
 public:
  CBrivenApp();
  ~CBrivenApp() override;

  // Takes `argv` (the program's name first) and starts; false when the
  // program must end at once, and GetExitCode then says why.
  bool Start(const std::vector<std::string>& argv);
  afx::BOOL InitInstance() override;
  // The message loop; returns the exit status of the run.
  int Run() override;
  int GetExitCode() const { return m_nExitCode; }
  // A display host is installed: an interactive start runs here instead of
  // being handed over to the interactive program.
  void SetInteractiveHost(bool installed) { m_bInteractiveHost = installed; }

  void ReadVersionInfo();
  void RegisterConvertVerb();
  // The About command: the About box, modally over the main window.
  void OnAppAbout();
  void WinHelp(afx::UINT_PTR data, afx::UINT command = afx::HELP_CONTEXT) override;

  const std::string& GetProgramFolder() const { return m_strProgramFolder; }
  const std::string& GetHelpFilePath() const { return m_pszHelpFilePath; }
  const std::string& GetCompanyName() const { return m_strCompanyName; }
  const std::string& GetProductName() const { return m_strProductName; }
  const std::string& GetProductVersion() const { return m_strProductVersion; }
  const std::string& GetCopyright() const { return m_strCopyright; }
  const std::string& GetInstallationCompany() const { return m_strInstallCompany; }
  const std::string& GetInstallationUserName() const { return m_strInstallUserName; }
  // The template's document and its view; null before start-up made them
  // and once the main window has gone.
  CBrivenDoc* GetDocument() const;
  CBrivenView* GetView() const;
  CMainFrame* GetMainFrame() const;

 private:
  bool CreateDocument(bool visible);
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

  CBrivenDoc* m_pDoc = nullptr;  // owned by the template
  CBrivenView::Outcome m_outcome;
  std::unique_ptr<TerminalProgress> m_pTerminalProgress;
  bool m_bUnattended = false;
  bool m_bInteractiveHost = false;
  int m_nExitCode = 0;

  DECLARE_MESSAGE_MAP()
};
