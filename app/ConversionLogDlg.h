// The conversion log output window: the running conversion log text, held
// also while the window is hidden, and the "Show Window" setting. The text
// never reaches the edit control's limit of 40,000 characters: the oldest
// lines go first, whole, and a text without line ends loses its oldest
// characters instead. The window itself comes with the window system's
// drawing.
#pragma once

#include <cstddef>
#include <string>

class CConversionLogDlg {
 public:
  static constexpr std::size_t kTextLimit = 40000;
  // Trimming leaves room for a few more lines before the next trim.
  static constexpr std::size_t kTrimTarget = 39800;

  // Reads "Conversion Log Window"/"Show Window"; a missing key hides it.
  CConversionLogDlg();

  void AppendText(const std::string& text);
  void Clear();
  const std::string& GetText() const { return m_strText; }
  std::size_t GetLength() const { return m_strText.size(); }

  bool IsShown() const { return m_bShow; }
  void SetShown(bool show) { m_bShow = show; }
  // Stores the show flag, as the window does when it opens and closes.
  void SaveShowSetting() const;

  // Drops the oldest text so that `text` stays below the limit.
  static void TrimToLimit(std::string& text);

 private:
  bool m_bShow = false;
  std::string m_strText;
};
