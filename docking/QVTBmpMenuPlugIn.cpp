#include "docking/QVTBmpMenuPlugIn.h"

#include <vector>

#include "docking/QVTFrameWnd.h"
#include "docking/QVTToolBarManager.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"

namespace docking {

IMPLEMENT_DYNCREATE(QVTBmpMenuPlugIn, QVTFramePlugIn)

namespace {

constexpr UINT kFirstSystemCommand = 0xF000;
constexpr UINT kLastSystemCommand = 0xFEFF;
constexpr UINT kItemKindMask = MIIM_FTYPE | MIIM_DATA;

UINT_PTR DataOf(const QVTBmpMenuItemInfo* info) { return reinterpret_cast<UINT_PTR>(info); }

// The kind and data of an item; FALSE when the menu has no such item.
BOOL ReadKind(HMENU menu, int position, MENUITEMINFO& info) {
  info.fMask = kItemKindMask | MIIM_ID | MIIM_SUBMENU | MIIM_BITMAP | MIIM_STATE | MIIM_CHECKMARKS;
  return GetMenuItemInfo(menu, static_cast<UINT>(position), TRUE, &info);
}

}  // namespace

QVTBmpMenuPlugIn::QVTBmpMenuPlugIn() : bmpMgr_(new QVTBmpMgr) {}

QVTBmpMenuPlugIn::~QVTBmpMenuPlugIn() {
  // The menus outlive the plug-in: their items go back to plain strings,
  // else they would keep pointing at infos that are about to go.
  for (auto& [menu, record] : menus_) {
    if (!IsMenu(menu)) continue;
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position)
      if (const QVTBmpMenuItemInfo* info = OwnItemAt(menu, record, position)) RestoreItem(menu, position, *info);
  }
  if (bmpMgr_) bmpMgr_->Release();
}

BOOL QVTBmpMenuPlugIn::Attach(QVTFrameWnd* frame) {
  QVTFramePlugIn::Attach(frame);
  AdoptFrameImages();
  return TRUE;
}

void QVTBmpMenuPlugIn::AdoptFrameImages() {
  // A frame may make its toolbar manager after its window (and so after
  // its plug-ins): the images are taken over when they come.
  if (!ownImages_ || !frame_) return;
  auto* manager = dynamic_cast<QVTToolBarManager*>(frame_->GetControlBarManager());
  if (!manager || !manager->GetBmpMgr()) return;
  SetBitmapManager(manager->GetBmpMgr());
}

void QVTBmpMenuPlugIn::SetBitmapManager(QVTBmpMgr* manager) {
  if (!manager || manager == bmpMgr_) return;
  manager->AddRef();
  if (bmpMgr_) bmpMgr_->Release();
  bmpMgr_ = manager;
  ownImages_ = FALSE;
}

BOOL QVTBmpMenuPlugIn::AddToolBarResource(UINT resource, UINT largeResource, BOOL mapColours) {
  return bmpMgr_->AddToolBarResource(resource & 0xFFFF, largeResource & 0xFFFF, mapColours);
}

BOOL QVTBmpMenuPlugIn::AddBitmap(UINT resource, UINT largeResource, const UINT* ids, int count, BOOL mapColours) {
  return bmpMgr_->AddBitmap(resource & 0xFFFF, largeResource & 0xFFFF, ids, count, mapColours);
}

BOOL QVTBmpMenuPlugIn::AddBitmapHandles(HBITMAP normal, HBITMAP large, const UINT* ids, int count) {
  return bmpMgr_->AddBitmapHandles(normal, large, ids, count);
}

