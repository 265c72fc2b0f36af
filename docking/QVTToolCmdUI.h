// Command UI for one button of a common-control toolbar: the update
// handler enables, checks or marks it indeterminate through the button's
// style word; a button shows no text of the handler's.
#pragma once

#include <string>

#include "platform/afx/CmdUI.h"

namespace docking {

class QVTToolBar;

class QVTToolCmdUI : public afx::CCmdUI {
 public:
  void Enable(ui::BOOL on = 1) override;
  void SetCheck(int check = 1) override;
  void SetText(const std::string&) override {}
  QVTToolBar* m_pBar = nullptr;
};

}  // namespace docking
