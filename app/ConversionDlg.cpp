#include "app/ConversionDlg.h"

#include <algorithm>

#include <cstring>

#include "app/AppResources.h"
#include "app/DialogPictures.h"
#include "app/RunMode.h"
#include "app/SavedWindowRect.h"
#include "core/conversion/BrivenDoc.h"
#include "fsutil/QVTFileSystem.h"
#include "platform/afx/Menu.h"
#include "platform/afx/WinApp.h"
#include "platform/sys/Format.h"
#include "platform/sys/Notify.h"
#include "platform/sys/Profile.h"
#include "platform/ui/Messages.h"
#include "platform/ui/MessageLoop.h"

// The framework's message-map macros name its types unqualified.
using namespace afx;


BEGIN_MESSAGE_MAP(CConversionDlg, afx::CDialog)
  ON_WM_MOVE()
  ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {

constexpr const char kPositionSection[] = "Conversion Window";
constexpr UINT_PTR kPlaceTimerId = 1;
constexpr UINT kPlaceDelayMs = 300;
constexpr const char kPositionKey[] = "Rect";
constexpr ui::COLORREF kBlack = 0x000000;
constexpr ui::COLORREF kYellow = 0x00FFFF;  // RGB(255, 255, 0)
constexpr ui::COLORREF kRed = 0x0000FF;     // RGB(255, 0, 0)

// An empty log still has a range of one byte, so the bar and the
// percentage never divide by zero.
std::int64_t LogLengthRange(std::uint64_t length) {
  return length == 0 ? 1 : static_cast<std::int64_t>(std::min<std::uint64_t>(length, INT64_MAX));
}

}  // namespace

CConversionDlg::CConversionDlg(CBrivenDoc& doc) : afx::CDialog(app::kConversionDialog), m_doc(doc) {}

CConversionDlg::~CConversionDlg() {
  if (m_hWnd) DestroyWindow();
}

void CConversionDlg::Destroy() {
  m_bWindow = false;
  m_bar.Detach();
  m_hViewWnd = nullptr;
  if (m_hWnd) DestroyWindow();
}

bool CConversionDlg::CreateWindowFor(ui::HWND view, bool show) {
  if (m_bWindow) return false;
  m_hViewWnd = view;
  m_bWindow = true;
  if (show) {
    app::RegisterResources();
    // Without a parent: the window stands beside the main window, as a
    // conversion may outlast anything the user does there.
    if (!afx::CDialog::Create(app::kConversionDialog, nullptr)) {
      m_bWindow = false;
      return false;
    }
    ShowWindow(ui::SW_SHOW);
    // Placed again a moment after it is shown: a window manager decides
    // where a window it has not mapped yet goes.
    if (!SetTimer(kPlaceTimerId, kPlaceDelayMs)) m_bPlaced = true;
    return true;
  }
  Reset(false);
  return true;
}

void CConversionDlg::OnTimer(UINT_PTR id) {
  if (id != kPlaceTimerId) {
    Default();
    return;
  }
  KillTimer(kPlaceTimerId);
  PlaceWindow();
  m_bPlaced = true;
}

BOOL CConversionDlg::OnInitDialog() {
  afx::CDialog::OnInitDialog();
  if (!app::IsWindowlessRun()) app::LoadDialogPictures(m_hWnd);
  PlaceWindow();
  if (afx::CMenu* system = GetSystemMenu(FALSE)) {
    system->EnableMenuItem(static_cast<afx::UINT>(ui::SC_SIZE), ui::MF_BYCOMMAND | ui::MF_GRAYED);
    system->EnableMenuItem(static_cast<afx::UINT>(ui::SC_MAXIMIZE), ui::MF_BYCOMMAND | ui::MF_GRAYED);
  }
  ui::LOGFONT font;
  font.lfHeight = -12;
  font.lfWeight = ui::FW_BOLD;
  font.lfPitchAndFamily = 0x01 | 0x30;  // FIXED_PITCH | FF_MODERN
  std::strncpy(font.lfFaceName, "Courier New", sizeof font.lfFaceName - 1);
  m_counterFont.CreateFontIndirect(&font);
  const int ids[4] = {app::kFramesProcessedText, app::kResyncText, app::kFrameCounterErrorsText,
                      app::kCheckSumErrorsText};
  for (int i = 0; i < 4; ++i) {
    if (!m_counters[i].SubclassDlgItem(static_cast<UINT>(ids[i]), this)) continue;
    // Frames in yellow, errors in red.
    m_counters[i].SetColours(i < 2 ? kYellow : kRed, kBlack);
    m_counters[i].SetCounterFont(&m_counterFont);
  }
  m_bar.SubclassDlgItem(app::kProgressBar, this);
  Reset(false);
  return TRUE;
}

