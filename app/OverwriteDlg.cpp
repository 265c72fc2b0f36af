#include "app/OverwriteDlg.h"

#include "app/SettingsDlgIds.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"

// The message-map macros name the framework's types unqualified.
using namespace afx;

using namespace app::overwrite;

namespace {
constexpr afx::LONG kBold = 700;
}  // namespace

BEGIN_MESSAGE_MAP(COverwriteDlg, afx::CDialog)
  ON_BN_CLICKED(kYes, OnYes)
  ON_BN_CLICKED(kYesToAll, OnYesToAll)
  ON_BN_CLICKED(kNo, OnNo)
  ON_BN_CLICKED(kCancel, OnCancelAll)
END_MESSAGE_MAP()

COverwriteDlg::COverwriteDlg(afx::CWnd* parent) : afx::CDialog(app::kOverwriteDialog, parent) {}

afx::BOOL COverwriteDlg::OnInitDialog() {
  afx::CDialog::OnInitDialog();
  // Escape and the window manager's close both arrive as Cancel: the
  // close box is left out so that nobody takes it for "skip this file".
  ModifyStyle(::ui::WS_SYSMENU, 0);
  // A bold copy of the dialog's font: of the one it was given, else of
  // the one its template names.
  afx::LOGFONT font{};
  const auto given = reinterpret_cast<::ui::HGDIOBJ>(SendMessage(::ui::WM_GETFONT));
  if (!given || ::ui::GetObject(given, sizeof font, &font) <= 0) {
    font = afx::LOGFONT{};
    if (const ::ui::DialogTemplate* dialog = FindTemplate()) {
      constexpr int kPointsPerInch = 72, kPixelsPerInch = 96;
      font.lfHeight = -(dialog->point_size * kPixelsPerInch + kPointsPerInch / 2) / kPointsPerInch;
      dialog->font_name.copy(font.lfFaceName, sizeof font.lfFaceName - 1);
    }
  }
  font.lfWeight = kBold;
  if (m_boldFont.CreateFontIndirect(&font)) {
    for (afx::HWND child = ::ui::GetWindow(m_hWnd, ::ui::GW_CHILD); child; child = ::ui::GetWindow(child, ::ui::GW_HWNDNEXT))
      ::ui::SendMessage(child, ::ui::WM_SETFONT, reinterpret_cast<afx::WPARAM>(static_cast<afx::HFONT>(m_boldFont)), TRUE);
  }
  // The whole question, however long the path: cut short, it would lose
  // what it asks.
  SetDlgItemText(kQuestionText, m_strQuestion);
  if (afx::CWnd* all = GetDlgItem(kYesToAll)) all->EnableWindow(m_bSeries);
  return TRUE;
}

void COverwriteDlg::Finish(int result, bool this_file_only) {
  m_bThisFileOnly = this_file_only;
  EndDialog(result);
}

// Escape, or closing the window: stop, as the Cancel button does.
void COverwriteDlg::OnCancel() { Finish(afx::IDCANCEL, false); }

OverwriteAnswer COverwriteDlg::Answer(afx::INT_PTR result) const {
  if (result == afx::IDOK) return m_bThisFileOnly ? OverwriteAnswer::kYes : OverwriteAnswer::kYesToAll;
  if (result == afx::IDCANCEL && m_bThisFileOnly) return OverwriteAnswer::kNo;
  return OverwriteAnswer::kCancel;
}
