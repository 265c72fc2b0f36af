// An edit box that lets only some characters through as they are typed:
// letters only, digits only, with or without the signs ".", "+" and "-",
// and letters turned to capitals. Text pasted or set by the program is
// not filtered; the dialogs validate it on OK.
#pragma once

#include "platform/afx/Controls.h"
#include "platform/afx/MessageMap.h"

class CSpecialEdit : public afx::CEdit {
 public:
  struct Filter {
    bool upper_case = false;
    bool letters_only = false;
    bool digits_only = false;
    bool signs_allowed = false;
  };

  // What typing `typed` enters under `filter`: false when it is dropped,
  // else true with the character to enter.
  static bool FilterChar(const Filter& filter, unsigned typed, unsigned& entered);

  Filter m_filter;

 protected:
  afx::LRESULT OnCharMessage(afx::WPARAM wParam, afx::LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
