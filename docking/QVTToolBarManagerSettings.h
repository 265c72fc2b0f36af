// The window-free part of the toolbar manager: the tooltip, fly-by, cool
// look and large-button settings, pushed to the bars whenever they change,
// kept in the profile section "<prefix>-ToolBarManager" or in a
// "ToolBarMgr" settings-tree node; the window styles of the bars it makes;
// and the control id a new user toolbar gets.
#pragma once

#include <string>
#include <vector>

#include "platform/afx/AfxIds.h"

namespace docking {

using namespace afx;

class QVTPTNFactory;
class QVTPersistentTreeNode;

// What the settings are applied to: every customisable toolbar of the
// frame (the manager's window side implements it).
class QVTToolBarSettingsTarget {
 public:
  virtual ~QVTToolBarSettingsTarget() = default;
  virtual void ApplyToolTips(BOOL on) = 0;
  virtual void ApplyFlyBy(BOOL on) = 0;
  // Sets or clears the bits in every bar's extended style and asks the
  // frame for a layout at idle time.
  virtual void ApplyCoolLook(BOOL on, DWORD exStyleBits) = 0;
  virtual void ApplyLargeButtons(BOOL large) = 0;
};

class QVTToolBarManagerSettings {
 public:
  static constexpr const char* kNodeName = "ToolBarMgr";
  static constexpr DWORD kCoolLookBits = 0x300;
  static constexpr DWORD kBarStyle = 0x50002804;  // WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC
  static constexpr DWORD kToolTipsStyle = 0x10;
  static constexpr DWORD kFlyByStyle = 0x20;
  // User toolbars take control ids from here up to below the limit; the
  // menu bar's 0xE8FF is one of them when it exists.
  static constexpr UINT kFirstNewBarId = 0xE820;
  static constexpr UINT kNewBarIdLimit = 0xE900;

  explicit QVTToolBarManagerSettings(QVTToolBarSettingsTarget* target = nullptr) : target_(target) {}
  void SetTarget(QVTToolBarSettingsTarget* target) { target_ = target; }

  // Each acts only when the value changes, and then on every bar.
  void SetToolTips(BOOL on);
  void SetFlyBy(BOOL on);
  void SetCoolLook(BOOL on, DWORD exStyleBits);
  void SetLargeButtons(BOOL large);
  BOOL GetToolTips() const { return toolTips_; }
  BOOL GetFlyBy() const { return flyBy_; }
  BOOL GetCoolLook() const { return coolLook_; }
  BOOL GetLargeButtons() const { return largeButtons_; }

  // The styles of every bar the manager creates.
  DWORD BarStyle() const;
  DWORD BarExStyle() const { return coolLook_ ? kCoolLookBits : 0; }

  // "<prefix>-ToolBarManager", however long the prefix.
  static std::string SectionName(const std::string& prefix);
  // Profile form: a missing value keeps the current one.
  BOOL LoadState(const std::string& prefix);
  BOOL SaveState(const std::string& prefix) const;
  // Tree form. Without a node, or without its "ToolBarMgr" child, the
  // settings become tooltips and cool look on, large buttons off, and the
  // bars are given them like any other change. TRUE when a node was given.
  BOOL LoadState(QVTPersistentTreeNode* node);
  // Into the parent's "ToolBarMgr" child, reused when an earlier save left
  // one, else made by the factory (the parent's own when null).
  BOOL SaveState(QVTPTNFactory* factory, QVTPersistentTreeNode* parent) const;

  // The lowest id from kFirstNewBarId up that no bar uses; 0 when every
  // id below kNewBarIdLimit is taken.
  static UINT NewBarId(const std::vector<UINT>& usedIds);

 private:
  QVTToolBarSettingsTarget* target_;
  BOOL toolTips_ = TRUE;
  BOOL flyBy_ = TRUE;
  BOOL coolLook_ = FALSE;
  BOOL largeButtons_ = FALSE;
};

}  // namespace docking
