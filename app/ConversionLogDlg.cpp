#include "app/ConversionLogDlg.h"

#include <cstring>

#include "app/AppResources.h"
#include "app/SavedWindowRect.h"
#include "platform/sys/Profile.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WindowStyles.h"

// The framework's message-map macros name its types unqualified.
using namespace afx;


BEGIN_MESSAGE_MAP(CConversionLogDlg, afx::CDialog)
  ON_WM_SIZE()
  ON_WM_MOVE()
  ON_WM_DESTROY()
  ON_MESSAGE(ui::WM_CTLCOLOREDIT, OnCtlColorEdit)
  ON_MESSAGE(ui::WM_CTLCOLORSTATIC, OnCtlColorEdit)
END_MESSAGE_MAP()

namespace {
constexpr const char kSection[] = "Conversion Log Window";
constexpr const char kShowKey[] = "Show Window";
constexpr const char kRectKey[] = "Rect";
}  // namespace

CConversionLogDlg::CConversionLogDlg() : afx::CDialog(app::kConversionLogDialog) {
  m_bShow = sys::AppProfile().GetInt(kSection, kShowKey, -1) == 1;
}

CConversionLogDlg::~CConversionLogDlg() {
  if (m_hWnd) DestroyWindow();
}

void CConversionLogDlg::SaveShowSetting() const { sys::AppProfile().WriteInt(kSection, kShowKey, m_bShow ? 1 : 0); }

bool CConversionLogDlg::CreateWindowFor(afx::CWnd* view) {
  if (m_hWnd) return false;
  m_pView = view;
  app::RegisterResources();
  if (!afx::CDialog::Create(app::kConversionLogDialog, view)) return false;
  ShowWindow(ui::SW_SHOW);
  return true;
}

BOOL CConversionLogDlg::OnInitDialog() {
  afx::CDialog::OnInitDialog();
  SaveShowSetting();
  PlaceWindow();
  ui::RECT client;
  GetClientRect(&client);
  const afx::DWORD style = ui::WS_CHILD | ui::WS_VISIBLE | ui::WS_VSCROLL | ui::WS_HSCROLL | ui::ES_READONLY |
                           ui::ES_AUTOVSCROLL | ui::ES_MULTILINE;
  if (m_edit.Create(style, client, this, app::kConversionLogEdit)) {
    m_edit.SetFocus();
    m_edit.LimitText(static_cast<int>(kTextLimit));
    ui::LOGFONT font;
    font.lfHeight = -12;
    font.lfWeight = 500;
    std::strncpy(font.lfFaceName, "Courier", sizeof font.lfFaceName - 1);
    if (m_font.CreateFontIndirect(&font))
      m_edit.SendMessage(ui::WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
    m_bCreated = true;
    ShowAllText();
  }
  return FALSE;  // the focus is set
}

void CConversionLogDlg::PlaceWindow() {
  ui::RECT saved;
  if (!app::ParseWindowRect(sys::AppProfile().GetString(kSection, kRectKey, ""), saved)) {
    CenterWindow();
    SavePosition();
    return;
  }
  const ui::RECT shown = app::KeepOnScreen(saved, app::CurrentScreen());
  MoveWindow(shown);
}

void CConversionLogDlg::SavePosition() {
  if (!m_hWnd) return;
  ui::WINDOWPLACEMENT placement;
  placement.length = sizeof placement;
  if (GetWindowPlacement(&placement))
    sys::AppProfile().WriteString(kSection, kRectKey, app::FormatWindowRect(placement.rcNormalPosition));
}

void CConversionLogDlg::ShowAllText() {
  if (!m_bCreated) return;
  m_edit.SetWindowText(m_strText);
  const int end = static_cast<int>(m_strText.size());
  m_edit.SetSel(end, end);
  m_edit.SendMessage(ui::EM_SCROLLCARET);
}

std::string CConversionLogDlg::GetShownText() const {
  return m_bCreated ? m_edit.GetWindowTextString() : std::string();
}

void CConversionLogDlg::AppendText(const std::string& text) {
  if (text.empty()) return;
  const std::size_t before = m_strText.size();
  m_strText += text;
  TrimToLimit(m_strText);
  if (!m_bCreated) return;
  if (m_strText.size() == before + text.size()) {
    // Nothing dropped: the new text goes at the end.
    const int end = static_cast<int>(before);
    m_edit.SetSel(end, end);
    m_edit.ReplaceSel(text);
    m_edit.SendMessage(ui::EM_SCROLLCARET);
    return;
  }
  // Older lines went: the control takes the text held, in one change.
  m_edit.LockWindowUpdate();
  ShowAllText();
  m_edit.UnlockWindowUpdate();
}

void CConversionLogDlg::Clear() {
  m_strText.clear();
  if (m_bCreated) ShowAllText();
}

void CConversionLogDlg::TrimToLimit(std::string& text) {
  if (text.size() < kTextLimit) return;
  const std::size_t excess = text.size() - kTrimTarget;
  // Cut behind the first line end that removes enough; a text with no such
  // line end loses exactly the excess, so one endless line cannot grow the
  // window past its limit.
  const std::size_t search_from = excess < 2 ? 0 : excess - 2;
  const std::size_t line_end = text.find("\r\n", search_from);
  std::size_t cut = line_end == std::string::npos ? excess : line_end + 2;
  if (cut > text.size()) cut = text.size();
  text.erase(0, cut);
  if (text.size() >= kTextLimit) text.erase(0, text.size() - kTrimTarget);
}

void CConversionLogDlg::OnCancel() {
  // Escape or the close box: the view clears its show flag and destroys
  // the window.
  if (m_pView && m_pView->m_hWnd) m_pView->PostMessage(kMsgClosed);
  ShowWindow(ui::SW_HIDE);
}

void CConversionLogDlg::OnSize(UINT, int cx, int cy) {
  Default();
  if (!m_bCreated) return;
  ui::RECT edit;
  m_edit.GetWindowRect(&edit);
  ScreenToClient(&edit);
  m_edit.MoveWindow(edit.left, edit.top, cx - edit.left, cy - edit.top);
  SavePosition();
}

void CConversionLogDlg::OnMove(int, int) {
  Default();
  if (m_bCreated) SavePosition();
}

void CConversionLogDlg::OnDestroy() {
  afx::CDialog::OnDestroy();
  m_bCreated = false;
  SaveShowSetting();
}

LRESULT CConversionLogDlg::OnCtlColorEdit(WPARAM dc, LPARAM control) {
  if (ui::GetDlgCtrlID(reinterpret_cast<ui::HWND>(control)) != app::kConversionLogEdit) return Default();
  const auto hdc = reinterpret_cast<ui::HDC>(dc);
  ui::SetTextColor(hdc, 0x000000);
  ui::SetBkColor(hdc, 0xFFFFFF);
  return reinterpret_cast<LRESULT>(ui::GetStockObject(ui::WHITE_BRUSH));
}
