// The conversion progress window: the names of the files, the bar, the
// frame and error counters, and the button that cancels a running
// conversion or, once it is over, dismisses the window. A run from the
// command line has no window at all and uses the same state and texts, so
// that the view decides the end of a conversion in one way; a displayed
// view gets the window too (dialog 130, without a parent).
//
// The document advances the window and asks whether it is done from its
// frame callback on the processing thread; everything else runs on the
// user-interface thread. The position, the range and the done flag are
// therefore atomic, and the copy of the document's record is guarded by a
// lock of its own, taken only inside the document's lock or without it,
// never around a call into the document.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

#include "app/CounterText.h"
#include "docking/QVTProgressCtrl.h"
#include "core/conversion/ConversionProgress.h"
#include "core/conversion/ConversionState.h"
#include "platform/afx/Dialog.h"
#include "platform/afx/Font.h"
#include "platform/ui/Types.h"

class CBrivenDoc;

class CConversionDlg : public afx::CDialog, public ConversionProgress {
 public:
  using afx::CDialog::Create;
  // The private messages the window sends to its view.
  static constexpr ui::UINT kMsgCancel = 0x0400 + 10;
  static constexpr ui::UINT kMsgEnded = 0x0400 + 11;

  explicit CConversionDlg(CBrivenDoc& doc);
  ~CConversionDlg() override;

  // ConversionProgress: the document creates the object and advances it.
  bool Create() override { return true; }
  void Advance(const CFrameData* frame) override { AdvanceProgress(frame != nullptr); }
  bool IsDone() override;
  void Destroy() override;

  // The view names itself as the window to notify (once per object); with
  // `show` the dialog window is made and shown as well. False when this
  // was done already or the window could not be made.
  bool CreateWindowFor(ui::HWND view, bool show = false);
  bool HasWindow() const { return m_bWindow; }

  void Reset(bool cancel);
  void Refresh();
  // Position by frames (with a frame limit) or by bytes; `total` takes the
  // document's byte count, else the bytes since the last step are added.
  std::int64_t AdvanceProgress(bool total);
  int GetPercent() const;
  void SetFileCount(int count) { m_nFileCount = count; }
  void SetFileNumber(int number) { m_nFileNumber = number; }
  bool IsLast() const;
  bool IsCancelled() const { return m_bCancelled; }
  // Ends the conversion at the next look, for a run that can go no further.
  void MarkDone() { m_bReachedRange = true; }

  // The button: dismisses a finished window, else cancels.
  void OnOK() override;
  // Escape or the close box: a finished window is dismissed; a running
  // conversion is cancelled only when the user confirms it.
  void OnCancel() override;
  afx::BOOL OnInitDialog() override;

  // The colour a counter (1049-1052) is drawn in; 0 without a window.
  ui::COLORREF GetCounterColour(int id) const;
  // What the window shows: the texts of its controls and its title.
  std::string GetItemText(int id) const;
  const std::string& GetTitle() const { return m_strTitle; }
  std::int64_t GetRange() const { return m_nRange; }
  std::int64_t GetPosition() const { return m_nPosition; }
  const QVTProgressCtrl& GetProgressBar() const { return m_bar; }
  QVTProgressCtrl& GetProgressBar() { return m_bar; }

 protected:
  void OnMove(int x, int y);
  void OnTimer(afx::UINT_PTR id);
  DECLARE_MESSAGE_MAP()

 private:
  void PlaceWindow();
  void EnableCheckLabels();
  void Cancel();
  ConversionState CopyState();
  ConversionState StateCopy() const;
  void SetItemText(int id, const std::string& text);
  void UpdateTitle();
  void UpdateStatus(const ConversionState& state, bool done);
  void UpdateCounters(const ConversionState& state);
  void Notify(ui::UINT message, bool send);

  CBrivenDoc& m_doc;
  mutable std::mutex m_stateLock;
  ConversionState m_state;  // guarded by m_stateLock
  QVTProgressCtrl m_bar;
  std::string m_strInstrumentName;
  std::string m_strTitle;
  ui::HWND m_hViewWnd = nullptr;
  std::int64_t m_shownCounters[4] = {-1, -1, -1, -1};
  std::atomic<std::int64_t> m_nRange{1};
  std::atomic<std::int64_t> m_nPosition{0};
  std::atomic<bool> m_bReachedRange{false};
  std::atomic<bool> m_bCancelled{false};
  bool m_bHasFrameCounter = false;
  bool m_bHasCheckSum = false;
  bool m_bWindow = false;
  bool m_bPlaced = false;  // the window has its place; moves are the user's
  int m_nFileCount = 0;
  int m_nFileNumber = 0;
  std::map<int, std::string> m_itemTexts;
  afx::CFont m_counterFont;
  CCounterText m_counters[4];
};