BOOL QVTBmpMenuPlugIn::OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  switch (message) {
    case WM_INITMENUPOPUP:
      // Before the frame's own initialisation, which still runs.
      PrepareMenu(reinterpret_cast<HMENU>(wParam), HIWORD(static_cast<std::uint64_t>(lParam)));
      return FALSE;
    case WM_MEASUREITEM:
      if (!OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return FALSE;
      *result = TRUE;
      return TRUE;
    case WM_DRAWITEM:
      if (!OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return FALSE;
      *result = TRUE;
      return TRUE;
    case WM_MENUCHAR:
      *result = OnMenuChar(static_cast<char>(LOWORD(static_cast<std::uint64_t>(wParam))), reinterpret_cast<HMENU>(lParam));
      return *result != 0;
    case WM_IDLEUPDATECMDUI: CollectDeadMenus(); return FALSE;
    case WM_SETTINGCHANGE: OnSettingChange(); return FALSE;
    case WM_SYSCOLORCHANGE: OnSysColorChange(); return FALSE;
    default: return FALSE;
  }
}

void QVTBmpMenuPlugIn::OnInitMenuPopup(WPARAM wParam, LPARAM lParam) {
  PrepareMenu(reinterpret_cast<HMENU>(wParam), HIWORD(static_cast<std::uint64_t>(lParam)));
}

QVTBmpMenuPlugIn::MenuRecord* QVTBmpMenuPlugIn::FindRecord(HMENU menu) {
  auto found = menus_.find(menu);
  return found == menus_.end() ? nullptr : &found->second;
}

const QVTBmpMenuPlugIn::MenuRecord* QVTBmpMenuPlugIn::FindRecord(HMENU menu) const {
  auto found = menus_.find(menu);
  return found == menus_.end() ? nullptr : &found->second;
}

const QVTBmpMenuItemInfo* QVTBmpMenuPlugIn::FindItemInfo(HMENU menu, UINT_PTR data) const {
  const MenuRecord* record = FindRecord(menu);
  if (!record || !data) return nullptr;
  for (const auto& info : record->items)
    if (DataOf(info.get()) == data) return info.get();
  return nullptr;
}

const QVTBmpMenuItemInfo* QVTBmpMenuPlugIn::OwnItemAt(HMENU menu, const MenuRecord& record, int position) const {
  MENUITEMINFO item;
  item.fMask = kItemKindMask;
  if (!GetMenuItemInfo(menu, static_cast<UINT>(position), TRUE, &item) || !(item.fType & MFT_OWNERDRAW)) return nullptr;
  for (const auto& info : record.items)
    if (DataOf(info.get()) == item.dwItemData) return info.get();
  return nullptr;
}

std::string QVTBmpMenuPlugIn::ReadItemText(HMENU menu, int position) {
  MENUITEMINFO item;
  item.fMask = MIIM_STRING;
  if (!GetMenuItemInfo(menu, static_cast<UINT>(position), TRUE, &item)) return {};
  std::string text(item.cch + 1, '\0');
  item.dwTypeData = text.data();
  item.cch = static_cast<UINT>(text.size());
  if (!GetMenuItemInfo(menu, static_cast<UINT>(position), TRUE, &item)) return {};
  text.resize(item.cch);
  return text;
}

int QVTBmpMenuPlugIn::FindPosition(HMENU menu, UINT_PTR data) {
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    MENUITEMINFO item;
    item.fMask = kItemKindMask;
    if (GetMenuItemInfo(menu, static_cast<UINT>(position), TRUE, &item) && (item.fType & MFT_OWNERDRAW) &&
        item.dwItemData == data)
      return position;
  }
  return -1;
}

void QVTBmpMenuPlugIn::PrepareMenu(HMENU menu, BOOL systemMenu) {
  if (systemMenu || !IsMenu(menu)) return;
  AdoptFrameImages();
  const int count = GetMenuItemCount(menu);
  if (count < 0) return;  // unreadable: left as it is
  MenuRecord& record = menus_[menu];
  for (int position = 0; position < count; ++position) ConvertItem(menu, position, record);
}

BOOL QVTBmpMenuPlugIn::ConvertItem(HMENU menu, int position, MenuRecord& record) {
  MENUITEMINFO item;
  if (!ReadKind(menu, position, item)) return FALSE;
  // Owner-drawn items are the plug-in's own already, or someone else's:
  // either way they stay as they are.
  if (item.fType & (MFT_SEPARATOR | MFT_OWNERDRAW) || item.hbmpItem) return FALSE;
  const UINT id = item.hSubMenu ? 0 : item.wID;
  if (id >= kFirstSystemCommand && id <= kLastSystemCommand) return FALSE;
  auto info = std::make_unique<QVTBmpMenuItemInfo>();
  info->id = id;
  info->text = ReadItemText(menu, position);
  info->mnemonic = QVTBmpMenuItemInfo::ComputeMnemonic(info->text);
  info->position = position;
  if (!SetOwnerDrawn(menu, position, *info)) return FALSE;
  live_.insert(info.get());
  record.items.push_back(std::move(info));
  return TRUE;
}

BOOL QVTBmpMenuPlugIn::SetOwnerDrawn(HMENU menu, int position, const QVTBmpMenuItemInfo& info) {
  MENUITEMINFO item;
  if (!ReadKind(menu, position, item)) return FALSE;
  MENUITEMINFO owner_drawn;
  owner_drawn.fMask = kItemKindMask;
  owner_drawn.fType = item.fType | MFT_OWNERDRAW;
  owner_drawn.dwItemData = DataOf(&info);
  return SetMenuItemInfo(menu, static_cast<UINT>(position), TRUE, &owner_drawn);
}

void QVTBmpMenuPlugIn::RestoreItem(HMENU menu, int position, const QVTBmpMenuItemInfo& info) {
  MENUITEMINFO item;
  if (!ReadKind(menu, position, item)) return;
  MENUITEMINFO plain;
  plain.fMask = kItemKindMask | MIIM_STRING;
  plain.fType = (item.fType & ~MFT_OWNERDRAW) | MFT_STRING;
  plain.dwItemData = 0;
  std::string text = info.text;
  plain.dwTypeData = text.data();
  plain.cch = static_cast<UINT>(text.size());
  SetMenuItemInfo(menu, static_cast<UINT>(position), TRUE, &plain);
}

