// The conversion log output window: the running conversion log text, held
// also while the window is hidden, and the "Show Window" setting. The text
// never reaches the edit control's limit of 40,000 characters: the oldest
// lines go first, whole, and a text without line ends loses its oldest
// characters instead. The window (dialog 147, resizable) shows the text in
// a read-only, fixed-pitch edit over its whole client area, and tells its
// view when the user closes it.
#pragma once

#include <cstddef>
#include <string>

#include "platform/afx/Controls.h"
#include "platform/afx/Dialog.h"
#include "platform/afx/Font.h"

class CConversionLogDlg : public afx::CDialog {
 public:
  static constexpr std::size_t kTextLimit = 40000;
  // Trimming leaves room for a few more lines before the next trim.
  static constexpr std::size_t kTrimTarget = 39800;
  // Sent to the view when the user closes the window.
  static constexpr afx::UINT kMsgClosed = 0x0400 + 20;

  // Reads "Conversion Log Window"/"Show Window"; a missing key hides it.
  CConversionLogDlg();
  ~CConversionLogDlg() override;

  // The window over `view`, which is told when the user closes it.
  bool CreateWindowFor(afx::CWnd* view);
  bool HasWindow() const { return m_bCreated; }

  void AppendText(const std::string& text);
  void Clear();
  const std::string& GetText() const { return m_strText; }
  std::size_t GetLength() const { return m_strText.size(); }
  // What the edit control shows (empty without a window).
  std::string GetShownText() const;

  bool IsShown() const { return m_bShow; }
  void SetShown(bool show) { m_bShow = show; }
  // Stores the show flag, as the window does when it opens and closes.
  void SaveShowSetting() const;

  // Drops the oldest text so that `text` stays below the limit.
  static void TrimToLimit(std::string& text);

  afx::BOOL OnInitDialog() override;
  void OnCancel() override;
  void OnOK() override {}

 protected:
  void OnSize(afx::UINT kind, int cx, int cy);
  void OnMove(int x, int y);
  void OnDestroy();
  afx::LRESULT OnCtlColorEdit(afx::WPARAM dc, afx::LPARAM control);
  DECLARE_MESSAGE_MAP()

 private:
  void PlaceWindow();
  void SavePosition();
  void ShowAllText();

  bool m_bShow = false;
  bool m_bCreated = false;
  std::string m_strText;
  afx::CWnd* m_pView = nullptr;
  afx::CEdit m_edit;
  afx::CFont m_font;
};