void CConversionDlg::PlaceWindow() {
  ui::POINT corner;
  const std::string saved = sys::AppProfile().GetString(kPositionSection, kPositionKey, "");
  if (!app::ParseWindowCorner(saved, corner)) {
    // Over the main window when it is shown, else the screen.
    CenterWindow(afx::AfxGetMainWnd());
    ui::RECT rect;
    GetWindowRect(&rect);
    sys::AppProfile().WriteString(kPositionSection, kPositionKey, app::FormatWindowCorner(rect));
    return;
  }
  ui::RECT rect;
  GetWindowRect(&rect);
  const ui::RECT moved{corner.x, corner.y, corner.x + (rect.right - rect.left), corner.y + (rect.bottom - rect.top)};
  const ui::RECT shown = app::KeepOnScreen(moved, app::CurrentScreen());
  SetWindowPos(nullptr, shown.left, shown.top, 0, 0, ui::SWP_NOSIZE | ui::SWP_NOZORDER | ui::SWP_NOACTIVATE);
}

void CConversionDlg::OnMove(int, int) {
  Default();
  // Where the window manager first puts it is not the user's choice.
  if (!m_bPlaced) return;
  ui::RECT rect;
  GetWindowRect(&rect);
  sys::AppProfile().WriteString(kPositionSection, kPositionKey, app::FormatWindowCorner(rect));
}

ui::COLORREF CConversionDlg::GetCounterColour(int id) const {
  const int ids[4] = {app::kFramesProcessedText, app::kResyncText, app::kFrameCounterErrorsText,
                      app::kCheckSumErrorsText};
  for (int i = 0; i < 4; ++i)
    if (ids[i] == id && m_counters[i].m_hWnd) return m_counters[i].GetTextColour();
  return 0;
}

void CConversionDlg::EnableCheckLabels() {
  if (!m_hWnd) return;
  if (afx::CWnd* label = GetDlgItem(app::kFrameCounterLabel)) label->EnableWindow(m_bHasFrameCounter);
  if (afx::CWnd* label = GetDlgItem(app::kCheckSumLabel)) label->EnableWindow(m_bHasCheckSum);
}

void CConversionDlg::Reset(bool cancel) {
  m_strInstrumentName = m_doc.GetInstrumentName();
  const std::uint64_t length = m_doc.GetLogFileLength();
  const double kilobytes = static_cast<double>(length == 0 ? 1 : length) / 1024.0;
  SetItemText(app::kLogFileText,
              sys::Format("Log File: %s (%.2f KB)", QVTFileSystem::GetFileName(m_doc.GetLogFileName()).c_str(), kilobytes));
  const CBrivenParameters& parameters = m_doc.GetParameters();
  std::string limits;
  // Header conversion is driven by bytes like any conversion without a
  // frame limit, so its range is the log's length as well.
  std::int64_t range = LogLengthRange(length);
  if (!m_doc.GetInstrumentFileName().empty()) {
    SetItemText(app::kInstrumentText, sys::Format("Instrument File: %s",
                                                  QVTFileSystem::GetFileName(m_doc.GetInstrumentFileName()).c_str()));
    if (parameters.m_nProcessLimit > 0) {
      range = parameters.m_nProcessLimit;
      limits = sys::Format("Conversion Limit: %d frames (maximum)", parameters.m_nProcessLimit);
    }
    if (parameters.m_nProcessDepth > 1) {
      if (!limits.empty()) limits += "\r\n";
      limits += sys::Format("Conversion Depth: %d frames", parameters.m_nProcessDepth);
    }
  } else {
    SetItemText(app::kInstrumentText, "Header Conversion");
  }
  SetItemText(app::kLimitsText, limits);
  m_nRange = range;
  m_nPosition = 0;
  m_bReachedRange = false;
  m_bar.SetRange(0, range);
  m_bar.SetPos(0, false);
  int frame_counter = -1, check_sum = -1;
  m_doc.GetCheckSensors(frame_counter, check_sum);
  m_bHasFrameCounter = frame_counter >= 0;
  m_bHasCheckSum = check_sum >= 0;
  EnableCheckLabels();
  std::fill(std::begin(m_shownCounters), std::end(m_shownCounters), -1);
  if (cancel) Cancel();
  Refresh();
}

ConversionState CConversionDlg::CopyState() {
  ConversionState state;
  m_doc.GetConversionState(state);
  std::lock_guard<std::mutex> lock(m_stateLock);
  m_state = state;
  return state;
}

ConversionState CConversionDlg::StateCopy() const {
  std::lock_guard<std::mutex> lock(m_stateLock);
  return m_state;
}

bool CConversionDlg::IsDone() { return m_bReachedRange || m_bCancelled || StateCopy().done != 0; }

void CConversionDlg::Refresh() {
  UpdateTitle();
  const ConversionState state = CopyState();
  const bool done = state.done != 0 || m_bReachedRange || m_bCancelled;
  UpdateStatus(state, done);
  if (state.end_of_input || (done && !state.stop)) m_nPosition = m_nRange.load();
  m_bar.SetPos(m_nPosition, true);
  UpdateCounters(state);
}

