// QVTNewToolBar: the small dialog that asks for the name of a new toolbar.
// OK is offered only while there is a name; names are at most 128
// characters long.
#pragma once

#include <string>

#include "platform/afx/Dialog.h"

namespace docking {

using namespace afx;

class QVTNewToolBar : public afx::CDialog {
 public:
  static constexpr int kMaxNameLength = 128;

  explicit QVTNewToolBar(afx::CWnd* parent = nullptr);

  BOOL OnInitDialog() override;

  std::string m_strName;

 protected:
  void DoDataExchange(afx::CDataExchange* dx) override;
  void OnNameChanged();
  void OnHelp();

  DECLARE_MESSAGE_MAP()
};

}  // namespace docking
