// The form view (form 101): it turns the user's choices (or the command
// line's names) into the document's three file names and drives
// conversions, one at a time or as a series over the selected log and
// instrument files, through its private messages and two timers. Every
// step arrives as the message the rest of the program posts.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ConversionLogDlg.h"
#include "app/FileListBox.h"
#include "app/FileNaming.h"
#include "app/ListProperties.h"
#include "platform/afx/CmdUI.h"
#include "platform/afx/FormView.h"
#include "platform/ui/Types.h"

class CBrivenDoc;
class CConversionDlg;
class OverwriteQuestion;

class CBrivenView : public afx::CFormView {
  DECLARE_DYNCREATE(CBrivenView)

 public:
  static constexpr ui::UINT kMsgCancelConversion = 0x0400 + 10;
  static constexpr ui::UINT kMsgConversionEnded = 0x0400 + 11;
  static constexpr ui::UINT kMsgLogWindowClosed = 0x0400 + 20;
  static constexpr ui::UINT kMsgFilesAdded = 0x0400 + 30;
  static constexpr ui::UINT kMsgStartConversion = 0x0400 + 40;
  static constexpr ui::UINT kMsgConversionDue = 0x0400 + 50;
  static constexpr ui::UINT_PTR kProgressTimerId = 1;
  static constexpr ui::UINT_PTR kLogTimerId = 2;
  static constexpr ui::UINT kProgressTimerMs = 100;
  static constexpr ui::UINT kLogTimerMs = 500;

  // The selected files of the lists: full paths, in list order.
  struct Selection {
    std::vector<std::string> log_files;
    std::vector<std::string> instrument_files;
    std::string output_folder;  // the output list's working folder
  };

  // How the last conversion (or series) ended, for the program's exit code.
  struct Outcome {
    bool started = false;    // a conversion got past its preparation
    bool completed = false;  // every conversion run completed
    bool not_found = false;  // a completed conversion found no frame
    bool cancelled = false;
  };

  CBrivenView();
  ~CBrivenView() override;

  CBrivenDoc* GetDocument() const;
  // A windowless run (app/RunMode.h) makes the view without its form.
  afx::BOOL Create(const char* class_name, const char* window_name, afx::DWORD style, const afx::RECT& rect,
                   afx::CWnd* parent, afx::UINT id, afx::CCreateContext* context = nullptr) override;

  // The first display of an interactive run: settings and the log timer.
  void OnInitialUpdate() override;
  bool IsInitialised() const { return m_bInitialised; }
  // Told how the run ended when the view goes: its window goes with the
  // main window, before the program reads its exit status.
  void SetOutcomeSink(std::function<void(const Outcome&)> sink) { m_outcomeSink = std::move(sink); }

  // A run from the command line: no window, and the end of the conversion
  // ends the program.
  void SetCommandLine(bool command_line) { m_bCommandLine = command_line; }
  bool IsCommandLine() const { return m_bCommandLine; }
  void SetSelection(const Selection& selection) { m_selection = selection; }
  void SetHeaderConversion(bool on) { m_bHeaderConversion = on; }
  bool GetHeaderConversion() const { return m_bHeaderConversion; }
  // The name the "Next" box offers in the user-defined naming mode.
  const std::string& GetDefaultOutputName() const { return m_strDefaultOutputName; }
  void SetDefaultOutputName(const std::string& name) { m_strDefaultOutputName = name; }
  CFileNaming& GetInstrumentNaming() { return m_instrumentNaming; }
  CFileNaming& GetHeaderNaming() { return m_headerNaming; }
  CFileNaming& CurrentNaming() { return m_bHeaderConversion ? m_headerNaming : m_instrumentNaming; }
  CConversionLogDlg& GetConversionLog() { return m_conversionLog; }

  // The three file lists (CListProperties::kLogList ...) and their
  // settings; the "Next" box's text.
  CFileListBox& GetList(int kind);
  CListProperties& GetListSettings(int kind) { return m_listSettings[ListIndex(kind)]; }
  std::string GetNextOutputText() const;
  const std::string& GetPackageFolder() const { return m_strPackageFolder; }
  // A different package folder (tests); before the first display.
  void SetPackageFolder(const std::string& folder);

  // Refills the three lists; turns their selections into the document's
  // files; the header-conversion switch with what follows from it.
  void OnViewRefresh();
  void ApplySelections();
  void ApplyHeaderMode();
  void UpdateSelectionModes();
  void RestoreOutputName();
  void LoadListSettings();
  void SaveListSettings() const;
  // Files added to a list (a drop: `list` is it), or the one file the
  // command line named (`list` null).
  void OnFilesAdded(CFileListBox* list);

  // The Convert command.
  void OnConvert();
  bool BeginSeries();
  bool AdvanceFileIndex();
  bool StartNextFile(ui::WPARAM first);

