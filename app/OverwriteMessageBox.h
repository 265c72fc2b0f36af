// The overwrite question of an interactive run as a plain Yes/No message
// box, for as long as no dialog of its own is there: Yes replaces this
// file; No skips it in a series and stops a single conversion.
#pragma once

#include "core/conversion/OverwriteQuestion.h"

class OverwriteMessageBox : public OverwriteQuestion {
 public:
  OverwriteAnswer Ask(const std::string& question, bool series) override;
};
