#include "docking/QVTToolBarManagerSettings.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "docking/QVTPersistentTreeNode.h"
#include "platform/sys/Profile.h"

namespace docking {
namespace {

// What the bars were told, in order.
class RecordingBars : public QVTToolBarSettingsTarget {
 public:
  void ApplyToolTips(BOOL on) override { calls.push_back("tooltips " + std::to_string(on)); }
  void ApplyFlyBy(BOOL on) override { calls.push_back("flyby " + std::to_string(on)); }
  void ApplyCoolLook(BOOL on, DWORD bits) override {
    calls.push_back("coollook " + std::to_string(on) + " " + std::to_string(bits));
  }
  void ApplyLargeButtons(BOOL large) override { calls.push_back("large " + std::to_string(large)); }
  std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

class ManagerSettingsTest : public testing::Test {
 protected:
  void SetUp() override { sys::SetAppProfile(&profile_); }
  void TearDown() override { sys::SetAppProfile(nullptr); }
  // Tooltips off, cool look off, large buttons on, without telling anyone.
  void Unusual(QVTToolBarManagerSettings& settings) {
    settings.SetTarget(nullptr);
    settings.SetToolTips(FALSE);
    settings.SetLargeButtons(TRUE);
    settings.SetTarget(&bars_);
  }
  sys::MemoryProfile profile_;
  RecordingBars bars_;
  QVTPTNFactory factory_;
};

TEST_F(ManagerSettingsTest, WithoutASettingsNodeTheDefaultsReachTheBars) {
  for (bool with_node : {false, true}) {
    SCOPED_TRACE(with_node);
    bars_.calls.clear();
    QVTToolBarManagerSettings settings;
    Unusual(settings);
    QVTPersistentTreeNode* empty = with_node ? factory_.CreateNode("Frame" + std::to_string(with_node), nullptr) : nullptr;
    EXPECT_EQ(settings.LoadState(empty), with_node ? TRUE : FALSE);
    EXPECT_TRUE(settings.GetToolTips());
    EXPECT_TRUE(settings.GetCoolLook());
    EXPECT_FALSE(settings.GetLargeButtons());
    EXPECT_EQ(bars_.calls, Calls({"tooltips 1", "coollook 1 768", "large 0"}));
  }
}

TEST_F(ManagerSettingsTest, TreeFormRoundTripsAndReusesItsNode) {
  QVTPersistentTreeNode* frame = factory_.CreateNode("Frame", nullptr);
  QVTToolBarManagerSettings saved;
  Unusual(saved);
  ASSERT_TRUE(saved.SaveState(nullptr, frame));
  ASSERT_TRUE(saved.SaveState(nullptr, frame));  // a second save into the same tree
  ASSERT_EQ(frame->GetChildren().size(), 1u);
  std::string text;
  frame->FindChild("ToolBarMgr")->GetStringValue("ToolTips", text, "");
  EXPECT_EQ(text, "False");

  QVTToolBarManagerSettings loaded(&bars_);
  bars_.calls.clear();
  EXPECT_TRUE(loaded.LoadState(frame));
  EXPECT_FALSE(loaded.GetToolTips());
  EXPECT_FALSE(loaded.GetCoolLook());
  EXPECT_TRUE(loaded.GetLargeButtons());
  EXPECT_EQ(bars_.calls, Calls({"tooltips 0", "large 1"}));  // only what changed
  EXPECT_FALSE(saved.SaveState(nullptr, nullptr));
}

TEST_F(ManagerSettingsTest, ProfileFormKeepsCurrentValuesWhenNothingIsStored) {
  QVTToolBarManagerSettings settings(&bars_);
  settings.SetCoolLook(TRUE, 0x300);
  bars_.calls.clear();
  EXPECT_TRUE(settings.LoadState("Control Bars"));
  EXPECT_TRUE(settings.GetToolTips());
  EXPECT_TRUE(settings.GetCoolLook());
  EXPECT_FALSE(settings.GetLargeButtons());
  EXPECT_TRUE(bars_.calls.empty());
  EXPECT_TRUE(settings.SaveState("Control Bars"));
  EXPECT_EQ(profile_.KeyNames("Control Bars-ToolBarManager"),
            std::vector<std::string>({"coollook", "largebuttons", "tooltips"}));
}

TEST_F(ManagerSettingsTest, ALongPrefixIsKeptWhole) {
  const std::string prefix(300, 'P');
  EXPECT_EQ(QVTToolBarManagerSettings::SectionName(prefix), prefix + "-ToolBarManager");
  QVTToolBarManagerSettings saved;
  saved.SetLargeButtons(TRUE);
  ASSERT_TRUE(saved.SaveState(prefix));
  EXPECT_EQ(profile_.GetInt(prefix + "-ToolBarManager", "LargeButtons", 0), 1);
  QVTToolBarManagerSettings loaded;
  loaded.LoadState(prefix);
  EXPECT_TRUE(loaded.GetLargeButtons());
}

TEST_F(ManagerSettingsTest, ASettingTheBarsHaveIsNotSentAgain) {
  QVTToolBarManagerSettings settings(&bars_);
  settings.SetCoolLook(TRUE, 0x300);
  settings.SetCoolLook(TRUE, 0x300);
  settings.SetToolTips(TRUE);
  settings.SetFlyBy(FALSE);
  EXPECT_EQ(bars_.calls, Calls({"coollook 1 768", "flyby 0"}));
  EXPECT_EQ(settings.BarStyle(), 0x50002804u | 0x10u);
  EXPECT_EQ(settings.BarExStyle(), 0x300u);
}

std::vector<UINT> Range(UINT first, UINT last) {
  std::vector<UINT> ids;
  for (UINT id = first; id <= last; ++id) ids.push_back(id);
  return ids;
}

TEST(NewBarIdTest, LowestFreeIdFrom0xE820) {
  struct Case {
    const char* name;
    std::vector<UINT> used;
    UINT expected;
  } cases[] = {
      {"none used", {}, 0xE820},
      {"the program's bars do not count", {0xE800, 0xE801, 0xE8FF}, 0xE820},
      {"the next one", {0xE820, 0xE821}, 0xE822},
      {"a freed one is reused", {0xE820, 0xE822}, 0xE821},
      {"the last one below the menu bar", [] { auto ids = Range(0xE820, 0xE8FD); ids.push_back(0xE8FF); return ids; }(), 0xE8FE},
      {"all taken with the menu bar", Range(0xE820, 0xE8FF), 0},
      {"ids from 0xE900 on are never given", [] { auto ids = Range(0xE820, 0xE8FF); ids.push_back(0xE900); return ids; }(), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(QVTToolBarManagerSettings::NewBarId(c.used), c.expected) << c.name;
}

}  // namespace
}  // namespace docking
