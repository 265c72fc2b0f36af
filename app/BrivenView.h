// The form view: it turns the user's choices (or the command line's names)
// into the document's three file names and drives conversions, one at a
// time or as a series over the selected log and instrument files, through
// its private messages and two timers. The view is a window of the window
// system so that every step arrives as the message the rest of the program
// posts; the three file lists and the "Next" box join it with the file-list
// work, and until then the selection is handed in as lists of paths.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ConversionLogDlg.h"
#include "app/FileNaming.h"
#include "platform/ui/Types.h"

class CBrivenDoc;
class CConversionDlg;

class CBrivenView {
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

  explicit CBrivenView(CBrivenDoc& doc);
  ~CBrivenView();
  CBrivenView(const CBrivenView&) = delete;
  CBrivenView& operator=(const CBrivenView&) = delete;

  // Creates the view's window inside the main window.
  bool Create(ui::HWND main_window);
  ui::HWND GetSafeHwnd() const { return m_hWnd; }

  // The first display of an interactive run: settings and the log timer.
  void OnInitialUpdate();
  bool IsInitialised() const { return m_bInitialised; }

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

  // Called on every progress tick with the percentage (the command line's
  // terminal progress line), and asked whether a stop was requested from
  // outside (a signal); both may be left empty.
  void SetProgressObserver(std::function<void(int)> observer) { m_progressObserver = std::move(observer); }
  void SetStopRequest(std::function<bool()> requested) { m_stopRequested = std::move(requested); }

  // The conversion log window: the menu's toggle, and the window's own
  // close (WM_USER+20). The window itself comes with the drawing; the
  // show flag and the held text are kept already.
  void OnViewConversionLog();
  void OnLogWindowClosed();

  // The message handlers.
  void OnStartConversion(ui::WPARAM first);
  void OnTimer(ui::UINT_PTR id);
  void OnCancelConversion();
  void OnConversionEnded();
  ui::LRESULT WindowProc(ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam);
  // Menu, toolbar and accelerator commands; false for one the view leaves
  // to others.
  bool OnCommand(unsigned id);

 private:
  static ui::LRESULT StaticWindowProc(ui::HWND hwnd, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam);
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

  CBrivenDoc& m_doc;
  ui::HWND m_hWnd = nullptr;
  ui::HWND m_hMainWnd = nullptr;
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
  CFileNaming m_instrumentNaming;
  CFileNaming m_headerNaming;
  Selection m_selection;
  Outcome m_outcome;
  std::function<void(int)> m_progressObserver;
  std::function<bool()> m_stopRequested;
};