void CConversionDlg::UpdateTitle() {
  m_strTitle = m_nFileCount < 1 ? std::string("Briven Conversion")
                                : sys::Format("Briven Conversion - %d/%d", m_nFileNumber, m_nFileCount);
  if (m_hWnd && GetWindowTextString() != m_strTitle) SetWindowText(m_strTitle);
}

void CConversionDlg::UpdateStatus(const ConversionState& state, bool done) {
  const char* name = m_strInstrumentName.c_str();
  std::string status;
  std::string button = "Cancel";
  if (done) {
    if (state.stop || !state.end_of_input) {
      status = !m_bCancelled && state.not_found ? sys::Format("Conversion aborted.\r\n%s not found.", name)
                                                : std::string("Conversion aborted.");
    } else {
      status = state.not_found ? sys::Format("Conversion complete.\r\n%s not found.", name)
                               : std::string("Conversion complete.");
    }
    if (IsLast()) button = "OK";
  } else {
    status = state.not_found ? sys::Format("Beginning %s conversion...", name)
                             : sys::Format("%s conversion in progress...", name);
  }
  SetItemText(app::kStatusText, status);
  SetItemText(1, button);
}

void CConversionDlg::UpdateCounters(const ConversionState& state) {
  const std::int64_t values[4] = {state.counters.frames_processed, state.counters.resynchronizations,
                                  state.counters.frame_counter_errors, state.counters.check_sum_errors};
  const int ids[4] = {app::kFramesProcessedText, app::kResyncText, app::kFrameCounterErrorsText,
                      app::kCheckSumErrorsText};
  const bool shown[4] = {true, true, m_bHasFrameCounter, m_bHasCheckSum};
  for (int i = 0; i < 4; ++i) {
    if (!shown[i] || values[i] == m_shownCounters[i]) continue;
    m_shownCounters[i] = values[i];
    SetItemText(ids[i], sys::Format("%lld ", static_cast<long long>(values[i])));
  }
}

std::int64_t CConversionDlg::AdvanceProgress(bool total) {
  // A frame's step needs only the document's counters, read in place (its
  // lock is held here); the copy the window shows is renewed at every
  // tick. A step without a frame may end the run, and IsDone reads that
  // copy, so then it is renewed at once.
  const int limit = m_doc.GetParameters().m_nProcessLimit;
  if (total) {
    const ConversionCounters& counters = m_doc.GetCountersHeld();
    if (limit > 0) {
      m_nPosition.store(counters.frames_processed, std::memory_order_relaxed);
      return limit;
    }
    const auto position = static_cast<std::int64_t>(counters.bytes_consumed);
    m_nPosition.store(position, std::memory_order_relaxed);
    if (position >= m_nRange.load(std::memory_order_relaxed)) m_bReachedRange = true;
    return m_nRange;
  }
  const ConversionState state = CopyState();
  if (limit > 0) {
    m_nPosition = state.counters.frames_processed;
    return limit;
  }
  m_nPosition += state.counters.bytes_discarded;
  if (m_nPosition >= m_nRange) m_bReachedRange = true;
  return m_nRange;
}

int CConversionDlg::GetPercent() const {
  const std::int64_t range = std::max<std::int64_t>(m_nRange, 1);
  const std::int64_t position = std::clamp<std::int64_t>(m_nPosition, 0, range);
  return static_cast<int>(static_cast<double>(position) / static_cast<double>(range) * 100.0 + 0.5);
}

bool CConversionDlg::IsLast() const { return m_nFileCount <= 1 || m_nFileNumber >= m_nFileCount || m_bCancelled; }

void CConversionDlg::OnOK() {
  if (IsDone() && IsLast()) {
    Notify(kMsgEnded, false);
    m_bWindow = false;
    // The view destroys the window when the ended message arrives.
    if (m_hWnd) ShowWindow(ui::SW_HIDE);
    return;
  }
  Cancel();
}

void CConversionDlg::OnCancel() {
  if (IsDone() && IsLast()) {
    OnOK();
    return;
  }
  const int answer = sys::Notify("Abort conversion?", sys::NoticeIcon::exclamation, sys::NoticeButtons::yesNo);
  if (answer == sys::kAnswerYes) OnOK();
}

void CConversionDlg::Cancel() {
  m_bCancelled = true;
  Notify(kMsgCancel, true);
}

void CConversionDlg::Notify(ui::UINT message, bool send) {
  if (m_hViewWnd == nullptr) return;
  if (send)
    ui::SendMessage(m_hViewWnd, message, 0, 0);
  else
    ui::PostMessage(m_hViewWnd, message, 0, 0);
}

void CConversionDlg::SetItemText(int id, const std::string& text) {
  std::string& shown = m_itemTexts[id];
  if (shown == text && !text.empty()) return;
  shown = text;
  if (m_hWnd) SetDlgItemText(id, text);
}

std::string CConversionDlg::GetItemText(int id) const {
  const auto it = m_itemTexts.find(id);
  return it == m_itemTexts.end() ? std::string() : it->second;
}