void QVTBmpMenuPlugIn::ForgetRecord(MenuRecord& record) {
  for (const auto& info : record.items) live_.erase(info.get());
  record.items.clear();
}

void QVTBmpMenuPlugIn::CollectDeadMenus() {
  for (auto it = menus_.begin(); it != menus_.end();) {
    if (!IsMenu(it->first)) {
      ForgetRecord(it->second);
      it = menus_.erase(it);
      continue;
    }
    // The infos that an item of the menu still points at.
    std::unordered_set<const QVTBmpMenuItemInfo*> referenced;
    const int count = GetMenuItemCount(it->first);
    for (int position = 0; position < count; ++position)
      if (const QVTBmpMenuItemInfo* info = OwnItemAt(it->first, it->second, position)) referenced.insert(info);
    auto& items = it->second.items;
    for (auto item = items.begin(); item != items.end();) {
      if (referenced.count(item->get())) {
        ++item;
        continue;
      }
      live_.erase(item->get());
      item = items.erase(item);
    }
    ++it;
  }
}

HWND QVTBmpMenuPlugIn::MeasuringWindow() const {
  const HWND hwnd = frame_ ? frame_->m_hWnd : nullptr;
  return hwnd && IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL QVTBmpMenuPlugIn::OnMeasureItem(MEASUREITEMSTRUCT* measure) {
  if (!measure || measure->CtlType != ODT_MENU) return FALSE;
  const auto* info = reinterpret_cast<const QVTBmpMenuItemInfo*>(measure->itemData);
  if (!live_.count(info)) return FALSE;  // someone else's item
  const HWND window = MeasuringWindow();
  const HDC dc = GetDC(window);
  if (!dc) return FALSE;
  const SIZE size = painter_.Measure(dc, info->text, SIZE{bmpMgr_->GetImageWidth(), bmpMgr_->GetImageHeight()});
  ReleaseDC(window, dc);
  measure->itemWidth = static_cast<UINT>(size.cx);
  measure->itemHeight = static_cast<UINT>(size.cy);
  return TRUE;
}

QVTBmpMenuItemLook QVTBmpMenuPlugIn::LookOf(HMENU menu, const QVTBmpMenuItemInfo& info, UINT state) {
  QVTBmpMenuItemLook look;
  look.text = info.text;
  look.state = state;
  look.imageSize = SIZE{bmpMgr_->GetImageWidth(), bmpMgr_->GetImageHeight()};
  if (info.id && bmpMgr_->GetImage(info.id, &look.image, &look.imageIndex)) return look;
  // No toolbar image: the item's own check bitmaps, else a check mark
  // when it is checked.
  look.imageIndex = 0;
  MENUITEMINFO item;
  const int position = FindPosition(menu, DataOf(&info));
  if (position < 0 || !ReadKind(menu, position, item)) return look;
  if (state & ODS_CHECKED) look.image = item.hbmpChecked ? item.hbmpChecked : painter_.CheckMark(look.imageSize);
  else look.image = item.hbmpUnchecked;
  return look;
}

BOOL QVTBmpMenuPlugIn::OnDrawItem(const DRAWITEMSTRUCT* draw) {
  if (!draw || draw->CtlType != ODT_MENU) return FALSE;
  const auto menu = reinterpret_cast<HMENU>(draw->hwndItem);
  if (!IsMenu(menu)) return FALSE;
  const QVTBmpMenuItemInfo* info = FindItemInfo(menu, draw->itemData);
  if (!info) return FALSE;
  painter_.Draw(draw->hDC, draw->rcItem, LookOf(menu, *info, draw->itemState));
  return TRUE;
}

LRESULT QVTBmpMenuPlugIn::OnMenuChar(char typed, HMENU menu) {
  const MenuRecord* record = IsMenu(menu) ? FindRecord(menu) : nullptr;
  if (!record) return 0;
  // The plug-in's items at their places now, and the highlighted one.
  QVTBmpMenuItems items;
  int highlighted = -1;
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    if (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_HILITE) highlighted = position;
    const QVTBmpMenuItemInfo* info = OwnItemAt(menu, *record, position);
    if (!info) continue;
    QVTBmpMenuItemInfo at = *info;
    at.position = position;
    items.Add(std::move(at));
  }
  return items.MenuChar(typed, highlighted);
}

void QVTBmpMenuPlugIn::OnSettingChange() {
  painter_.DropFonts();
  CollectDeadMenus();
  // A plain string and back makes the menu measure its items again.
  for (auto& [menu, record] : menus_) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
      const QVTBmpMenuItemInfo* info = OwnItemAt(menu, record, position);
      if (!info) continue;
      RestoreItem(menu, position, *info);
      SetOwnerDrawn(menu, position, *info);
    }
  }
}

void QVTBmpMenuPlugIn::OnSysColorChange() { painter_.ReadColours(); }

}  // namespace docking
