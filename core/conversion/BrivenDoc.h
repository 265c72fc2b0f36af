// The conversion document: the three file names, the parameters and
// settings, and the engine of one conversion. The user-interface thread
// prepares a conversion, opens the output and asks for the first frame; the
// telemetry control then delivers one frame at a time on its processing
// thread, and each handled frame asks for the next until the input ends, an
// error stops the chain or the user cancels. The view polls the state and
// finishes the conversion.
//
// Lock order: the telemetry control's locks, then the document's. The
// user-interface thread never calls the control while it holds the
// document's lock, and under that lock the callbacks only queue commands.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/conversion/BrivenParameters.h"
#include "core/conversion/ConversionLogFile.h"
#include "core/conversion/ConversionProgress.h"
#include "core/conversion/ConversionState.h"
#include "core/conversion/DocumentSettings.h"
#include "core/conversion/FrameChecker.h"
#include "core/conversion/OutputFormatter.h"
#include "core/conversion/OutputTextFile.h"
#include "core/conversion/OverwriteQuestion.h"
#include "core/telemetry/QelTelemetryDoc.h"
#include "platform/sys/CriticalSection.h"
#include "platform/sys/File.h"

class CBrivenDoc : public CQelTelemetryDoc {
  DECLARE_DYNCREATE(CBrivenDoc)

 public:
  using ProgressFactory = std::function<std::unique_ptr<ConversionProgress>()>;

  // Captures the start folder and reads "Settings".
  CBrivenDoc();
  // Writes "Settings" (leaving out what the command line set for this run)
  // and stops the telemetry control.
  ~CBrivenDoc() override;

  afx::BOOL OnNewDocument() override;
  void DeleteContents() override;

  // Where the user interface plugs in; without them the document runs
  // unattended (no window, no question).
  void SetProgressFactory(ProgressFactory factory) { m_progressFactory = std::move(factory); }
  void SetOverwriteQuestion(OverwriteQuestion* question) { m_pOverwriteQuestion = question; }
  // Called on the processing thread, under the document's lock, when a
  // conversion comes to its end, so the window that follows it can finish
  // at once instead of at its next tick. It must neither block nor call back.
  void SetEndListener(std::function<void()> listener);
  // The folder of the program, where header mode finds its definition.
  void SetProgramDirectory(const std::string& folder) { m_strProgramDirectory = folder; }
  void SetCommandLine(bool command_line) { m_bCommandLine = command_line; }

  // The files, as the view or the command line set them.
  void SetLogFileName(const std::string& name) { m_strLogFileName = name; }
  void SetOutputFileName(const std::string& name) { m_strOutputFileName = name; }
  void SetInstrumentFileName(const std::string& name) { m_strInstrumentFileName = name; }
  const std::string& GetLogFileName() const { return m_strLogFileName; }
  const std::string& GetOutputFileName() const { return m_strOutputFileName; }
  const std::string& GetInstrumentFileName() const { return m_strInstrumentFileName; }
  using CQelTelemetryDoc::GetInstrumentFileName;  // the instrument's own file, by index
  // An argument that is not a switch ("-") fills the log, output and
  // instrument names in turn; false for a switch, an empty text or a fourth.
  bool AddCommandLineFile(const std::string& argument);
  int GetFileCount() const { return m_nCommandLineFileCount; }

  CBrivenParameters& GetParameters() { return m_parameters; }
  DocumentSettings& GetSettings() { return m_settings; }

  // One conversion, in this order.
  bool PrepareConversion();
  bool BeginOutput(bool series);
  bool IsFileSkipped() const { return m_bSkip; }
  std::uint32_t RequestFirstFrame();
  void RequestStop();
  void GetConversionState(ConversionState& state);
  // The counters, without a copy or a lock: only for the frame callback's
  // own calls (the progress window's advance), which hold the lock already.
  const ConversionCounters& GetCountersHeld() const { return m_counters; }
  // True when the conversion completed.
  bool FinishConversion(bool abort);
  void TakePendingLogText(std::string& text);

  ConversionProgress* GetProgressDialog() { return m_pProgress.get(); }
  bool CreateProgressDialog();
  bool DestroyProgressDialog();

  // The Properties command: edit returns true for OK, with the new values.
  void OnProperties(const std::function<bool(DocumentSettings&)>& edit);

  std::string GetInstrumentName() const { return m_strInstrumentHeader; }
  void GetCheckSensors(int& frame_counter, int& check_sum) const;
  std::uint64_t GetLogFileLength() const { return m_nLogFileLength; }
  int GetDismissProgress() const { return m_settings.dismiss_progress; }
  int GetSaveSettings() const { return m_settings.save_settings; }
  const std::string& GetStartDirectory() const { return m_strStartDirectory; }

  // Callbacks of the telemetry control (processing thread).
  void OnFrameReceived(const std::string& resource, std::unique_ptr<CFrameData> frame) override;
  // Every frame is read within its callback and nothing of it kept.
  bool ReadsLentFrames() const override { return true; }
  void OnFrameLent(const std::string& resource, CFrameData& frame) override;
  void OnCommEvent(const std::string& resource, int event_code, int end_flag, int open) override;
  void OnTelemetryMessage(std::string& text) override;

