#include "app/ConversionLogDlg.h"

#include "platform/sys/Profile.h"

namespace {
constexpr const char kSection[] = "Conversion Log Window";
constexpr const char kShowKey[] = "Show Window";
}  // namespace

CConversionLogDlg::CConversionLogDlg() { m_bShow = sys::AppProfile().GetInt(kSection, kShowKey, -1) == 1; }

void CConversionLogDlg::SaveShowSetting() const { sys::AppProfile().WriteInt(kSection, kShowKey, m_bShow ? 1 : 0); }

void CConversionLogDlg::AppendText(const std::string& text) {
  m_strText += text;
  TrimToLimit(m_strText);
}

void CConversionLogDlg::Clear() { m_strText.clear(); }

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
