#include "docking/QVTToolBarManagerSettings.h"

#include <algorithm>

#include "docking/QVTPersistentTreeNode.h"
#include "platform/sys/Profile.h"

namespace docking {

void QVTToolBarManagerSettings::SetToolTips(BOOL on) {
  on = on ? TRUE : FALSE;
  if (on == toolTips_) return;
  toolTips_ = on;
  if (target_) target_->ApplyToolTips(on);
}

void QVTToolBarManagerSettings::SetFlyBy(BOOL on) {
  on = on ? TRUE : FALSE;
  if (on == flyBy_) return;
  flyBy_ = on;
  if (target_) target_->ApplyFlyBy(on);
}

void QVTToolBarManagerSettings::SetCoolLook(BOOL on, DWORD exStyleBits) {
  on = on ? TRUE : FALSE;
  if (on == coolLook_) return;
  coolLook_ = on;
  if (target_) target_->ApplyCoolLook(on, exStyleBits);
}

void QVTToolBarManagerSettings::SetLargeButtons(BOOL large) {
  large = large ? TRUE : FALSE;
  if (large == largeButtons_) return;
  largeButtons_ = large;
  if (target_) target_->ApplyLargeButtons(large);
}

DWORD QVTToolBarManagerSettings::BarStyle() const {
  return kBarStyle | (flyBy_ ? kFlyByStyle : 0) | (toolTips_ ? kToolTipsStyle : 0);
}

std::string QVTToolBarManagerSettings::SectionName(const std::string& prefix) {
  return prefix + "-ToolBarManager";
}

BOOL QVTToolBarManagerSettings::LoadState(const std::string& prefix) {
  sys::Profile& profile = sys::AppProfile();
  const std::string section = SectionName(prefix);
  SetToolTips(profile.GetInt(section, "ToolTips", toolTips_));
  SetCoolLook(profile.GetInt(section, "CoolLook", coolLook_), kCoolLookBits);
  SetLargeButtons(profile.GetInt(section, "LargeButtons", largeButtons_));
  return TRUE;
}

BOOL QVTToolBarManagerSettings::SaveState(const std::string& prefix) const {
  sys::Profile& profile = sys::AppProfile();
  const std::string section = SectionName(prefix);
  bool ok = profile.WriteInt(section, "ToolTips", toolTips_);
  ok = profile.WriteInt(section, "CoolLook", coolLook_) && ok;
  ok = profile.WriteInt(section, "LargeButtons", largeButtons_) && ok;
  return ok ? TRUE : FALSE;
}

BOOL QVTToolBarManagerSettings::LoadState(QVTPersistentTreeNode* node) {
  QVTPersistentTreeNode* own = node ? node->FindChild(kNodeName) : nullptr;
  BOOL toolTips = TRUE;
  BOOL coolLook = TRUE;
  BOOL largeButtons = FALSE;
  if (own) {
    own->GetBoolValue("ToolTips", toolTips, TRUE);
    own->GetBoolValue("CoolLook", coolLook, TRUE);
    own->GetBoolValue("LargeButtons", largeButtons, TRUE);
  }
  // Through the setters in both cases, so the bars always show what the
  // settings say: a value stored without being applied could never be
  // applied later, as the setters act only on a change.
  SetToolTips(toolTips);
  SetCoolLook(coolLook, kCoolLookBits);
  SetLargeButtons(largeButtons);
  return node ? TRUE : FALSE;
}

BOOL QVTToolBarManagerSettings::SaveState(QVTPTNFactory* factory, QVTPersistentTreeNode* parent) const {
  if (!parent) return FALSE;
  QVTPersistentTreeNode* own = parent->FindChild(kNodeName);
  if (!own) own = (factory ? *factory : parent->GetFactory()).CreateNode(kNodeName, parent);
  if (!own) return FALSE;
  UINT result = own->SetBoolValue("ToolTips", toolTips_, TRUE);
  result |= own->SetBoolValue("CoolLook", coolLook_, TRUE);
  result |= own->SetBoolValue("LargeButtons", largeButtons_, TRUE);
  return result == 0 ? TRUE : FALSE;
}

UINT QVTToolBarManagerSettings::NewBarId(const std::vector<UINT>& usedIds) {
  for (UINT id = kFirstNewBarId; id < kNewBarIdLimit; ++id)
    if (std::find(usedIds.begin(), usedIds.end(), id) == usedIds.end()) return id;
  return 0;
}

}  // namespace docking
