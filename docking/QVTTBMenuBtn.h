// A menu bar button: a title that drops a popup menu when pressed. Its
// text may mark a mnemonic with "&"; the two menu values (the menu it
// belongs to and the popup's position in it) are passed through to the
// bar, which asks the frame for the popup.
#pragma once

#include <string>

#include "docking/QVTStdBtn.h"

namespace docking {

// The extra data a menu button is attached with.
struct QVTMenuBtnData {
  const char* text = nullptr;
  UINT menuId = 0;
  int popupIndex = -1;
};

class QVTTBMenuBtn : public QVTStdBtn {
 public:
  static constexpr int kType = 3;
  QVTTBMenuBtn() { m_nType = kType; }

  void Attach(QVTCustomToolBar* bar, const void* extra) override;
  void Draw(afx::CDC* dc, QVTButtonDrawContext& context) override;
  // Drops the popup at once; the bar, not the button, holds the mouse.
  BOOL OnPress(POINT point) override;
  // Measured from the text in the bar's button font.
  void RecalcSize() override;

  virtual void OpenMenu();
  // The upper-cased character after the first single "&", 0 for none.
  static char ComputeMnemonic(const std::string& text);

  const std::string& GetText() const { return m_strText; }
  char GetMnemonic() const { return m_cMnemonic; }
  UINT GetMenuId() const { return m_nMenuId; }
  int GetPopupIndex() const { return m_nPopupIndex; }

 protected:
  std::string m_strText;
  UINT m_nMenuId = 0;
  int m_nPopupIndex = -1;
  char m_cMnemonic = 0;
};

}  // namespace docking
