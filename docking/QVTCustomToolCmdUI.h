// Command UI for one button of a customisable toolbar: the update handler
// enables it, checks it or shows it indeterminate; texts are not a
// button's to show.
#pragma once

#include <string>

#include "platform/afx/CmdUI.h"

namespace docking {

class QVTCustomToolBar;

class QVTCustomToolCmdUI : public afx::CCmdUI {
 public:
  void Enable(ui::BOOL on = 1) override;
  void SetCheck(int check = 1) override;
  void SetText(const std::string&) override {}
  QVTCustomToolBar* m_pBar = nullptr;
};

}  // namespace docking
