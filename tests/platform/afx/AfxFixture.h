// Shared set-up of the framework tests: a virtual clock, a stall limit, an
// in-memory profile, and message-box texts captured instead of printed.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx/WinApp.h"
#include "platform/sys/Notify.h"
#include "platform/sys/Profile.h"

namespace afx::test {

class AfxFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ::ui::SetClock(&clock);
    ::ui::GetHeadlessHost().SetStallLimit(5000);
    sys::SetAppProfile(&profile);
    CWinApp::SetProfileFactory([this](const std::string& company, const std::string& application) {
      profile_keys.push_back(company + "\\" + application);
      return std::unique_ptr<sys::Profile>(std::make_unique<sys::MemoryProfile>());
    });
    sys::SetNoticeSink([this](const sys::Notice& notice) {
      notices.push_back(notice.text);
      return sys::DefaultAnswer(notice);
    });
  }
  void TearDown() override {
    sys::SetNoticeSink(nullptr);
    CWinApp::SetProfileFactory(nullptr);
    sys::SetAppProfile(nullptr);
    ::ui::GetHeadlessHost().ClearScript();
    ::ui::GetHeadlessHost().SetStallLimit(-1);
    ::ui::SetClock(nullptr);
  }

  ::ui::VirtualClock clock{1000};
  sys::MemoryProfile profile;
  std::vector<std::string> profile_keys;
  std::vector<std::string> notices;
};

}  // namespace afx::test
