// QVTCapMenuBtn: a maximised MDI child's icon at the front of the MDI menu
// bar. Pressing it drops the child's system menu, whose commands go to the
// child; the icon is the child's and is not owned.
#pragma once

#include "docking/QVTTBMenuBtn.h"
#include "platform/ui/GdiTypes.h"

namespace docking {

class QVTCapMenuBtn : public QVTTBMenuBtn {
 public:
  static constexpr int kType = 4;
  static constexpr int kIconSize = 16;

  QVTCapMenuBtn() { m_nType = kType; }

  // TRUE when the icon shown changes.
  BOOL SetIcon(HICON icon);
  HICON GetIcon() const { return m_hIcon; }

  BOOL CanDrag() const override { return FALSE; }
  void RecalcSize() override;
  void Draw(afx::CDC* dc, QVTButtonDrawContext& context) override;
  // The bar drops the active child's system menu under the icon.
  void OpenMenu() override;

 private:
  HICON m_hIcon = nullptr;
};

}  // namespace docking
