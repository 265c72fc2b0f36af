// The About box: the product's name, version and copyright from the
// version block, and the installation's user and company when the
// installation key names them.
#pragma once

#include "platform/ui/Types.h"

class CBrivenApp;

class CAboutDlg {
 public:
  explicit CAboutDlg(const CBrivenApp* app) : m_pApp(app) {}

  // Runs the box modally over `owner`; the dialog result.
  ui::INT_PTR DoModal(ui::HWND owner);
  // The box without its modal loop, for a caller that runs one itself.
  ui::HWND CreateModeless(ui::HWND owner);

  // Fills the fields that have a text; an empty member, or a field the
  // template lacks, leaves the template's text.
  bool OnInitDialog(ui::HWND dialog);

 private:
  static ui::INT_PTR DialogProc(ui::HWND dialog, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam);

  const CBrivenApp* m_pApp;
};
