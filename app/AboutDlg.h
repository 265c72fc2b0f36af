// The About box: the product's name, version and copyright from the
// version block, and the installation's user and company when the
// installation key names them.
#pragma once

#include "platform/afx/Dialog.h"

class CBrivenApp;

class CAboutDlg : public afx::CDialog {
 public:
  explicit CAboutDlg(const CBrivenApp* app, afx::CWnd* parent = nullptr);

  // Fills the fields that have a text; an empty member, or a field the
  // template lacks, leaves the template's text.
  afx::BOOL OnInitDialog() override;

 private:
  void SetFieldWhenGiven(int id, const std::string& text);

  const CBrivenApp* m_pApp;
};
