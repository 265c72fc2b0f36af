#include "app/TerminalProgress.h"

#include <unistd.h>

#include "platform/sys/Format.h"

std::string TerminalProgress::LineText(const std::string& name, int percent) {
  return sys::Format("briven: converting %s: %3d%%", name.c_str(), percent);
}

void TerminalProgress::Show(int percent) {
  if (!m_bEnabled || percent == m_nLast) return;
  m_nLast = percent;
  const std::string line = "\r" + LineText(m_strName, percent);
  if (::write(STDERR_FILENO, line.data(), line.size()) > 0) m_bShown = true;
}

void TerminalProgress::Finish() {
  if (!m_bShown) return;
  m_bShown = false;
  if (::write(STDERR_FILENO, "\n", 1) < 0) return;
}
