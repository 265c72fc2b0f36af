// The progress line of an unattended run: written to stderr, and only when
// stderr is a terminal, so that logs of scripted runs stay clean and stdout
// is never touched.
#pragma once

#include <string>

class TerminalProgress {
 public:
  // `enabled` is normally isatty(stderr).
  TerminalProgress(std::string name, bool enabled) : m_strName(std::move(name)), m_bEnabled(enabled) {}
  ~TerminalProgress() { Finish(); }

  void Show(int percent);
  // Ends the line once something was shown.
  void Finish();

  // The text of one update, without the leading carriage return.
  static std::string LineText(const std::string& name, int percent);

 private:
  std::string m_strName;
  bool m_bEnabled;
  bool m_bShown = false;
  int m_nLast = -1;
};
