#include "docking/QVTBmpMenuItemInfo.h"

#include <cctype>

namespace docking {

namespace {

constexpr UINT kFirstSystemCommand = 0xF000;
constexpr UINT kLastSystemCommand = 0xFEFF;

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

}  // namespace

char QVTBmpMenuItemInfo::ComputeMnemonic(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {  // a shown ampersand
      ++i;
      continue;
    }
    return Upper(text[i + 1]);
  }
  return 0;
}

std::string QVTBmpMenuItemInfo::Label(const std::string& text) { return text.substr(0, text.find('\t')); }

std::string QVTBmpMenuItemInfo::Accelerator(const std::string& text) {
  const std::size_t tab = text.find('\t');
  return tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

QVTBmpMenuItems QVTBmpMenuItems::Collect(HMENU menu) {
  QVTBmpMenuItems items;
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    const UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    if (state == static_cast<UINT>(-1) || (state & (MF_SEPARATOR | MF_OWNERDRAW))) continue;
    const UINT id = GetSubMenu(menu, position) ? 0 : GetMenuItemID(menu, position);
    if (id >= kFirstSystemCommand && id <= kLastSystemCommand) continue;
    QVTBmpMenuItemInfo info;
    info.id = id;
    info.text = GetMenuStringText(menu, static_cast<UINT>(position), MF_BYPOSITION);
    info.mnemonic = QVTBmpMenuItemInfo::ComputeMnemonic(info.text);
    info.position = position;
    items.Add(std::move(info));
  }
  return items;
}

LRESULT QVTBmpMenuItems::MenuChar(char typed, int highlighted) const {
  const char wanted = Upper(typed);
  std::vector<int> matches;
  for (const QVTBmpMenuItemInfo& item : items_)
    if (item.mnemonic != 0 && item.mnemonic == wanted) matches.push_back(item.position);
  if (matches.empty()) return 0;
  if (matches.size() == 1) return kMenuCharExecute + matches.front();
  for (int position : matches)
    if (position > highlighted) return kMenuCharSelect + position;
  return kMenuCharSelect + matches.front();
}

}  // namespace docking
