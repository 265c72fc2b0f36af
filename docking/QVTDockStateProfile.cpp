// The profile form of a layout: "<name>-Summary" with the number of bar
// sections and the screen size, and the sections "<name>-Bar0" on,
// numbered without gaps.
#include <algorithm>

#include "docking/QVTDockState.h"
#include "platform/sys/Profile.h"

namespace docking {

std::string QVTDockState::SummarySection(const std::string& profile_name) { return profile_name + "-Summary"; }

BOOL QVTDockState::SaveState(const std::string& profile_name) {
  sys::Profile& profile = sys::AppProfile();
  const std::string summary = SummarySection(profile_name);
  const int earlier_bars = std::clamp(profile.GetInt(summary, "Bars", 0), 0, kMaxBars);
  bool ok = true;
  int written = 0;
  for (const auto& info : m_arrBarInfo) {
    if (!info->SaveState(profile_name, written)) continue;
    ok = ok && !info->SaveFailed();
    ++written;
  }
  // Sections an earlier, longer layout left behind.
  for (int index = written; index < earlier_bars; ++index)
    ok = profile.DeleteSection(profile_name + "-Bar" + std::to_string(index)) && ok;
  const SIZE screen = GetScreenSize();
  ok = profile.DeleteSection(summary) && ok;
  ok = profile.WriteInt(summary, "Bars", written) && ok;
  ok = profile.WriteInt(summary, "ScreenCX", screen.cx) && ok;
  ok = profile.WriteInt(summary, "ScreenCY", screen.cy) && ok;
  return ok ? TRUE : FALSE;
}

BOOL QVTDockState::LoadState(const std::string& profile_name) {
  Clear();
  sys::Profile& profile = sys::AppProfile();
  const std::string summary = SummarySection(profile_name);
  const int bars = std::clamp(profile.GetInt(summary, "Bars", 0), 0, kMaxBars);
  SetScreenSize({profile.GetInt(summary, "ScreenCX", 0), profile.GetInt(summary, "ScreenCY", 0)});
  for (int index = 0; index < bars; ++index) {
    std::unique_ptr<QVTControlBarInfo> info = CreateBarInfo(m_pManager);
    info->LoadState(profile_name, index, this);
    m_arrBarInfo.push_back(std::move(info));
  }
  return TRUE;
}

}  // namespace docking
