// The items of one popup menu that the bitmap menus draw themselves: each
// keeps its command id, its whole text (label, a TAB and the accelerator
// text) and its mnemonic, and the menu answers a typed mnemonic the way
// native menus do.
#pragma once

#include <string>
#include <vector>

#include "platform/afx/AfxIds.h"

namespace docking {

using namespace afx;

struct QVTBmpMenuItemInfo {
  UINT id = 0;
  std::string text;
  char mnemonic = 0;
  int position = 0;  // the item's place in its menu

  // The upper-cased character after the first single "&" ("&&" shows an
  // ampersand); 0 when there is none or "&" ends the text.
  static char ComputeMnemonic(const std::string& text);
  // The text up to the first TAB, and the accelerator text after it.
  static std::string Label(const std::string& text);
  static std::string Accelerator(const std::string& text);
};

class QVTBmpMenuItems {
 public:
  // Answers of WM_MENUCHAR, in the high word.
  static constexpr LRESULT kMenuCharExecute = 0x20000;  // MNC_EXECUTE
  static constexpr LRESULT kMenuCharSelect = 0x30000;   // MNC_SELECT

  // The items the bitmap menus take over: not separators, not drawn by
  // someone else, not system commands (0xF000 to 0xFEFF). A popup item
  // counts as id 0. Texts are read whole, however long.
  static QVTBmpMenuItems Collect(HMENU menu);

  // The answer to a typed character: 0 when no item has it as mnemonic,
  // "execute" for the only one that has, else "select" for the first one
  // after the highlighted position, wrapping round to the first.
  LRESULT MenuChar(char typed, int highlighted) const;

  const std::vector<QVTBmpMenuItemInfo>& Items() const { return items_; }
  void Add(QVTBmpMenuItemInfo info) { items_.push_back(std::move(info)); }

 private:
  std::vector<QVTBmpMenuItemInfo> items_;
};

}  // namespace docking