 private:
  using Lock = std::lock_guard<sys::CCriticalSection>;

  // Preparing.
  void ApplyCommandLineSettings();
  bool HasRelativeName() const;
  void ResetConversion();
  void ResolveFilePaths();
  void OpenConversionLogFile();
  std::string OpenConversionLogSeries();
  std::string ConversionLogOpenFailureText() const;
  void LogConversionStart();
  bool OpenLogFile();
  bool AddLogFileResource();
  bool AddConversionInstrument();
  std::string AttachAndStart();
  void UndoPreparation(bool after_question = false);
  std::uint32_t RemoveLogFileResource();
  // The conversion's inputs and the program's own settings files, which
  // neither the output nor the conversion log may write over.
  std::vector<std::string> ProtectedPaths() const;
  bool IsProtectedPath(const std::string& path) const;

  // Output.
  bool OpenOutputFile(bool series);
  bool AskOverwrite(bool series, bool& go_on);
  bool WriteOutputText(const std::string& text, bool row);
  // A row written in place in the output file's buffer up to row_end
  // (COutputTextFile::BeginRow), or, with none, the row built in m_strRow.
  bool WriteRow(const char* row_end, bool inner_line_ends);
  // cause: of a write; a failure is told and, for a row, stops the chain.
  bool TellOutputWritten(int cause, bool row);
  void WriteTimeTag();
  void WriteHeaderFrame(CFrameData& frame);

  // A frame (or none) as the control gives it, under the document's lock;
  // read, never kept.
  void ReceiveFrame(CFrameData* frame);
  // Frames, under the document's lock.
  void HandleReceivedFrame(CFrameData* frame);
  // Tells the end listener when the conversion has just become done.
  void TellEndIfJustDone(bool was_done);
  void HandleNoFrame();
  void HandleFrame(CFrameData& frame);
  // The bytes of a frame (0 for none) and those skipped before it; a
  // frame cut right behind the last one skipped none.
  void AccountBytes(std::uint32_t frame_size, bool follows_last = false);
  void RequestNextFrame();
  bool EndsAtLimit(const CFrameData& frame);
  void StopOnWriteFailure(int cause);

  // Messages: a box (unless from the command line) and the log.
  void ReportFailure(const std::string& box_text, const std::string& log_text);
  void ShowBox(const std::string& text);
  // Boxes wanted while the lock is held, or on the processing thread, are
  // shown by the user-interface thread once the lock is released.
  void DeferBox(const std::string& text);
  void ShowDeferredBoxes();
  void AppendPendingLogText(const std::string& text);

  CBrivenParameters m_parameters;
  std::string m_strLogFileName;
  std::string m_strOutputFileName;
  std::string m_strInstrumentFileName;
  bool m_bCommandLine = false;
  int m_nCommandLineFileCount = 0;

  // Conversion state, guarded by m_lock.
  int m_nNotFound = 1;
  int m_nStop = 0;
  int m_nDone = 0;
  int m_nEndOfInput = 0;
  int m_nHeaderMode = 0;
  bool m_bRunning = false;  // frames and events belong to a conversion
  // While a run of lent frames is handled, a frame's request for the next
  // one is noted, not sent: the run answers it.
  bool m_bInLentRun = false;
  bool m_bNextFrameWanted = false;
  bool m_bSkip = false;
  bool m_bOverwriteAll = false;
  bool m_bOutputFailed = false;  // the output could not be begun as wanted
  int m_nIso8601Index = -1;
  std::uint64_t m_nLogFileLength = 0;
  ConversionCounters m_counters;
  CFrameChecker m_checker;
  COutputFormatter m_formatter;
  std::string m_strRow;  // reused for every row

  std::unique_ptr<ConversionProgress> m_pProgress;
  ProgressFactory m_progressFactory;
  std::function<void()> m_endListener;  // guarded by m_lock
  UnattendedOverwriteQuestion m_unattendedQuestion;
  OverwriteQuestion* m_pOverwriteQuestion = nullptr;

  DocumentSettings m_settings;
  sys::CCriticalSection m_lock;
  COutputTextFile m_outputFile;
  CConversionLogFile m_conversionLog;
  // The log file of this conversion. A removed file resource may still be
  // deleted a pass later and holds the file's address till then, so the
  // previous conversion's (closed) file object is kept one conversion longer
  // and a new conversion never shares it.
  std::unique_ptr<sys::CFile> m_pLogFile = std::make_unique<sys::CFile>();
  std::unique_ptr<sys::CFile> m_pRetiredLogFile;
  std::string m_strPendingLogText;
  std::vector<std::string> m_deferredBoxes;

  std::string m_strStartDirectory;
  std::string m_strProgramDirectory;
  std::string m_strLogFileTitle, m_strInstrumentFileTitle, m_strOutputFileTitle;
  std::string m_strLogFilePath, m_strInstrumentFilePath, m_strOutputFilePath;
  std::string m_strInstrumentHeader;
  std::string m_strResourceName;
  std::string m_strSerialNumber;
};
