// QVTBmpMenuPlugIn: the frame plug-in that draws the frame's popup menus
// itself, with the toolbar image of each command beside its text. Each
// popup the frame opens is prepared: its plain items become owner-drawn,
// their data pointing at an item info of this plug-in, and the plug-in
// then measures and draws them and answers their mnemonics. Items that
// another component draws are never touched: an item is the plug-in's only
// when its data points at one of the live item infos of that very menu.
// The images come from the image store of the frame's toolbar manager,
// shared with the toolbars.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "docking/QVTBmpMenuItemInfo.h"
#include "docking/QVTBmpMenuItemPainter.h"
#include "docking/QVTFramePlugIn.h"
#include "docking/QVTToolBarImages.h"
#include "platform/ui/ControlMessages.h"

namespace docking {

class QVTBmpMenuPlugIn : public QVTFramePlugIn {
  DECLARE_DYNCREATE(QVTBmpMenuPlugIn)
 public:
  QVTBmpMenuPlugIn();
  ~QVTBmpMenuPlugIn() override;
  QVTBmpMenuPlugIn(const QVTBmpMenuPlugIn&) = delete;
  QVTBmpMenuPlugIn& operator=(const QVTBmpMenuPlugIn&) = delete;

  BOOL Attach(QVTFrameWnd* frame) override;
  BOOL OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  // After the frame's own popup initialisation (which may have changed
  // texts or added items): the popup is prepared again.
  void OnInitMenuPopup(WPARAM wParam, LPARAM lParam) override;

  // Shares `manager` (the plug-in holds a reference) and lets go of the
  // one it had.
  void SetBitmapManager(QVTBmpMgr* manager);
  QVTBmpMgr* GetBitmapManager() const { return bmpMgr_; }
  // Image loading, passed on to the image store.
  BOOL AddToolBarResource(UINT resource, UINT largeResource, BOOL mapColours);
  BOOL AddBitmap(UINT resource, UINT largeResource, const UINT* ids, int count, BOOL mapColours);
  BOOL AddBitmapHandles(HBITMAP normal, HBITMAP large, const UINT* ids, int count);

  // Makes the popup's plain items owner-drawn; a system menu stays native.
  virtual void PrepareMenu(HMENU menu, BOOL systemMenu);
  // Forgets menus that are gone, and item infos no item refers to any more.
  virtual void CollectDeadMenus();

  // The plug-in's info for an item of `menu` whose data is `data`; null
  // when the item is not the plug-in's.
  const QVTBmpMenuItemInfo* FindItemInfo(HMENU menu, UINT_PTR data) const;
  // How many menus the plug-in keeps, and how many item infos in all.
  std::size_t MenuCount() const { return menus_.size(); }
  std::size_t ItemInfoCount() const { return live_.size(); }

  BOOL OnMeasureItem(MEASUREITEMSTRUCT* measure);
  BOOL OnDrawItem(const DRAWITEMSTRUCT* draw);
  // WM_MENUCHAR's answer; 0 when no item of the plug-in has the mnemonic.
  LRESULT OnMenuChar(char typed, HMENU menu);
  void OnSettingChange();
  void OnSysColorChange();

 protected:
  struct MenuRecord {
    std::vector<std::unique_ptr<QVTBmpMenuItemInfo>> items;
  };

  // The frame's toolbar images, when its toolbar manager has come since.
  void AdoptFrameImages();
  MenuRecord* FindRecord(HMENU menu);
  const MenuRecord* FindRecord(HMENU menu) const;
  // The item's full text, however long.
  static std::string ReadItemText(HMENU menu, int position);
  // The position of the item whose data is `data`; -1 when there is none.
  static int FindPosition(HMENU menu, UINT_PTR data);
  // The plug-in's item at `position`, or null.
  const QVTBmpMenuItemInfo* OwnItemAt(HMENU menu, const MenuRecord& record, int position) const;
  BOOL ConvertItem(HMENU menu, int position, MenuRecord& record);
  // The item drawn by the plug-in, with `info` as its data.
  static BOOL SetOwnerDrawn(HMENU menu, int position, const QVTBmpMenuItemInfo& info);
  // Back to a plain string item with the info's text.
  static void RestoreItem(HMENU menu, int position, const QVTBmpMenuItemInfo& info);
  void ForgetRecord(MenuRecord& record);
  QVTBmpMenuItemLook LookOf(HMENU menu, const QVTBmpMenuItemInfo& info, UINT state);
  // The frame's window while it has one: its DC measures the texts.
  HWND MeasuringWindow() const;

  std::map<HMENU, MenuRecord> menus_;
  // Every item info of every menu: WM_MEASUREITEM names no menu, and data
  // that is not in here is never read.
  std::unordered_set<const QVTBmpMenuItemInfo*> live_;
  QVTBmpMgr* bmpMgr_;
  BOOL ownImages_ = TRUE;  // still the store the plug-in started with
  QVTBmpMenuItemPainter painter_;
};

}  // namespace docking