  bool IsSeries() const { return m_bSeries; }
  int GetFileNumber() const { return m_nFileNumber; }
  int GetTotal() const { return m_nTotal; }
  const Outcome& GetOutcome() const { return m_outcome; }
  CConversionDlg* GetProgressWindow() const;
  bool IsConverting() const;

  // Called on every progress tick with the percentage (the command line's
  // terminal progress line), and asked whether a stop was requested from
  // outside (a signal); both may be left empty.
  void SetProgressObserver(std::function<void(int)> observer) { m_progressObserver = std::move(observer); }
  void SetStopRequest(std::function<bool()> requested) { m_stopRequested = std::move(requested); }

  // The conversion log window: the menu's toggle, and the window's own
  // close (WM_USER+20).
  void OnViewConversionLog();
  void OnLogWindowClosed();
  void ShowConversionLogWindow();

  // The message handlers.
  void OnStartConversion(ui::WPARAM first);
  void OnTimer(ui::UINT_PTR id);
  void OnCancelConversion();
  void OnConversionEnded();

 protected:
  int OnCreate(afx::CREATESTRUCT* create);
  void OnDestroy();
  // The wait cursor over the form while a conversion runs.
  afx::BOOL OnSetCursor(afx::CWnd* window, afx::UINT hit_test, afx::UINT message);
  afx::LRESULT OnCancelMessage(afx::WPARAM, afx::LPARAM);
  afx::LRESULT OnEndedMessage(afx::WPARAM, afx::LPARAM);
  afx::LRESULT OnLogClosedMessage(afx::WPARAM, afx::LPARAM);
  afx::LRESULT OnStartMessage(afx::WPARAM first, afx::LPARAM);
  afx::LRESULT OnDueMessage(afx::WPARAM, afx::LPARAM);
  afx::LRESULT OnCommandHelp(afx::WPARAM, afx::LPARAM);
  afx::LRESULT OnHelpHitTest(afx::WPARAM, afx::LPARAM point);

  // Menu, toolbar and accelerator commands and their update rules.
  void OnConvertCommand();
  void OnUpdateConvert(afx::CCmdUI* item);
  void OnUpdateWhenIdle(afx::CCmdUI* item);
  void OnConversionHeader();
  void OnUpdateConversionHeader(afx::CCmdUI* item);
  void OnUpdateConversionLog(afx::CCmdUI* item);
  void OnViewProperties();
  afx::LRESULT OnFilesAddedMessage(afx::WPARAM list, afx::LPARAM);
  void OnLogSelectionChanged();
  void OnInstrumentSelectionChanged();
  void OnOutputSelectionChanged();
  void OnConversionParameters();
  void OnConversionFileNaming();
  void OnDocumentProperties();

  DECLARE_MESSAGE_MAP()

 private:
  bool ComposeOutputName(const std::string& log_file, const std::string& instrument_file);
  void StepSeriesAfterFailure(bool first);
  void OnProgressTimer();
  void OnConversionDue();
  void FinishCurrent(CConversionDlg& progress);
  void AfterFinished();
  void UpdateTitle(int percent);
  void AdvanceOutputName();
  void PostToSelf(ui::UINT message, ui::WPARAM wParam);
  void CloseMainWindow();
  void AttachToDocument();
  void DetachFromDocument();
  afx::CWnd* MainWindow() const;
  static int ListIndex(int kind) { return kind < 0 || kind > 2 ? 0 : kind; }
  std::string SelectedPath(int kind, std::size_t index) const;
  void RebuildSelection();
  bool TakeNextOutputName();
  void SetNextText(const std::string& text, bool read_only);
  void SetPaneText(int pane, const std::string& text);

  CBrivenDoc* m_pDoc = nullptr;  // the document the view joined at creation
  ui::UINT_PTR m_nProgressTimer = 0;
  ui::UINT_PTR m_nLogTimer = 0;
  bool m_bInitialised = false;
  bool m_bCommandLine = false;
  bool m_bHeaderConversion = false;
  bool m_bFinished = false;
  bool m_bEndResult = false;
  bool m_bCancelled = false;
  bool m_bSeries = false;
  int m_nLogIndex = 0;
  int m_nInstrumentIndex = 0;
  int m_nLogCount = 0;
  int m_nInstrumentCount = 0;
  int m_nTotal = 0;
  int m_nFileNumber = 0;
  std::string m_strPackageFolder;
  std::string m_strDefaultOutputName;
  CConversionLogDlg m_conversionLog;
  CFileListBox m_lists[3];
  CListProperties m_listSettings[3];
  CFileNaming m_instrumentNaming;
  CFileNaming m_headerNaming;
  int m_nNamingPage = 0;
  Selection m_selection;
  Outcome m_outcome;
  std::function<void(int)> m_progressObserver;
  std::function<bool()> m_stopRequested;
  std::function<void(const Outcome&)> m_outcomeSink;
  std::unique_ptr<OverwriteQuestion> m_pOverwriteQuestion;  // a displayed view's
};
