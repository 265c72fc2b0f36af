// The question asked before an existing output file is replaced. The
// dialog belongs to the user interface; a multi-file series offers No as
// "skip this file" and the conversion tells it so with the series flag.
#pragma once

#include <string>

enum class OverwriteAnswer { kYes, kYesToAll, kNo, kCancel };

class OverwriteQuestion {
 public:
  virtual ~OverwriteQuestion() = default;
  virtual OverwriteAnswer Ask(const std::string& question, bool series) = 0;
};

// A run without windows is never asked: the question's text goes to the
// notifier (stderr) and the answer is Cancel, so no existing output is
// replaced unless the settings or the command line allowed it.
class UnattendedOverwriteQuestion : public OverwriteQuestion {
 public:
  OverwriteAnswer Ask(const std::string& question, bool series) override;
};
